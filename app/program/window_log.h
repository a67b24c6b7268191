#pragma once
// ORVANE_WINDOW_LOG=FILE appends one line per window the program shows: the window's class, its
// title and the names and texts of its controls as assistive technology reads them. It lets
// end-to-end tests (and a user reporting a problem) see what was on the screen without OCR.
#include <QObject>
#include <QString>

namespace orvane {

class TWindowLog : public QObject {
    Q_OBJECT
public:
    explicit TWindowLog(QString path) : m_path(std::move(path)) {}
    // A log for the file ORVANE_WINDOW_LOG names, or nullptr when it is not set.
    static TWindowLog *fromEnvironment(QObject *parent);
    // The line for `window`: class, title and the texts of its controls, tab-separated.
    static QString describe(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_path;
};

} // namespace orvane
