#pragma once
// A spin edit that lets the user type freely and says so when the text left behind is not a
// whole number, instead of silently refusing keys: the value then stays what it was.
#include <QSpinBox>

namespace orvane {

class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minValue, int maxValue, QWidget *parent = nullptr);

signals:
    // The user left a text that is not an integer; the box goes back to its last value.
    void notAnInteger(const QString &text);

protected:
    QValidator::State validate(QString &text, int &pos) const override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void checkText();
};

} // namespace orvane
