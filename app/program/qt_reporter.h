#pragma once
// The program's reporter: every failure goes to standard error, and to a message box shown from
// the event loop unless the run has no one at the screen (message boxes turned off) or the
// program is ending without anyone to click (a signal, `orvane --quit`, a session logout).
#include "app/common/reporter.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>

class QWidget;

namespace orvane {

enum class MessageBoxes { Shown, Off };

// How the program is ending: by the user at the screen (Exit) or on request with nobody there.
enum class Closing { Attended, Unattended };

class QtReporter : public Reporter {
public:
    explicit QtReporter(MessageBoxes boxes);
    // The window the boxes belong to, once it exists.
    void setParentWindow(QWidget *window) { m_parent = window; }
    MessageBoxes boxes() const;

    // From now on the program is closing: the same message is told once, and an unattended
    // close shows no box at all, including boxes already waiting to be shown, because nobody
    // would click them and the program must end.
    void setClosing(Closing closing);

    void reportWithCaption(const std::string &caption, const std::string &text) override;

private:
    std::shared_ptr<std::atomic<bool>> m_boxesShown;
    std::mutex m_mutex; // reports may come from other threads
    bool m_closing = false;
    std::set<std::string> m_toldWhileClosing;
    QWidget *m_parent = nullptr;
};

// Off when ORVANE_NO_MESSAGE_BOXES is set (tests, benchmarks): the one place that reads it.
MessageBoxes MessageBoxesFromEnvironment();

} // namespace orvane
