#pragma once
// The program's help: HTML topics built into the program, one per context number, shown in one
// help window that is reused for every request.
#include <QWidget>

class QTextBrowser;

namespace orvane {

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    // The help file's contents page.
    static THelpWindow *ShowContents();
    // The topic of a context number; an unknown number shows the contents.
    static THelpWindow *ShowContext(int context);

    QString currentTopic() const;

    // Whether a topic exists for a context number.
    static bool HasTopic(int context);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    THelpWindow();
    void showTopic(const QString &name);

    QTextBrowser *m_browser;
};

} // namespace orvane
