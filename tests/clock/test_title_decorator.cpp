#include "app/clock/title_decorator.h"
#include "app/platform/fake/fake_window_layer.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvane {
namespace {

using Write = FakeWindowLayer::TitleWrite;

const std::string kSuffix = " - 7:05 PM";
const std::string kNextSuffix = " - 7:06 PM";

class TitleDecoratorTest : public testing::Test {
protected:
    std::string titleOf(WindowId w) const
    {
        const auto *window = windows.window(w);
        return window ? window->title : "<gone>";
    }
    void tick(WindowScope scope = WindowScope::AllWindows) { decorator.decorate(kSuffix, scope); }

    FakeWindowLayer windows;
    TitleDecorator decorator{windows};
};

TEST_F(TitleDecoratorTest, FrontWindowGetsTheSuffixOnceAndKeepsIt)
{
    const WindowId editor = windows.addWindow("Editor");
    windows.setForeground(editor);
    tick();
    tick();
    tick();
    EXPECT_EQ(windows.titleWrites(), (std::vector<Write>{{editor, "Editor - 7:05 PM"}}));
    EXPECT_EQ(decorator.decoratedWindow(), editor);
    EXPECT_EQ(decorator.baseTitle(), "Editor");
}

TEST_F(TitleDecoratorTest, SwitchingWindowsMovesTheSuffix)
{
    const WindowId a = windows.addWindow("Mail");
    const WindowId b = windows.addWindow("Terminal");
    windows.setForeground(a);
    tick();
    windows.setForeground(b);
    tick();
    EXPECT_EQ(titleOf(a), "Mail");
    EXPECT_EQ(titleOf(b), "Terminal - 7:05 PM");
    windows.setForeground(a);
    tick();
    EXPECT_EQ(titleOf(a), "Mail - 7:05 PM");
    EXPECT_EQ(titleOf(b), "Terminal");
}

TEST_F(TitleDecoratorTest, OwnerRewritingItsTitleIsRedecoratedAtTheNextTick)
{
    const WindowId browser = windows.addWindow("Home");
    windows.setForeground(browser);
    tick();
    windows.ownerSetsTitle(browser, "News");
    tick();
    EXPECT_EQ(titleOf(browser), "News - 7:05 PM");
    EXPECT_EQ(decorator.baseTitle(), "News");
    // Leaving it gives back the owner's latest title, not the first one.
    windows.setForeground(windows.addWindow("Other"));
    tick();
    EXPECT_EQ(titleOf(browser), "News");
}

TEST_F(TitleDecoratorTest, NewMinuteRewritesTheDecoratedTitleAtOnce)
{
    const WindowId editor = windows.addWindow("Editor");
    windows.setForeground(editor);
    tick();
    windows.clearTitleWrites();
    decorator.redecorate(kNextSuffix);
    EXPECT_EQ(windows.titleWrites(), (std::vector<Write>{{editor, "Editor - 7:06 PM"}}));
    // The per-second step with the new suffix then finds nothing to do.
    decorator.decorate(kNextSuffix, WindowScope::AllWindows);
    EXPECT_EQ(windows.titleWrites().size(), 1u);
}

TEST_F(TitleDecoratorTest, NewMinuteWritesNothingWhenNothingWouldChange)
{
    decorator.redecorate(kNextSuffix);
    EXPECT_TRUE(windows.titleWrites().empty());
    // The first tick decorates and is a minute tick too: one write, not two.
    const WindowId editor = windows.addWindow("Editor");
    windows.setForeground(editor);
    tick();
    decorator.redecorate(kSuffix);
    EXPECT_EQ(windows.titleWrites(), (std::vector<Write>{{editor, "Editor - 7:05 PM"}}));
}

struct ScopeCase {
    const char *name;
    WindowScope scope;
    bool dialogHasParent;
    bool parentDecorated; // otherwise the dialog itself is
};

// The case's name stands for it in the test output.
void PrintTo(const ScopeCase &c, std::ostream *os) { *os << c.name; }

class TitleDecoratorScopeTest : public TitleDecoratorTest, public testing::WithParamInterface<ScopeCase> {};

TEST_P(TitleDecoratorScopeTest, DecoratesDialogOrItsParent)
{
    const auto &c = GetParam();
    const WindowId main = windows.addWindow("Spreadsheet");
    const WindowId dialog = windows.addWindow("Save As", c.dialogHasParent ? main : NoWindow);
    windows.setForeground(dialog);
    tick(c.scope);
    EXPECT_EQ(titleOf(main), c.parentDecorated ? "Spreadsheet - 7:05 PM" : "Spreadsheet");
    EXPECT_EQ(titleOf(dialog), c.parentDecorated ? "Save As" : "Save As - 7:05 PM");
}

INSTANTIATE_TEST_SUITE_P(
    Scopes, TitleDecoratorScopeTest,
    testing::Values(ScopeCase{"ParentOnlyDialogLeavesItsOwnTitle", WindowScope::ParentOnly, true, true},
                    ScopeCase{"ParentOnlyWithoutParentDecoratesTheWindow", WindowScope::ParentOnly, false,
                              false},
                    ScopeCase{"AllWindowsDecoratesTheDialog", WindowScope::AllWindows, true, false}),
    [](const testing::TestParamInfo<ScopeCase> &info) { return info.param.name; });

TEST_F(TitleDecoratorTest, UntitledWindowShowsTheSuffixAloneAndGetsNoTitleBack)
{
    const WindowId untitled = windows.addWindow("");
    const WindowId other = windows.addWindow("Other");
    windows.setForeground(untitled);
    tick();
    EXPECT_EQ(titleOf(untitled), " - 7:05 PM");
    windows.setForeground(other);
    tick();
    EXPECT_EQ(titleOf(untitled), "");
}

TEST_F(TitleDecoratorTest, DestroyedDecoratedWindowIsForgottenAndTheNewFrontDecorated)
{
    const WindowId gone = windows.addWindow("Viewer");
    const WindowId next = windows.addWindow("Editor");
    windows.setForeground(gone);
    tick();
    windows.destroyWindow(gone);
    windows.setForeground(next);
    windows.clearTitleWrites();
    tick();
    EXPECT_EQ(windows.titleWrites(), (std::vector<Write>{{next, "Editor - 7:05 PM"}}));
}

TEST_F(TitleDecoratorTest, NothingInFrontGivesTheLastWindowItsTitleBack)
{
    const WindowId editor = windows.addWindow("Editor");
    windows.setForeground(editor);
    tick();
    windows.setForeground(NoWindow);
    tick();
    EXPECT_EQ(titleOf(editor), "Editor");
    EXPECT_EQ(decorator.decoratedWindow(), NoWindow);
    // The front window destroyed with nothing else in front is no fault either.
    windows.setForeground(editor);
    tick();
    windows.destroyWindow(editor);
    tick();
    EXPECT_EQ(decorator.decoratedWindow(), NoWindow);
}

TEST_F(TitleDecoratorTest, RestoreGivesTheOwnTitleBackOnce)
{
    const WindowId editor = windows.addWindow("Editor");
    windows.setForeground(editor);
    tick();
    decorator.restore();
    decorator.restore();
    EXPECT_EQ(windows.titleWrites(), (std::vector<Write>{{editor, "Editor - 7:05 PM"}, {editor, "Editor"}}));
    EXPECT_EQ(decorator.decoratedWindow(), NoWindow);
}

TEST_F(TitleDecoratorTest, RestoreLeavesATitleTheOwnerChangedSinceTheLastTick)
{
    const WindowId a = windows.addWindow("Inbox (3)");
    windows.setForeground(a);
    tick();
    windows.ownerSetsTitle(a, "Inbox (4)");
    windows.setForeground(windows.addWindow("Other"));
    tick();
    EXPECT_EQ(titleOf(a), "Inbox (4)");
}

TEST_F(TitleDecoratorTest, LongTitleIsCutAndStaysStable)
{
    // The window's own part gives way, never the time: 93 characters and the 10 of the suffix.
    const std::string longTitle(120, 'x');
    const WindowId w = windows.addWindow(longTitle);
    windows.setForeground(w);
    tick();
    const std::string expected = std::string(93, 'x') + kSuffix;
    EXPECT_EQ(titleOf(w), expected);
    EXPECT_EQ(decorator.baseTitle(), longTitle);
    // The cut title read back is ours, not a new title of the owner's: no rewrite, no growth.
    tick();
    tick();
    EXPECT_EQ(windows.titleWrites().size(), 1u);
    EXPECT_EQ(titleOf(w), expected);
    // Leaving it gives the whole title back.
    windows.setForeground(windows.addWindow("Other"));
    tick();
    EXPECT_EQ(titleOf(w), longTitle);
}

TEST_F(TitleDecoratorTest, TitleJustUnderTheReadLimitKeepsItsSuffixUnrepeated)
{
    // 95 characters plus a 10-character suffix passes 103: the title gives up two characters.
    const WindowId w = windows.addWindow(std::string(95, 'y'));
    windows.setForeground(w);
    for (int i = 0; i < 3; ++i)
        tick();
    EXPECT_EQ(titleOf(w), std::string(93, 'y') + kSuffix);
    EXPECT_EQ(windows.titleWrites().size(), 1u);
    decorator.redecorate(kNextSuffix);
    EXPECT_EQ(titleOf(w), std::string(93, 'y') + kNextSuffix);
}

TEST_F(TitleDecoratorTest, MultibyteTitleIsCutBetweenCharacters)
{
    // 92 ASCII characters, then two 3-byte characters: the 93rd character is kept whole.
    const std::string euro = "\xE2\x82\xAC";
    const std::string own = std::string(92, 'a') + euro + euro;
    const WindowId w = windows.addWindow(own);
    windows.setForeground(w);
    tick();
    EXPECT_EQ(decorator.baseTitle(), own);
    EXPECT_EQ(titleOf(w), std::string(92, 'a') + euro + kSuffix);
}

TEST_F(TitleDecoratorTest, ASuffixLeftByAnEarlierRunIsReplacedNotStacked)
{
    const WindowId w = windows.addWindow("Terminal - 7:02 PM");
    windows.setForeground(w);
    tick();
    EXPECT_EQ(titleOf(w), "Terminal - 7:05 PM");
    tick();
    decorator.redecorate(kNextSuffix);
    EXPECT_EQ(titleOf(w), "Terminal - 7:06 PM");
    // Given back as it was found: whether that time was ours cannot be known for sure.
    decorator.restore();
    EXPECT_EQ(titleOf(w), "Terminal - 7:02 PM");
}

TEST_F(TitleDecoratorTest, ParentOfTheFrontDialogIsLookedUpOnlyWhenTheFrontChanges)
{
    const WindowId main = windows.addWindow("Spreadsheet");
    const WindowId dialog = windows.addWindow("Save As", main);
    windows.setForeground(dialog);
    for (int i = 0; i < 5; ++i)
        tick(WindowScope::ParentOnly);
    EXPECT_EQ(windows.parentLookups(), 1);
    EXPECT_EQ(titleOf(main), "Spreadsheet - 7:05 PM");
    EXPECT_EQ(windows.watchedWindow(), main);
    windows.setForeground(main);
    tick(WindowScope::ParentOnly);
    windows.setForeground(dialog);
    tick(WindowScope::ParentOnly);
    EXPECT_EQ(windows.parentLookups(), 3);
    // The parent gone: the next front dialog's parent is looked up afresh.
    windows.destroyWindow(main);
    tick(WindowScope::ParentOnly);
    EXPECT_EQ(decorator.decoratedWindow(), NoWindow);
    EXPECT_EQ(windows.watchedWindow(), NoWindow);
    tick(WindowScope::ParentOnly);
    EXPECT_EQ(windows.parentLookups(), 4);
}

struct SuffixCase {
    const char *name;
    const char *title;
    const char *suffix;
    const char *own;
};

// The case's name stands for it in the test output.
void PrintTo(const SuffixCase &c, std::ostream *os) { *os << c.name; }

class ClockSuffixShapeTest : public testing::TestWithParam<SuffixCase> {};

TEST_P(ClockSuffixShapeTest, RecognisesOnlyATimeWrittenLikeTheSuffix)
{
    EXPECT_EQ(withoutClockSuffix(GetParam().title, GetParam().suffix), GetParam().own);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ClockSuffixShapeTest,
    testing::Values(SuffixCase{"SameFormat", "xterm - 08:10", " - 08:11", "xterm"},
                    SuffixCase{"OneDigitHour", "xterm - 8:10", " - 08:11", "xterm"},
                    SuffixCase{"OtherHalfOfTheDay", "Mail - 11:59 AM", " - 7:05 PM", "Mail"},
                    SuffixCase{"StackedByEarlierRuns", "xterm - 08:10 - 08:10", " - 08:11", "xterm"},
                    SuffixCase{"SuffixAlone", " - 08:10", " - 08:11", ""},
                    SuffixCase{"OtherLanguageWord", "Uhr - 8:10 nachm.", " - 7:05 vorm.", "Uhr"},
                    SuffixCase{"TwelveHourTitleUnder24HourClock", "Mail - 7:05 PM", " - 19:05",
                               "Mail - 7:05 PM"},
                    SuffixCase{"NotATime", "Report - 2024", " - 08:11", "Report - 2024"},
                    SuffixCase{"ThreeDigits", "Track - 123:45", " - 08:11", "Track - 123:45"},
                    SuffixCase{"OtherSeparator", "Build - 08.10", " - 08:11", "Build - 08.10"},
                    SuffixCase{"NoDash", "Standup 08:10", " - 08:11", "Standup 08:10"},
                    SuffixCase{"TimeInTheMiddle", "At - 08:10 today", " - 08:11", "At - 08:10 today"}),
    [](const testing::TestParamInfo<SuffixCase> &info) { return info.param.name; });

} // namespace
} // namespace orvane
