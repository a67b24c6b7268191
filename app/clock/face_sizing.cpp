#include "app/clock/face_sizing.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

int Scale(int faceHeight, int setting, Rounding rounding)
{
    const int64_t product = static_cast<int64_t>(faceHeight) * setting;
    if (rounding == Rounding::Truncate)
        return static_cast<int>(product / 66);
    return static_cast<int>(std::nearbyint(static_cast<double>(product) / 66.0)); // ties to even
}

} // namespace

FaceFrame ScaleFaceFrame(int faceHeight, int bevelSetting, int borderSetting, Rounding rounding)
{
    // A damaged settings file must not turn the frame into something wider than the face.
    bevelSetting = std::clamp(bevelSetting, 0, 66);
    borderSetting = std::clamp(borderSetting, 0, 66);
    return {Scale(faceHeight, bevelSetting, rounding), Scale(faceHeight, borderSetting, rounding)};
}

FaceDims GetTotalDims(int panelWidth, int panelHeight, const FaceFrame &frame, bool bothBevels)
{
    const int k = bothBevels ? 4 : 2;
    const int inset = k * frame.bevelWidth + 2 * frame.borderWidth;
    return {panelWidth - inset, panelHeight - inset};
}

int FitFontHeight(const std::string &text, int startHeight, int faceWidth, const TextMeasure &measure)
{
    int height = std::max(startHeight, 1);
    while (height > 1 && measure(text, height) > faceWidth)
        height = std::max(height - 5, 1);
    return height;
}

} // namespace orvane
