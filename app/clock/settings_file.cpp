#include "app/clock/settings_file.h"

#include "app/common/ini_file.h"

namespace orvane {
namespace {

std::string Cut(std::string s, std::size_t max)
{
    if (s.size() > max)
        s.resize(max);
    return s;
}

} // namespace

void LoadSettings(const TIniFile &ini, TProgramSettings &s, const std::function<void()> &afterHotKey)
{
    TSettingsRecord &r = s.record;
    s.snoozeTime = ini.ReadInteger("Options", "SnoozeTime", 10);
    r.playVoice = ini.ReadBool("Voice", "Play Voice", true);
    r.announceInterval = ini.ReadInteger("Voice", "HowOften", 5);
    s.useHotKey = ini.ReadBool("Voice", "UseHotKey", true);
    s.hotKey = static_cast<uint16_t>(ini.ReadInteger("Voice", "HotKey", 288));
    if (afterHotKey)
        afterHotKey();
    r.playWave = ini.ReadBool("Voice", "Play Wave", false);
    r.beforeAfter = ini.ReadInteger("Voice", "BeforeAfter", 1);
    r.waveFile = Cut(ini.ReadString("Voice", "WaveFile", ""), kWaveFileMax);
    s.waveFilePath = r.waveFile;
    r.titleClock = ini.ReadBool("Options", "Title Bar Clock", true);
    r.windowScope =
        ini.ReadBool("Options", "All Windows", true) ? WindowScope::AllWindows : WindowScope::ParentOnly;
    r.autoStart = ini.ReadBool("Options", "Auto Start", false);
    r.autoRun = ini.ReadBool("Options", "Auto Run", false);
    r.stayOnTop = ini.ReadBool("Options", "Stay On Top", false);
    r.showHints = ini.ReadBool("Options", "Show Hints", true);
    r.buttonHints = ini.ReadBool("Options", "BHints", true);
    r.fontColor = static_cast<uint32_t>(ini.ReadInteger("Font", "Color", 8388608));
    r.fontName = Cut(ini.ReadString("Font", "Font Name", "Times New Roman"), kFontNameMax);
    r.fontStyle = Cut(ini.ReadString("Font", "Style", "Regular"), kFontStyleMax);
    r.displayColor = static_cast<uint32_t>(ini.ReadInteger("Display", "Color", 12632256));
    r.faceColor = static_cast<uint32_t>(ini.ReadInteger("Display", "FaceColor", 16777215));
    r.bevelOuter = ini.ReadInteger("Display", "BevelOuter", 2);
    r.bevelInner = ini.ReadInteger("Display", "BevelInner", 0);
    r.bevelWidth = ini.ReadInteger("Display", "BevelWidth", 2);
    r.borderWidth = ini.ReadInteger("Display", "BorderWidth", 0);
    r.speedBar = ini.ReadBool("Display", "SpeedBar", true);
    r.titleResources = false;
    r.digital = 0;
    r.scaleBase = kScaleBase;
    s.effectiveInterval = r.announceInterval;
}

std::optional<std::string> SaveSettings(TIniFile &ini, const TProgramSettings &s)
{
    const TSettingsRecord &r = s.record;
    // Every key is changed in memory and the file replaced once, so that a save cut short by a
    // kill or a power cut leaves the old settings or the new ones, never half of each.
    ini.BeginUpdate();
    try {
        ini.WriteInteger("Options", "SnoozeTime", s.snoozeTime);
        ini.WriteString("Display", "Digital", "0");
        ini.WriteBool("Voice", "Play Voice", r.playVoice);
        ini.WriteInteger("Voice", "HowOften", s.effectiveInterval);
        ini.WriteBool("Voice", "UseHotkey", s.useHotKey);
        ini.WriteInteger("Voice", "HotKey", s.hotKey);
        ini.WriteBool("Voice", "Play Wave", r.playWave);
        ini.WriteInteger("Voice", "BeforeAfter", r.beforeAfter);
        ini.WriteString("Voice", "WaveFile", Cut(r.waveFile, kWaveFileMax));
        ini.WriteBool("Options", "Auto Start", r.autoStart);
        ini.WriteBool("Options", "Title Bar Clock", r.titleClock);
        ini.WriteString("Options", "Title Bar Res", "0");
        ini.WriteBool("Options", "All Windows", r.windowScope == WindowScope::AllWindows);
        ini.WriteBool("Options", "Auto Run", r.autoRun);
        ini.WriteBool("Options", "Stay On Top", r.stayOnTop);
        ini.WriteBool("Options", "Show Hints", r.showHints);
        ini.WriteBool("Options", "BHints", r.buttonHints);
        ini.WriteString("Font", "Style", Cut(r.fontStyle, kFontStyleMax));
        ini.WriteInteger("Font", "Color", static_cast<int>(r.fontColor));
        ini.WriteString("Font", "Font Name", Cut(r.fontName, kFontNameMax));
        ini.WriteInteger("Display", "Color", static_cast<int>(r.displayColor));
        ini.WriteInteger("Display", "FaceColor", static_cast<int>(r.faceColor));
        ini.WriteInteger("Display", "BevelOuter", r.bevelOuter);
        ini.WriteInteger("Display", "BevelInner", r.bevelInner);
        ini.WriteInteger("Display", "BevelWidth", r.bevelWidth);
        ini.WriteInteger("Display", "BorderWidth", r.borderWidth);
        ini.WriteBool("Display", "SpeedBar", r.speedBar);
        ini.EndUpdate();
    } catch (const EIniFileException &e) {
        ini.CancelUpdate();
        return std::string(e.what());
    }
    return std::nullopt;
}

} // namespace orvane
