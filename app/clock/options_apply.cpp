#include "app/clock/options_apply.h"

namespace orvane {

std::optional<std::string> ApplyOptions(OptionsApplyHost &host, TProgramSettings &live,
                                        const TSettingsRecord &working)
{
    const bool autoRunChanged = working.autoRun != live.record.autoRun;
    live.record = working;
    // The live copy's scale base is the face's constant, whatever the working copy carried.
    live.record.scaleBase = kScaleBase;
    if (autoRunChanged) {
        if (auto failure = host.updateRunLine(live.record.autoRun))
            return failure;
    }
    host.rebindHotKey(live.useHotKey, live.hotKey);
    live.effectiveInterval = live.record.announceInterval;
    live.waveFilePath = live.record.waveFile;
    host.applyLook();
    host.saveAll();
    return std::nullopt;
}

} // namespace orvane
