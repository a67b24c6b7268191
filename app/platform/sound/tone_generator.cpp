#include "app/platform/sound/tone_generator.h"

#include "app/platform/sound_player.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane {
namespace {

struct Note {
    double hertz;
    double seconds;
};

struct Alert {
    unsigned type;
    Note first;
    Note second; // hertz 0: a single note
};

constexpr Alert kAlerts[] = {
    {beepOk, {880.0, 0.12}, {660.0, 0.16}},       {beepHand, {330.0, 0.30}, {0.0, 0.0}},
    {beepQuestion, {660.0, 0.10}, {880.0, 0.14}}, {beepExclamation, {990.0, 0.10}, {990.0, 0.10}},
    {beepAsterisk, {1320.0, 0.15}, {0.0, 0.0}},   {beepSimple, {1000.0, 0.10}, {0.0, 0.0}},
};

// A sine with 5 ms ramps at both ends, so that it starts and stops without a click.
void appendNote(std::vector<float> &out, Note note, OutputFormat format)
{
    const auto frames = static_cast<std::size_t>(note.seconds * format.rate);
    const double ramp = 0.005 * format.rate;
    for (std::size_t i = 0; i < frames; ++i) {
        const double edge = std::min<double>(static_cast<double>(i), static_cast<double>(frames - 1 - i));
        const double gain = 0.3 * std::min(1.0, edge / ramp);
        const auto value =
            static_cast<float>(gain * std::sin(2.0 * std::numbers::pi * note.hertz * i / format.rate));
        out.insert(out.end(), static_cast<std::size_t>(format.channels), value);
    }
}

} // namespace

std::vector<float> ToneGenerator::alert(unsigned type, OutputFormat format)
{
    const Alert *chosen = &kAlerts[0];
    for (const Alert &a : kAlerts) {
        if (a.type == type)
            chosen = &a;
    }
    std::vector<float> out;
    appendNote(out, chosen->first, format);
    if (chosen->second.hertz > 0) {
        appendNote(out, {0.0, 0.03}, format);
        appendNote(out, chosen->second, format);
    }
    return out;
}

std::vector<float> ToneGenerator::defaultSound(OutputFormat format) { return alert(beepOk, format); }

} // namespace orvane
