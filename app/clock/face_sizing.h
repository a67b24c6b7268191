#pragma once
// Sizing the clock face: the bevel and border scale with the face height, and the face font
// is the largest that lets the time fit.
#include <cstdint>
#include <functional>
#include <string>

namespace orvane {

enum class Rounding { Truncate, NearestEven };

struct FaceFrame {
    int bevelWidth = 0;
    int borderWidth = 0;
};

// Bevel and border in pixels for a face `faceHeight` high, from their settings in 66ths.
FaceFrame ScaleFaceFrame(int faceHeight, int bevelSetting, int borderSetting, Rounding rounding);

struct FaceDims {
    int faceWidth = 0;
    int faceHeight = 0;
};

// The usable inner size: with both bevels drawn the bevel counts four times, else twice.
FaceDims GetTotalDims(int panelWidth, int panelHeight, const FaceFrame &frame, bool bothBevels);

// Width of `text` at font height `height` in pixels.
using TextMeasure = std::function<int(const std::string &text, int height)>;

// The largest font height up to `startHeight` at which `text` is at most `faceWidth` wide, found
// from one measurement and a proportional estimate plus a step or two (each measurement loads a
// font, which is what a start pays for). The height never goes below one pixel: a text too wide
// at any height stops there.
int FitFontHeight(const std::string &text, int startHeight, int faceWidth, const TextMeasure &measure);

} // namespace orvane
