#include "app/about/label_effect_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane {
namespace {

int ClampDepth(int depth) { return std::clamp(depth, 0, kMaxEffectDepth); }

// Rounds halves to even, as the painting's origin arithmetic expects.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

EffectStep DirectionStep(TEffectDirection direction)
{
    switch (direction) {
    case TEffectDirection::edNone: return {0, 0};
    case TEffectDirection::edUp: return {0, -1};
    case TEffectDirection::edUpRight: return {1, -1};
    case TEffectDirection::edRight: return {1, 0};
    case TEffectDirection::edDownRight: return {1, 1};
    case TEffectDirection::edDown: return {0, 1};
    case TEffectDirection::edDownLeft: return {-1, 1};
    case TEffectDirection::edLeft: return {-1, 0};
    case TEffectDirection::edUpLeft: return {-1, -1};
    }
    return {0, 0};
}

SchemeColours SchemeTable(TColourScheme scheme)
{
    switch (scheme) {
    case TColourScheme::csCustom: return {0xFFFFFF, 0x000000, 0x808080};
    case TColourScheme::csText: return {0xFFFFFF, 0x808080, 0x000000};
    case TColourScheme::csWindows: return {0xFFFFFF, 0x000000, 0x808080};
    case TColourScheme::csEmbossed: return {0xFFFFFF, 0x000000, 0xC0C0C0};
    case TColourScheme::csGold: return {0x00FFFF, 0x000000, 0x008080};
    case TColourScheme::csSteel: return {0xFFFF00, 0x800000, 0x808000};
    }
    return {};
}

void TLabelEffectModel::SetDepthHighlight(int depth)
{
    m_depthHighlight = ClampDepth(depth);
    m_style = TEffectStyle::esCustom;
}

void TLabelEffectModel::SetDepthShadow(int depth)
{
    m_depthShadow = ClampDepth(depth);
    m_style = TEffectStyle::esCustom;
}

void TLabelEffectModel::SetDirectionHighlight(TEffectDirection direction)
{
    m_directionHighlight = direction;
    m_style = TEffectStyle::esCustom;
}

void TLabelEffectModel::SetDirectionShadow(TEffectDirection direction)
{
    m_directionShadow = direction;
    m_style = TEffectStyle::esCustom;
}

void TLabelEffectModel::SetColourHighlight(uint32_t colour)
{
    m_colourHighlight = colour;
    m_custom.highlight = colour;
    m_scheme = TColourScheme::csCustom;
}

void TLabelEffectModel::SetColourShadow(uint32_t colour)
{
    m_colourShadow = colour;
    m_custom.shadow = colour;
    m_scheme = TColourScheme::csCustom;
}

void TLabelEffectModel::SetEffectStyle(TEffectStyle style)
{
    m_style = style;
    const SchemeColours scheme = m_scheme == TColourScheme::csCustom ? m_custom : SchemeTable(m_scheme);
    m_colourHighlight = scheme.highlight;
    switch (style) {
    case TEffectStyle::esNone:
        m_directionHighlight = m_directionShadow = TEffectDirection::edNone;
        m_depthHighlight = m_depthShadow = 0;
        m_asButton = false;
        break;
    case TEffectStyle::esCustom: m_asButton = false; break;
    case TEffectStyle::esRaised:
        m_directionHighlight = TEffectDirection::edUpLeft;
        m_directionShadow = TEffectDirection::edDownRight;
        m_depthHighlight = m_depthShadow = 1;
        break;
    case TEffectStyle::esSunken:
        m_directionHighlight = TEffectDirection::edDownRight;
        m_directionShadow = TEffectDirection::edUpLeft;
        m_depthHighlight = m_depthShadow = 1;
        break;
    case TEffectStyle::esShadow:
        m_directionHighlight = TEffectDirection::edNone;
        m_depthHighlight = 0;
        m_directionShadow = TEffectDirection::edDownRight;
        m_depthShadow = 2;
        m_asButton = false;
        break;
    case TEffectStyle::esFlying:
        m_directionHighlight = m_directionShadow = TEffectDirection::edDownRight;
        m_depthHighlight = 1;
        m_depthShadow = 5;
        m_colourHighlight = scheme.shadow;
        m_asButton = false;
        break;
    }
}

void TLabelEffectModel::SetColourScheme(TColourScheme scheme)
{
    m_scheme = scheme;
    if (scheme != TColourScheme::csCustom)
        m_custom = SchemeTable(scheme);
    m_colourHighlight = m_custom.highlight;
    m_fontColour = m_custom.face;
    m_colourShadow = m_custom.shadow;
}

void TLabelEffectModel::SetAsButton(bool asButton)
{
    m_asButton = asButton;
    if (asButton)
        SetEffectStyle(TEffectStyle::esRaised);
}

void TLabelEffectModel::SetAngle(int angle)
{
    m_angle = ((angle % 360) + 360) % 360;
    const double radians = m_angle * std::numbers::pi / 180.0;
    m_cos = std::cos(radians);
    m_sin = std::sin(radians);
    if (m_angle != 0)
        m_alignment = TLabelAlignment::taLeftJustify;
}

LayerOffsets TLabelEffectModel::Offsets() const
{
    const EffectStep s = DirectionStep(m_directionShadow);
    const EffectStep h = DirectionStep(m_directionHighlight);
    LayerOffsets o;
    o.shadow = {s.dx * m_depthShadow, s.dy * m_depthShadow};
    o.highlight = {h.dx * m_depthHighlight, h.dy * m_depthHighlight};
    const int m = std::min({o.shadow.dx, o.highlight.dx, o.shadow.dy, o.highlight.dy, 0});
    o.shift = -m;
    return o;
}

TextOrigin TLabelEffectModel::RotatedOrigin(int paddedWidth, int width, int height) const
{
    const double c = paddedWidth / 2.0;
    const double halfW = width / 2.0, halfH = height / 2.0;
    TextOrigin o;
    o.x = static_cast<int>(c) - RoundEven(halfW * m_cos) - RoundEven(halfH * m_sin);
    o.y = static_cast<int>(c) + RoundEven(halfW * m_sin) - RoundEven(halfH * m_cos);
    return o;
}

} // namespace orvane
