#include "app/clock/save_routine.h"
#include "app/clock/settings_file.h"
#include "app/common/ini_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane;

TEST(SettingsFile, MissingFileGivesEveryDefault)
{
    TempDir dir;
    TIniFile ini(dir.file("murvelin.ini"));
    TProgramSettings s;
    s.snoozeTime = -1;
    s.record.fontName = "x";
    LoadSettings(ini, s);
    const TProgramSettings d;
    EXPECT_EQ(s.snoozeTime, 10);
    EXPECT_EQ(s.hotKey, 288);
    EXPECT_EQ(s.record.fontName, "Times New Roman");
    EXPECT_EQ(s.record.displayColor, 0xC0C0C0u);
    EXPECT_EQ(s.record.fontColor, 0x800000u);
    EXPECT_EQ(s.effectiveInterval, 5);
    EXPECT_EQ(s.record.windowScope, WindowScope::AllWindows);
    EXPECT_FALSE(std::filesystem::exists(dir.file("murvelin.ini")));
}

TEST(SettingsFile, ValuesReadAsTheFileSaysThem)
{
    TempDir dir;
    TempDir::write(dir.file("murvelin.ini"),
                   "[Voice]\nHowOften=0x1E\nPlay Voice=2\nWaveFile=" + std::string(150, 'w') +
                       "\n[Options]\nAll Windows=0\nSnoozeTime=abc\n[Font]\nStyle=BoldItalicAndMore\n");
    TIniFile ini(dir.file("murvelin.ini"));
    TProgramSettings s;
    LoadSettings(ini, s);
    EXPECT_EQ(s.record.announceInterval, 30);
    EXPECT_EQ(s.effectiveInterval, 30);
    EXPECT_TRUE(s.record.playVoice);
    EXPECT_EQ(s.record.waveFile.size(), 100u);
    EXPECT_EQ(s.record.windowScope, WindowScope::ParentOnly);
    EXPECT_EQ(s.snoozeTime, 10);
    EXPECT_EQ(s.record.fontStyle, "BoldItalicAndMo");
}

TEST(SettingsFile, HotKeyHookRunsBetweenHotKeyAndPlayWave)
{
    TempDir dir;
    TempDir::write(dir.file("murvelin.ini"), "[Voice]\nHotKey=0x0121\nPlay Wave=1\n");
    TIniFile ini(dir.file("murvelin.ini"));
    TProgramSettings s;
    uint16_t keySeen = 0;
    bool waveSeen = true;
    LoadSettings(ini, s, [&] {
        keySeen = s.hotKey;
        waveSeen = s.record.playWave;
    });
    EXPECT_EQ(keySeen, 0x0121);
    EXPECT_FALSE(waveSeen);
    EXPECT_TRUE(s.record.playWave);
}

TEST(SettingsFile, SaveWritesEveryKeyInOrderAndReadsBack)
{
    TempDir dir;
    TIniFile ini(dir.file("murvelin.ini"));
    TProgramSettings s;
    s.record.windowScope = WindowScope::ParentOnly;
    s.effectiveInterval = 60; // changed by a command alarm since the start
    s.record.waveFile = std::string(120, 'a');
    ASSERT_FALSE(SaveSettings(ini, s));
    const std::string text = TempDir::read(dir.file("murvelin.ini"));
    const char *order[] = {
        "[Options]",      "SnoozeTime=10",      "[Display]",       "Digital=0",
        "[Voice]",        "Play Voice=1",       "HowOften=60",     "UseHotkey=1",
        "HotKey=288",     "Play Wave=0",        "BeforeAfter=1",   "WaveFile=",
        "Auto Start=0",   "Title Bar Clock=1",  "Title Bar Res=0", "All Windows=0",
        "Auto Run=0",     "Stay On Top=0",      "Show Hints=1",    "BHints=1",
        "[Font]",         "Style=Regular",      "Color=8388608",   "Font Name=Times New Roman",
        "Color=12632256", "FaceColor=16777215", "BevelOuter=2",    "BevelInner=0",
        "BevelWidth=2",   "BorderWidth=0",      "SpeedBar=1"};
    for (const char *key : order)
        EXPECT_NE(text.find(key), std::string::npos) << key;
    TProgramSettings back;
    LoadSettings(ini, back);
    EXPECT_EQ(back.record.announceInterval, 60);
    EXPECT_EQ(back.record.waveFile, std::string(100, 'a'));
    EXPECT_EQ(back.record.windowScope, WindowScope::ParentOnly);
}

// Counts the renames onto `name` in a folder: each is one replacement of the file.
class RenameCounter {
public:
    RenameCounter(const std::string &dir, std::string name) : m_name(std::move(name))
    {
        m_fd = ::inotify_init1(IN_NONBLOCK);
        ::inotify_add_watch(m_fd, dir.c_str(), IN_MOVED_TO);
    }
    ~RenameCounter() { ::close(m_fd); }
    int count() const
    {
        int n = 0;
        alignas(inotify_event) char buf[8192];
        ssize_t len;
        while ((len = ::read(m_fd, buf, sizeof buf)) > 0) {
            for (char *p = buf; p < buf + len;) {
                const auto *e = reinterpret_cast<const inotify_event *>(p);
                if (e->len > 0 && m_name == e->name)
                    ++n;
                p += sizeof(inotify_event) + e->len;
            }
        }
        return n;
    }

private:
    std::string m_name;
    int m_fd = -1;
};

TEST(SettingsFile, OneSaveReplacesTheFileOnceKeepingOtherLines)
{
    TempDir dir;
    TempDir::write(dir.file("murvelin.ini"),
                   "[voice]\r\nhowoften=5\r\nMine=kept\r\n[Quaydeck]\r\nPath=/opt/q\r\n");
    TIniFile ini(dir.file("murvelin.ini"));
    TProgramSettings s;
    s.effectiveInterval = 15;
    RenameCounter renames(dir.path().string(), "murvelin.ini");
    ASSERT_FALSE(SaveSettings(ini, s));
    EXPECT_EQ(renames.count(), 1);
    const std::string text = TempDir::read(dir.file("murvelin.ini"));
    // The existing key keeps its place in its section; foreign keys and sections stay.
    EXPECT_EQ(text.rfind("[voice]\r\nHowOften=15\r\nMine=kept\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Quaydeck]\r\nPath=/opt/q\r\n"), std::string::npos);
    EXPECT_FALSE(ini.updating());
}

TEST(SaveRoutine, ReadOnlySettingsStillSaveTheAlarms)
{
    TempDir dir;
    TempDir::write(dir.file("murvelin.ini"), "[Options]\n");
    ::chmod(dir.file("murvelin.ini").c_str(), 0444);
    TIniFile ini(dir.file("murvelin.ini"));
    bool alarmsSaved = false;
    const auto errors = RunSaveRoutine(ini, TProgramSettings{}, [&]() -> std::optional<std::string> {
        alarmsSaved = true;
        return std::nullopt;
    });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unable to write to " + dir.file("murvelin.ini"));
    EXPECT_TRUE(alarmsSaved);
    EXPECT_EQ(TempDir::read(dir.file("murvelin.ini")), "[Options]\n");
}

TEST(SaveRoutine, AlarmFileErrorsAreReportedToo)
{
    TempDir dir;
    TIniFile ini(dir.file("murvelin.ini"));
    const auto errors =
        RunSaveRoutine(ini, TProgramSettings{}, [] { return std::optional<std::string>("disk full"); });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "disk full");
}
