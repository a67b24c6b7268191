#pragma once
// The about box: the product's name and version in 3-D lettering on one page, the product's
// support text on another, chosen by tabs along the bottom.
#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace orvane {

class TLabelEffect;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);

    // Shows a message to the user; a message box unless replaced (tests replace it).
    void setMessenger(std::function<void(const QString &)> messenger) { m_messenger = std::move(messenger); }

    TLabelEffect *productName() const { return ProductName; }
    TLabelEffect *versionLabel() const { return Version; }
    TLabelEffect *supportHeading() const { return SupportHeading; }
    QTabBar *tabSet() const { return TabSet1; }
    QStackedWidget *notebook() const { return Notebook1; }

public slots:
    void VersionClick();
    void TabSet1Click(int index);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildAboutPage();
    QWidget *buildSupportPage();
    void FormActivate();

    std::function<void(const QString &)> m_messenger;
    QStackedWidget *Notebook1 = nullptr;
    QTabBar *TabSet1 = nullptr;
    TLabelEffect *ProductName = nullptr;
    TLabelEffect *Version = nullptr;
    TLabelEffect *SupportHeading = nullptr;
    QLabel *AboutPicture = nullptr;
    QLabel *SupportImage = nullptr;
    QPlainTextEdit *SupportText = nullptr;
    QPushButton *OKButton = nullptr;
};

} // namespace orvane
