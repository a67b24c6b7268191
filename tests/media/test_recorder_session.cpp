// The recorder's files: the temporary wave, numbered recordings, replacing and the OK rules,
// over a fake wave device.
#include "app/media/recorder_session.h"
#include "app/platform/fake/fake_wave_device.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Outcome = RecorderSession::OkOutcome;

class RecorderSessionTest : public ::testing::Test {
protected:
    TempDir dir;
    FakeWaveDevice device;
    std::string programDir = dir.path().string() + "/";
    RecorderPaths paths{programDir};

    std::string wave(const std::string &name) const { return paths.folder() + "/" + name; }
    void makeWave(const std::string &path, int ms = 500) const
    {
        fs::create_directories(fs::path(path).parent_path());
        TempDir::write(path, "FAKEWAVE " + std::to_string(ms) + "\n");
    }
    // Opens a fresh recorder, records `ms` and presses OK.
    RecorderSession::OkResult recordAndOk(int ms)
    {
        RecorderSession session(device, programDir, "");
        EXPECT_EQ(session.FormShow(), std::nullopt);
        EXPECT_FALSE(session.recordNeedsConfirmation());
        EXPECT_EQ(session.Record(), std::nullopt);
        device.capture(ms);
        EXPECT_EQ(session.Stop(), std::nullopt);
        return session.Ok();
    }
};

TEST_F(RecorderSessionTest, NewRecorderMakesTheEmptyTemporaryWave)
{
    RecorderSession session(device, programDir, "");
    EXPECT_EQ(session.FormShow(), std::nullopt);
    EXPECT_TRUE(fs::is_regular_file(paths.temp()));
    EXPECT_EQ(session.header(), "New Wav File");
    EXPECT_EQ(session.fileName(), paths.temp());
    EXPECT_EQ(session.modeText(), "Stopped");
    EXPECT_EQ(device.lengthMs(), 0);
}

TEST_F(RecorderSessionTest, RecordingSavedOnOkBecomesTheFirstFreeNumber)
{
    const RecorderSession::OkResult first = recordAndOk(1500);
    EXPECT_EQ(first.outcome, Outcome::Ok);
    EXPECT_EQ(first.RecorderFileName, wave("OV-1.wav"));
    EXPECT_TRUE(first.RecordingPending);
    EXPECT_EQ(TempDir::read(wave("OV-1.wav")), "FAKEWAVE 1500\n");

    makeWave(wave("OV-3.wav"));
    const RecorderSession::OkResult second = recordAndOk(800);
    EXPECT_EQ(second.RecorderFileName, wave("OV-2.wav"));
}

TEST_F(RecorderSessionTest, OkWithoutARecordingEndsWithCancel)
{
    RecorderSession session(device, programDir, "");
    session.FormShow();
    EXPECT_EQ(session.Ok().outcome, Outcome::Cancel);
    EXPECT_EQ(recordAndOk(10).outcome, Outcome::Cancel); // 10 ms or less is no recording
    EXPECT_FALSE(fs::exists(wave("OV-1.wav")));
}

TEST_F(RecorderSessionTest, AllFiftySlotsUsedKeepsTheDialogOpenAndHandsBackNothing)
{
    for (int n = 1; n <= 50; ++n)
        makeWave(paths.numbered(n));
    const RecorderSession::OkResult result = recordAndOk(900);
    EXPECT_EQ(result.outcome, Outcome::StayOpen);
    EXPECT_TRUE(result.RecorderFileName.empty());
    EXPECT_FALSE(result.RecordingPending);
    ASSERT_TRUE(result.message);
    EXPECT_NE(result.message->find("All 50 recording slots"), std::string::npos);
}

TEST_F(RecorderSessionTest, OpeningAnotherFileDeletesTheReplacedNumberedRecording)
{
    makeWave(wave("OV-2.wav"));
    const std::string mine = dir.file("mine.wav");
    makeWave(mine);
    RecorderSession session(device, programDir, wave("OV-2.wav"));
    EXPECT_EQ(session.FormShow(), std::nullopt);
    EXPECT_EQ(session.header(), wave("OV-2.wav"));
    EXPECT_EQ(session.OpenPicked(mine), std::nullopt);
    EXPECT_FALSE(fs::exists(wave("OV-2.wav")));
    EXPECT_EQ(session.saveInitial(), mine);
    const RecorderSession::OkResult result = session.Ok();
    EXPECT_EQ(result.RecorderFileName, mine);
    EXPECT_FALSE(result.RecordingPending);
}

TEST_F(RecorderSessionTest, ReopeningTheSameNumberedRecordingKeepsIt)
{
    makeWave(wave("OV-4.wav"));
    RecorderSession session(device, programDir, wave("OV-4.wav"));
    session.FormShow();
    session.OpenPicked(wave("OV-4.wav"));
    session.SavePicked(wave("OV-4.wav"));
    EXPECT_TRUE(fs::exists(wave("OV-4.wav")));
}

TEST_F(RecorderSessionTest, UsersFileAsksBeforeRecordingAndIsNeverOverwritten)
{
    const std::string mine = dir.file("mine.wav");
    makeWave(mine, 700);
    RecorderSession session(device, programDir, mine);
    session.FormShow();
    EXPECT_TRUE(session.recordNeedsConfirmation());
    EXPECT_EQ(session.Record(), std::nullopt);
    device.capture(300);
    session.Stop();
    EXPECT_EQ(TempDir::read(mine), "FAKEWAVE 700\n");
    EXPECT_EQ(session.Ok().RecorderFileName, wave("OV-1.wav"));
}

TEST_F(RecorderSessionTest, SaveUnderANewNameDeletesTheOldNumberedRecording)
{
    makeWave(wave("OV-5.wav"), 400);
    RecorderSession session(device, programDir, wave("OV-5.wav"));
    session.FormShow();
    const std::string target = dir.file("kept.wav");
    EXPECT_EQ(session.SavePicked(target), std::nullopt);
    EXPECT_EQ(session.header(), target);
    EXPECT_FALSE(fs::exists(wave("OV-5.wav")));
    EXPECT_EQ(TempDir::read(target), "FAKEWAVE 400\n");
}

TEST_F(RecorderSessionTest, RecordNewDropsTheNumberedRecordingAndTheInitialNames)
{
    makeWave(wave("OV-7.wav"));
    RecorderSession session(device, programDir, wave("OV-7.wav"));
    session.FormShow();
    EXPECT_EQ(session.RecordNew(), std::nullopt);
    EXPECT_FALSE(fs::exists(wave("OV-7.wav")));
    EXPECT_EQ(session.header(), "New Wave File");
    EXPECT_TRUE(session.openInitial().empty());
    EXPECT_TRUE(session.isTempCurrent());
}

TEST_F(RecorderSessionTest, TemporaryFileThatCannotBeMadeIsReported)
{
    // "waves" is a plain file here, so nothing can be created inside it.
    TempDir::write(paths.folder(), "x");
    RecorderSession session(device, programDir, "");
    EXPECT_EQ(session.FormShow(), std::string("Error in creating a temp wav file."));
    EXPECT_EQ(session.modeText(), "Not ready");
    EXPECT_EQ(session.Ok().outcome, Outcome::Cancel);
}

TEST_F(RecorderSessionTest, NoCaptureDeviceIsNotReadyWithAClearText)
{
    device.setNoCapture(true);
    RecorderSession session(device, programDir, "");
    session.FormShow();
    const WaveError error = session.Record();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("No sound recording device"), std::string::npos);
    EXPECT_EQ(session.modeText(), "Not ready");
    EXPECT_EQ(session.Ok().outcome, Outcome::Cancel);
}

TEST_F(RecorderSessionTest, LongPresetNameIsHandedBackCutToOneHundredCharacters)
{
    const std::string longName = dir.file(std::string(120, 'a') + ".wav");
    makeWave(longName);
    RecorderSession session(device, programDir, longName);
    session.FormShow();
    const RecorderSession::OkResult result = session.Ok();
    EXPECT_EQ(result.RecorderFileName, longName.substr(0, 100));
    EXPECT_EQ(CutToChars("h\xC3\xA9llo", 2), "h\xC3\xA9");
}

} // namespace
} // namespace orvane
