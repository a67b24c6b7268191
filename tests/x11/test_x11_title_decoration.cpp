// The title-bar clock on real windows: what other programs' owners and users would see.
#include "app/clock/title_decorator.h"
#include "x11_fixture.h"

namespace orvane::testing_x11 {
namespace {

const std::string kSuffix = " - 7:05 PM";

class TitleDecorationX11 : public X11Test {
protected:
    void tick(WindowScope scope = WindowScope::AllWindows) { decorator->decorate(kSuffix, scope); }
    std::string shown(Window w) { return x.netWmName(w); }

    void SetUp() override
    {
        X11Test::SetUp();
        if (!IsSkipped())
            decorator = std::make_unique<TitleDecorator>(*layer);
    }

    std::unique_ptr<TitleDecorator> decorator;
};

TEST_F(TitleDecorationX11, SwitchingWindowsMovesTheSuffix)
{
    const Window a = x.createWindow("Mail");
    const Window b = x.createWindow("Terminal");
    x.setActiveWindow(a);
    tick();
    EXPECT_EQ(shown(a), "Mail - 7:05 PM");
    EXPECT_EQ(x.wmName(a), "Mail - 7:05 PM");
    x.setActiveWindow(b);
    tick();
    EXPECT_EQ(shown(a), "Mail");
    EXPECT_EQ(x.wmName(a), "Mail");
    EXPECT_EQ(shown(b), "Terminal - 7:05 PM");
}

TEST_F(TitleDecorationX11, WindowRewritingItsTitleIsRedecorated)
{
    const Window w = x.createWindow("Page one");
    x.setActiveWindow(w);
    tick();
    x.setTitles(w, "Page two", "Page two");
    tick();
    EXPECT_EQ(shown(w), "Page two - 7:05 PM");
    decorator->restore();
    EXPECT_EQ(shown(w), "Page two");
}

TEST_F(TitleDecorationX11, ParentOnlyDecoratesTheDialogsParent)
{
    const Window main = x.createWindow("Document");
    const Window dialog = x.createWindow("Print");
    x.setTransientFor(dialog, main);
    x.setActiveWindow(dialog);
    tick(WindowScope::ParentOnly);
    EXPECT_EQ(shown(main), "Document - 7:05 PM");
    EXPECT_EQ(shown(dialog), "Print");
}

TEST_F(TitleDecorationX11, UntitledWindowShowsTheSuffixAlone)
{
    const Window w = x.createWindow("");
    x.setActiveWindow(w);
    tick();
    EXPECT_EQ(shown(w), " - 7:05 PM");
}

TEST_F(TitleDecorationX11, DestroyedDecoratedWindowIsNoFault)
{
    const Window gone = x.createWindow("Viewer");
    const Window next = x.createWindow("Editor");
    x.setActiveWindow(gone);
    tick();
    x.destroyWindow(gone);
    x.setActiveWindow(next);
    tick();
    EXPECT_EQ(shown(next), "Editor - 7:05 PM");
    // The front window itself vanishing between ticks is no fault either.
    x.destroyWindow(next);
    tick();
    EXPECT_EQ(decorator->decoratedWindow(), NoWindow);
}

} // namespace
} // namespace orvane::testing_x11
