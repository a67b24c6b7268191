#pragma once
// The one way the program tells the user about a failure. The program's reporter writes to
// standard error and, unless message boxes are turned off, shows a box; tests use a fake that
// remembers what it was told.
#include <string>

namespace orvane {

class Reporter {
public:
    virtual ~Reporter() = default;
    // Tells the user about a failure under the program's own caption. May be called from any
    // thread; a box, if any, is shown from the event loop and never blocks the caller.
    void report(const std::string &text) { reportWithCaption("Orvane", text); }
    // The same with another caption ("" for none, as the macro engine's messages have).
    virtual void reportWithCaption(const std::string &caption, const std::string &text) = 0;
};

// The program's reporter, for windows that other windows create: the program sets it at start
// and tests set a fake. Without one, reports go to standard error.
Reporter &ProgramReporter();
void SetProgramReporter(Reporter *reporter);

} // namespace orvane
