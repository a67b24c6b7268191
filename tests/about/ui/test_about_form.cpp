#include "app/about/ui/about_form.h"
#include "app/about/ui/label_effect.h"

#include <QAccessible>
#include <QImage>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace orvane;

namespace {

// The bounding box of the pixels of one colour in a rendered label.
QRect PixelsOf(const QImage &img, QColor colour)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage Render(TLabelEffect &label)
{
    QImage img(label.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    label.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

} // namespace

TEST(LabelEffect, LayersAreDrawnAtTheirOffsetsShiftedInsideTheControl)
{
    TLabelEffect label;
    label.resize(160, 50);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(30);
    f.setStyleStrategy(QFont::NoAntialias);
    label.setFont(f);
    label.setText(QStringLiteral("II"));
    label.SetEffectStyle(TEffectStyle::esNone);
    label.SetColourHighlight(QColor(0, 0, 255));
    label.SetColourShadow(QColor(255, 0, 0));
    label.SetFontColour(QColor(0, 255, 0));

    // No offsets: the face covers the layers below it.
    const QRect faceAlone = PixelsOf(Render(label), QColor(0, 255, 0));
    ASSERT_FALSE(faceAlone.isEmpty());

    label.SetDirectionShadow(TEffectDirection::edUpLeft);
    label.SetDepthShadow(2);
    const QImage img = Render(label);
    const QRect face = PixelsOf(img, QColor(0, 255, 0));
    const QRect shadow = PixelsOf(img, QColor(255, 0, 0));
    // Every layer moves 2 pixels right and down, and the shadow lies 2 up and left of the face.
    EXPECT_EQ(face.topLeft(), faceAlone.topLeft() + QPoint(2, 2));
    EXPECT_EQ(shadow.topLeft(), face.topLeft() - QPoint(2, 2));
}

TEST(LabelEffect, AsButtonSinksWhilePressedAndClicksOnRelease)
{
    TLabelEffect label;
    label.resize(100, 30);
    label.setText(QStringLiteral("Version 1.1"));
    label.SetAsButton(true);
    EXPECT_EQ(label.EffectStyle(), TEffectStyle::esRaised);
    int clicks = 0;
    QObject::connect(&label, &TLabelEffect::clicked, [&] { ++clicks; });
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(label.EffectStyle(), TEffectStyle::esSunken);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(label.EffectStyle(), TEffectStyle::esRaised);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(label.focusPolicy() & Qt::TabFocus);
    QTest::keyClick(&label, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
}

TEST(AboutForm, ShowsNameVersionAndSupportPages)
{
    TAboutForm form;
    QString message;
    form.setMessenger([&](const QString &m) { message = m; });
    form.show();
    EXPECT_EQ(form.windowTitle(), "About Orvane");
    EXPECT_EQ(form.size(), QSize(356, 224));
    EXPECT_EQ(form.productName()->text(), "Orvane 32");
    EXPECT_EQ(form.productName()->ColourScheme(), TColourScheme::csSteel);
    EXPECT_EQ(form.productName()->ColourHighlight(), QColor(0, 0xFF, 0xFF));
    EXPECT_EQ(form.productName()->ColourShadow(), QColor(0, 0, 0x80));
    EXPECT_EQ(form.productName()->font().pixelSize(), 29);
    EXPECT_EQ(form.versionLabel()->text(), "Version 1.1");
    EXPECT_TRUE(form.versionLabel()->AsButton());
    QTest::mouseClick(form.versionLabel(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(message, "Version 1.1, Rev A");

    EXPECT_EQ(form.tabSet()->shape(), QTabBar::RoundedSouth);
    ASSERT_EQ(form.tabSet()->count(), 2);
    EXPECT_EQ(form.tabSet()->tabText(0), "About");
    EXPECT_EQ(form.tabSet()->tabText(1), "Support");
    form.tabSet()->setCurrentIndex(1);
    EXPECT_EQ(form.notebook()->currentIndex(), 1);
    TLabelEffect *heading = form.supportHeading();
    EXPECT_EQ(heading->text(), "Product Support");
    EXPECT_EQ(heading->EffectStyle(), TEffectStyle::esCustom);
    EXPECT_EQ(heading->ColourScheme(), TColourScheme::csCustom);
    EXPECT_EQ(heading->DepthShadow(), 2);
    EXPECT_EQ(heading->ColourHighlight(), QColor(0xFF, 0xFF, 0));
    EXPECT_EQ(heading->ColourShadow(), QColor(0x80, 0x80, 0x80));

    for (QWidget *w : form.findChildren<QWidget *>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(&form) || w->objectName().startsWith("qt_"))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->metaObject()->className();
    }
}
