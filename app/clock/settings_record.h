#pragma once
// The user's settings as kept in memory while the program runs, mirrored from murvelin.ini.
#include <cstdint>
#include <string>

namespace orvane {

enum class WindowScope : int32_t { AllWindows = 1, ParentOnly = 2 };
enum class WavePlacement : int32_t { Before = 1, After = 2 };

constexpr std::size_t kWaveFileMax = 100;
constexpr std::size_t kFontNameMax = 40;
constexpr std::size_t kFontStyleMax = 15;
constexpr int32_t kScaleBase = 66;

// The settings record; the options dialog edits a working copy of the same layout.
struct TSettingsRecord {
    uint8_t digital = 0;
    bool playVoice = true;
    int32_t announceInterval = 5; // "HowOften", minutes
    bool playWave = false;
    std::string waveFile;    // at most 100 characters
    int32_t beforeAfter = 1; // 1 before the voice, 2 after it
    std::string fontName = "Times New Roman";
    std::string fontStyle = "Regular";
    int32_t bevelOuter = 2; // 0 none, 1 lowered, 2 raised
    int32_t bevelInner = 0;
    int32_t bevelWidth = 2; // in 66ths of the face height
    int32_t borderWidth = 0;
    int32_t scaleBase = kScaleBase;
    uint32_t fontColor = 0x800000;
    uint32_t displayColor = 0xC0C0C0;
    uint32_t faceColor = 0xFFFFFF;
    bool stayOnTop = false;
    bool autoStart = false;
    bool autoRun = false;
    bool titleResources = false;
    bool titleClock = true;
    WindowScope windowScope = WindowScope::AllWindows;
    bool showHints = true;
    bool buttonHints = true;
    bool speedBar = true;
};

// Everything the main window keeps of the settings: the record plus the values it holds apart.
struct TProgramSettings {
    TSettingsRecord record;
    int32_t snoozeTime = 10;
    bool useHotKey = true;
    uint16_t hotKey = 0x0120;      // Ctrl+Space
    int32_t effectiveInterval = 5; // may be changed by command alarms; saved as "HowOften"
    std::string waveFilePath;      // the wave file as a plain path
};

} // namespace orvane
