// The title-bar clock on real windows: what other programs' owners and users would see.
#include "app/clock/title_decorator.h"
#include "x11_fixture.h"

#include <poll.h>

namespace orvane::testing_x11 {
namespace {

const std::string kSuffix = " - 7:05 PM";

class TitleDecorationX11 : public X11Test {
protected:
    void tick(WindowScope scope = WindowScope::AllWindows, const std::string &suffix = kSuffix)
    {
        settle();
        decorator->decorate(suffix, scope);
    }
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

TEST_F(TitleDecorationX11, LongTitleShowsTheTimeAndComesBackWhole)
{
    std::string longTitle;
    for (int i = 0; i < 12; ++i)
        longTitle += "Chapter " + std::to_string(i) + ".";
    longTitle.resize(120, '+');
    const Window a = x.createWindow(longTitle);
    const Window b = x.createWindow("Other");
    x.setActiveWindow(a);
    tick();
    tick();
    EXPECT_EQ(shown(a), longTitle.substr(0, 93) + kSuffix);
    EXPECT_EQ(x.wmName(a), longTitle.substr(0, 93) + kSuffix);
    x.setActiveWindow(b);
    tick();
    EXPECT_EQ(shown(a), longTitle);
    EXPECT_EQ(x.wmName(a), longTitle);
}

TEST_F(TitleDecorationX11, SuffixLeftByACrashedRunIsReplacedNotStacked)
{
    const Window w = x.createWindow("Terminal - 7:02 PM");
    x.setActiveWindow(w);
    tick();
    EXPECT_EQ(shown(w), "Terminal - 7:05 PM");
    decorator->redecorate(" - 7:06 PM");
    EXPECT_EQ(shown(w), "Terminal - 7:06 PM");
    // A program that builds its new title from the decorated one is not stacked either.
    x.setTitles(w, "* Terminal - 7:06 PM", "* Terminal - 7:06 PM");
    tick(WindowScope::AllWindows, " - 7:06 PM");
    EXPECT_EQ(shown(w), "* Terminal - 7:06 PM");
}

TEST_F(TitleDecorationX11, ASecondWithoutChangeAsksTheServerNothing)
{
    const Window main = x.createWindow("Document");
    const Window dialog = x.createWindow("Print");
    x.setTransientFor(dialog, main);
    x.setActiveWindow(dialog);
    for (const WindowScope scope : {WindowScope::AllWindows, WindowScope::ParentOnly}) {
        tick(scope);
        const unsigned long before = x11Layer().requestsSent();
        decorator->decorate(kSuffix, scope);
        decorator->decorate(kSuffix, scope);
        EXPECT_EQ(x11Layer().requestsSent(), before);
    }
    EXPECT_EQ(shown(main), "Document - 7:05 PM");
    // News still arrives: the owner's new title and the next front window.
    x.setTitles(main, "Document (2)", "Document (2)");
    tick(WindowScope::ParentOnly);
    EXPECT_EQ(shown(main), "Document (2) - 7:05 PM");
    x.setActiveWindow(main);
    x.setActiveWindow(x.createWindow("Editor"));
    tick(WindowScope::ParentOnly);
    EXPECT_EQ(shown(main), "Document (2)");
}

TEST_F(TitleDecorationX11, NewsArrivesOnTheDescriptorWithoutAnyRequest)
{
    const Window a = x.createWindow("Mail");
    x.setActiveWindow(a);
    tick();
    const int fd = layer->eventDescriptor();
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(layer->processEvents());
    x.setTitles(a, "Mail (1)", "Mail (1)");
    pollfd ready{fd, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 2000), 1);
    EXPECT_TRUE(layer->processEvents());
    EXPECT_EQ(layer->title(a), "Mail (1)");
}

} // namespace
} // namespace orvane::testing_x11
