#pragma once
// The properties of the 3-D label and the rules that tie them together: a style sets the layers'
// directions and depths, a colour scheme sets the three colours, and setting a layer directly
// makes the style or the scheme a custom one. Painting reads the layer offsets from here.
#include <cstdint>

namespace orvane {

enum class TEffectDirection {
    edNone,
    edUp,
    edUpRight,
    edRight,
    edDownRight,
    edDown,
    edDownLeft,
    edLeft,
    edUpLeft
};
enum class TEffectStyle { esNone, esCustom, esRaised, esSunken, esShadow, esFlying };
enum class TColourScheme { csCustom, csText, csWindows, csEmbossed, csGold, csSteel };
enum class TLabelAlignment { taLeftJustify, taRightJustify, taCenter };

constexpr int kMaxEffectDepth = 10;

struct EffectStep {
    int dx = 0;
    int dy = 0;
};
// One pixel's step in a direction; (0, 0) for edNone.
EffectStep DirectionStep(TEffectDirection direction);

// Colours as 0x00BBGGRR values.
struct SchemeColours {
    uint32_t highlight = 0;
    uint32_t shadow = 0;
    uint32_t face = 0;
};
// The table's colours; for csCustom, the first custom colours.
SchemeColours SchemeTable(TColourScheme scheme);

// Where each layer is drawn, relative to the control: the layer's own offset plus the shift that
// keeps every layer inside the control at the top and left.
struct LayerOffsets {
    EffectStep shadow;
    EffectStep highlight;
    int shift = 0;
};

struct TextOrigin {
    int x = 0;
    int y = 0;
};

class TLabelEffectModel {
public:
    int DepthHighlight() const { return m_depthHighlight; }
    int DepthShadow() const { return m_depthShadow; }
    TEffectDirection DirectionHighlight() const { return m_directionHighlight; }
    TEffectDirection DirectionShadow() const { return m_directionShadow; }
    uint32_t ColourHighlight() const { return m_colourHighlight; }
    uint32_t ColourShadow() const { return m_colourShadow; }
    uint32_t FontColour() const { return m_fontColour; }
    TEffectStyle EffectStyle() const { return m_style; }
    TColourScheme ColourScheme() const { return m_scheme; }
    bool AsButton() const { return m_asButton; }
    int Angle() const { return m_angle; }
    double AngleCos() const { return m_cos; }
    double AngleSin() const { return m_sin; }
    TLabelAlignment Alignment() const { return m_alignment; }

    // Depths outside 0..10 are brought into it; setting a depth or direction makes the style
    // esCustom.
    void SetDepthHighlight(int depth);
    void SetDepthShadow(int depth);
    void SetDirectionHighlight(TEffectDirection direction);
    void SetDirectionShadow(TEffectDirection direction);
    // Stores the colour as the custom scheme's and makes the scheme csCustom.
    void SetColourHighlight(uint32_t colour);
    void SetColourShadow(uint32_t colour);
    void SetFontColour(uint32_t colour) { m_fontColour = colour; }
    void SetEffectStyle(TEffectStyle style);
    void SetColourScheme(TColourScheme scheme);
    // True makes the style esRaised.
    void SetAsButton(bool asButton);
    // Angles outside 0..359 are taken modulo 360; a non-zero angle forces left alignment.
    void SetAngle(int angle);
    void SetAlignment(TLabelAlignment alignment) { m_alignment = alignment; }

    LayerOffsets Offsets() const;
    // Where rotated text starts: `paddedWidth` is the width of the caption followed by three
    // blanks, `width` and `height` the caption's own.
    TextOrigin RotatedOrigin(int paddedWidth, int width, int height) const;

private:
    int m_depthHighlight = 1;
    int m_depthShadow = 1;
    TEffectDirection m_directionHighlight = TEffectDirection::edUpLeft;
    TEffectDirection m_directionShadow = TEffectDirection::edDownRight;
    uint32_t m_colourHighlight = 0xFFFFFF;
    uint32_t m_colourShadow = 0x000000;
    uint32_t m_fontColour = 0x808080;
    SchemeColours m_custom{0xFFFFFF, 0x000000, 0x808080};
    TEffectStyle m_style = TEffectStyle::esRaised;
    TColourScheme m_scheme = TColourScheme::csWindows;
    bool m_asButton = false;
    int m_angle = 0;
    double m_cos = 1.0;
    double m_sin = 0.0;
    TLabelAlignment m_alignment = TLabelAlignment::taLeftJustify;
};

} // namespace orvane
