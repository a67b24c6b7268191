#pragma once
// The program's reporter: every failure goes to standard error, and to a message box shown from
// the event loop unless the run has no one at the screen (message boxes turned off).
#include "app/common/reporter.h"

class QWidget;

namespace orvane {

enum class MessageBoxes { Shown, Off };

class QtReporter : public Reporter {
public:
    explicit QtReporter(MessageBoxes boxes) : m_boxes(boxes) {}
    // The window the boxes belong to, once it exists.
    void setParentWindow(QWidget *window) { m_parent = window; }
    MessageBoxes boxes() const { return m_boxes; }

    void reportWithCaption(const std::string &caption, const std::string &text) override;

private:
    MessageBoxes m_boxes;
    QWidget *m_parent = nullptr;
};

// Off when ORVANE_NO_MESSAGE_BOXES is set (tests, benchmarks): the one place that reads it.
MessageBoxes MessageBoxesFromEnvironment();

} // namespace orvane
