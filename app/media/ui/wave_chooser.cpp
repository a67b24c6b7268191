#include "app/media/ui/wave_chooser.h"

#include "app/common/paths.h"
#include "app/media/ui/wave_player.h"
#include "app/platform/sound/wave_device_sdl.h"

namespace orvane {
namespace {

struct ChooserServices {
    WaveDeviceFactory factory;
    std::string programDir;
};

ChooserServices &services()
{
    static ChooserServices s;
    return s;
}

} // namespace

void SetWaveChooserServices(WaveDeviceFactory factory, std::string programDir)
{
    services() = {std::move(factory), std::move(programDir)};
}

std::optional<WaveChoice> BrowseRecordWave(QWidget *parent, const std::string &currentFile)
{
    const ChooserServices &s = services();
    std::unique_ptr<WaveDevice> device = s.factory ? s.factory() : std::make_unique<SdlWaveDevice>();
    const std::string programDir = s.programDir.empty() ? ProgramDir() : s.programDir;
    std::optional<WaveChoice> choice;
    {
        TWavePlayer recorder(*device, programDir, currentFile, parent);
        if (recorder.exec() == QDialog::Accepted)
            choice = WaveChoice{recorder.RecorderFileName(), recorder.RecordingPending()};
    }
    return choice;
}

} // namespace orvane
