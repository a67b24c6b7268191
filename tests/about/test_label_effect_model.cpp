#include "app/about/label_effect_model.h"

#include <gtest/gtest.h>

using namespace orvane;
using D = TEffectDirection;

TEST(LabelEffectModel, StartsRaisedInTheWindowsScheme)
{
    TLabelEffectModel m;
    EXPECT_EQ(m.EffectStyle(), TEffectStyle::esRaised);
    EXPECT_EQ(m.ColourScheme(), TColourScheme::csWindows);
    EXPECT_EQ(m.DirectionHighlight(), D::edUpLeft);
    EXPECT_EQ(m.DirectionShadow(), D::edDownRight);
    EXPECT_EQ(m.DepthHighlight(), 1);
    EXPECT_EQ(m.DepthShadow(), 1);
    EXPECT_EQ(m.FontColour(), 0x808080u);
}

struct StyleCase {
    TEffectStyle style;
    D highlight, shadow;
    int depthHighlight, depthShadow;
    bool asButtonAfter; // starting from AsButton true
};

TEST(LabelEffectModel, EachStyleSetsItsLayers)
{
    const StyleCase cases[] = {
        {TEffectStyle::esNone, D::edNone, D::edNone, 0, 0, false},
        {TEffectStyle::esRaised, D::edUpLeft, D::edDownRight, 1, 1, true},
        {TEffectStyle::esSunken, D::edDownRight, D::edUpLeft, 1, 1, true},
        {TEffectStyle::esShadow, D::edNone, D::edDownRight, 0, 2, false},
        {TEffectStyle::esFlying, D::edDownRight, D::edDownRight, 1, 5, false},
    };
    for (const StyleCase &c : cases) {
        TLabelEffectModel m;
        m.SetAsButton(true);
        m.SetEffectStyle(c.style);
        EXPECT_EQ(m.EffectStyle(), c.style);
        EXPECT_EQ(m.DirectionHighlight(), c.highlight) << int(c.style);
        EXPECT_EQ(m.DirectionShadow(), c.shadow) << int(c.style);
        EXPECT_EQ(m.DepthHighlight(), c.depthHighlight) << int(c.style);
        EXPECT_EQ(m.DepthShadow(), c.depthShadow) << int(c.style);
        EXPECT_EQ(m.AsButton(), c.asButtonAfter) << int(c.style);
    }
}

TEST(LabelEffectModel, SettingALayerDirectlyMakesTheStyleCustom)
{
    TLabelEffectModel m;
    m.SetDepthShadow(3);
    EXPECT_EQ(m.EffectStyle(), TEffectStyle::esCustom);
    m.SetEffectStyle(TEffectStyle::esRaised);
    m.SetDirectionHighlight(D::edUp);
    EXPECT_EQ(m.EffectStyle(), TEffectStyle::esCustom);
    m.SetDepthHighlight(42);
    EXPECT_EQ(m.DepthHighlight(), kMaxEffectDepth);
}

TEST(LabelEffectModel, FlyingInTheWindowsSchemeDrawsTheHighlightBlack)
{
    TLabelEffectModel m;
    m.SetEffectStyle(TEffectStyle::esFlying);
    EXPECT_EQ(m.ColourHighlight(), 0x000000u);
}

TEST(LabelEffectModel, SchemesSetTheThreeColoursAndBecomeTheCustomOnes)
{
    const std::pair<TColourScheme, SchemeColours> cases[] = {
        {TColourScheme::csText, {0xFFFFFF, 0x808080, 0x000000}},
        {TColourScheme::csEmbossed, {0xFFFFFF, 0x000000, 0xC0C0C0}},
        {TColourScheme::csGold, {0x00FFFF, 0x000000, 0x008080}},
        {TColourScheme::csSteel, {0xFFFF00, 0x800000, 0x808000}},
    };
    for (const auto &[scheme, colours] : cases) {
        TLabelEffectModel m;
        m.SetColourScheme(scheme);
        EXPECT_EQ(m.ColourHighlight(), colours.highlight);
        EXPECT_EQ(m.ColourShadow(), colours.shadow);
        EXPECT_EQ(m.FontColour(), colours.face);
        // Going custom afterwards keeps the colours just chosen.
        m.SetColourScheme(TColourScheme::csCustom);
        EXPECT_EQ(m.ColourHighlight(), colours.highlight);
        EXPECT_EQ(m.ColourShadow(), colours.shadow);
        EXPECT_EQ(m.FontColour(), colours.face);
    }
}

TEST(LabelEffectModel, ADirectColourMakesTheSchemeCustom)
{
    TLabelEffectModel m;
    m.SetColourShadow(0x123456);
    EXPECT_EQ(m.ColourScheme(), TColourScheme::csCustom);
    m.SetColourScheme(TColourScheme::csCustom);
    EXPECT_EQ(m.ColourShadow(), 0x123456u);
}

TEST(LabelEffectModel, AngleForcesLeftAlignment)
{
    TLabelEffectModel m;
    m.SetAlignment(TLabelAlignment::taCenter);
    m.SetAngle(0);
    EXPECT_EQ(m.Alignment(), TLabelAlignment::taCenter);
    m.SetAngle(90);
    EXPECT_EQ(m.Alignment(), TLabelAlignment::taLeftJustify);
    EXPECT_NEAR(m.AngleCos(), 0.0, 1e-9);
    EXPECT_NEAR(m.AngleSin(), 1.0, 1e-9);
}

TEST(LabelEffectModel, OffsetsShiftEveryLayerInsideTheControl)
{
    TLabelEffectModel m;
    m.SetEffectStyle(TEffectStyle::esNone);
    EXPECT_EQ(m.Offsets().shift, 0);
    m.SetDirectionShadow(D::edUpLeft);
    m.SetDepthShadow(2);
    const LayerOffsets o = m.Offsets();
    EXPECT_EQ(o.shift, 2);
    EXPECT_EQ(o.shadow.dx, -2);
    EXPECT_EQ(o.shadow.dy, -2);
    EXPECT_EQ(o.highlight.dx, 0);

    TLabelEffectModel raised;
    EXPECT_EQ(raised.Offsets().shift, 1); // the highlight goes up and left by one
}

TEST(LabelEffectModel, RotatedOriginTurnsAboutTheCentre)
{
    TLabelEffectModel m;
    m.SetAngle(90);
    // c = 60; x0 = c - round(40 cos) - round(10 sin); y0 = c + round(40 sin) - round(10 cos)
    const TextOrigin o = m.RotatedOrigin(120, 80, 20);
    EXPECT_EQ(o.x, 50);
    EXPECT_EQ(o.y, 100);
    m.SetAngle(0);
    const TextOrigin flat = m.RotatedOrigin(120, 80, 20);
    EXPECT_EQ(flat.x, 20);
    EXPECT_EQ(flat.y, 50);
}
