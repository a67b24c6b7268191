// The type, text and activate verbs of the kyloom command as a user runs them.
#include "tests/support/display_required.h"
#include <gtest/gtest.h>

#include "tests/macroengine/support/test_key_string_window.h"
#include "tests/macroengine/support/tool_runner.h"

#include <cstdlib>
#include <string>

using namespace orvane::test;

namespace {

class KyloomTypingTool : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        XInitThreads();
        // Keeps a bare server from resetting itself between the commands.
        s_keepServer = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
    }

    static void TearDownTestSuite()
    {
        if (s_keepServer)
            XCloseDisplay(s_keepServer);
        s_keepServer = nullptr;
    }

    void SetUp() override { ORVANE_NEEDS_DISPLAY(s_keepServer, "needs an X display"); }

    static inline Display *s_keepServer = nullptr;
};

} // namespace

TEST_F(KyloomTypingTool, WrongArgumentsAreUsageErrors)
{
    for (const std::vector<std::string> &args : {std::vector<std::string>{"type"},
                                                 {"type", "a", "b"},
                                                 {"type", "--wait"},
                                                 {"text"},
                                                 {"text", "a", "b"},
                                                 {"activate"},
                                                 {"activate", "a", "b"}}) {
        const ToolResult result = runKyloom(args);
        EXPECT_EQ(result.status, 2) << args[0] << " with " << args.size() - 1 << " arguments";
        EXPECT_NE(result.err.find("usage: kyloom " + args[0]), std::string::npos) << result.err;
    }
}

TEST_F(KyloomTypingTool, TypeTypesIntoTheFocusedWindow)
{
    KeyStringWindow window("tool receiver");
    EXPECT_EQ(runKyloom({"type", "+hello{ENTER}"}).status, 0);
    EXPECT_EQ(runKyloom({"type", "--wait", "{(}x{)}"}).status, 0);
    // After "--" even "--wait" is the string to type.
    EXPECT_EQ(runKyloom({"type", "--", "--wait"}).status, 0);
    EXPECT_EQ(window.typedText(14), U"Hello\n(x)--wait");
}

TEST_F(KyloomTypingTool, TypeFailsWithTheLanguagesMessage)
{
    KeyStringWindow window("tool receiver");
    const ToolResult result = runKyloom({"type", "a{XYZ}b{c"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "kyloom: SendKeys: Invalid Key Name\nkyloom: SendKeys: No Close\n");
    EXPECT_EQ(window.typedText(2), U"ab");
}

TEST_F(KyloomTypingTool, ABadRepeatCountCarriesTheLanguagesCaption)
{
    KeyStringWindow window("tool receiver");
    const ToolResult result = runKyloom({"type", "a{LEFT x}b"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "kyloom: SendKeys: An unknown error has occurred\n");
    // Typing stops at the bad count.
    EXPECT_EQ(window.typedText(1), U"a");
}

TEST_F(KyloomTypingTool, WithoutADisplayEachVerbSaysSo)
{
    const std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    const ToolResult type = runKyloom({"type", "abc"});
    const ToolResult text = runKyloom({"text", "abc"});
    const ToolResult activate = runKyloom({"activate", "abc"});
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_EQ(type.status, 1);
    EXPECT_EQ(type.err, "kyloom: SendKeys: Cannot open the X display\n");
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err, "kyloom: SendText: Cannot open the X display\n");
    EXPECT_EQ(activate.status, 1);
    EXPECT_EQ(activate.err, "kyloom: AppActivate: Cannot open the X display\n");
}

TEST_F(KyloomTypingTool, TextSendsPlainCharacters)
{
    KeyStringWindow window("tool receiver");
    EXPECT_EQ(runKyloom({"text", "+a~{b}"}).status, 0);
    EXPECT_EQ(window.typedText(6), U"+a~{b}");
}

TEST_F(KyloomTypingTool, ActivateFindsTheWindowByItsExactTitle)
{
    KeyStringWindow target("Tool target");
    KeyStringWindow other("Other window");
    ASSERT_TRUE(focusIs(other.id()));
    const ToolResult missing = runKyloom({"activate", "Tool targe"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "kyloom: no window is titled \"Tool targe\"\n");
    EXPECT_TRUE(focusIs(other.id()));
    EXPECT_EQ(runKyloom({"activate", "Tool target"}).status, 0);
    EXPECT_TRUE(focusIs(target.id()));
}
