#pragma once
// The large time panel of the timers. Besides showing the time, it tells assistive technology
// about it: its accessible value is the text it shows, and every change is announced as a value
// change, so that a screen reader can follow a running timer.
#include <QLabel>

namespace orvane {

class TTimeReadout : public QLabel {
    Q_OBJECT
public:
    // `accessibleName` says what the time is ("Time left", "Elapsed time"). The readout is drawn
    // large, in a sunken panel.
    TTimeReadout(const QString &accessibleName, QWidget *parent);
    // Shows `text` and announces the change.
    void showTime(const QString &text);
};

} // namespace orvane
