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
    const int start = std::max(startHeight, 1);
    int height = start;
    int width = measure(text, height);
    if (width <= faceWidth || height == 1)
        return height;
    // A text's width grows almost in proportion to its font height, so one measurement gives an
    // estimate within a pixel or two of the answer; hinting and rounding are settled by stepping
    // down from there. Every step lowers the height, so the search ends.
    const int room = std::max(faceWidth, 0);
    while (height > 1 && width > faceWidth) {
        const int estimate = static_cast<int>(static_cast<int64_t>(height) * room / std::max(width, 1));
        height = std::clamp(estimate, 1, height - 1);
        width = measure(text, height);
    }
    // The estimate may land a pixel low; one measurement one pixel up says whether it did.
    if (width <= faceWidth && height + 1 < start && measure(text, height + 1) <= faceWidth)
        ++height;
    return height;
}

} // namespace orvane
