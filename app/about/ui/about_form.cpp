#include "app/about/ui/about_form.h"

#include "app/about/ui/about_pictures.h"
#include "app/about/ui/label_effect.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace orvane {
namespace {

const char *const kSupportText =
    "Orvane is free software, looked after by its own developers.\n\n"
    "Questions, ideas and fault reports are welcome in the project's issue tracker. "
    "Please say which version you run (see the About page), what you did, what you expected "
    "and what happened instead.\n\n"
    "The in-program help (Help button or F1) explains every window and setting.";

} // namespace

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Orvane"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(356, 224);

    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->addWidget(buildAboutPage());
    Notebook1->addWidget(buildSupportPage());

    TabSet1 = new QTabBar(this);
    TabSet1->setObjectName(QStringLiteral("TabSet1"));
    TabSet1->setShape(QTabBar::RoundedSouth);
    TabSet1->setAccessibleName(QStringLiteral("Pages"));
    TabSet1->setFocusPolicy(Qt::StrongFocus);
    // The tabs are the notebook's page captions.
    TabSet1->addTab(QStringLiteral("About"));
    TabSet1->addTab(QStringLiteral("Support"));
    connect(TabSet1, &QTabBar::currentChanged, this, &TAboutForm::TabSet1Click);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(TabSet1);
    bottom->addStretch(1);
    bottom->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Notebook1, 1);
    layout->addLayout(bottom);
    setTabOrder(OKButton, TabSet1);
}

QWidget *TAboutForm::buildAboutPage()
{
    auto *page = new QWidget;
    auto *frame = new QFrame(page);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    AboutPicture = new QLabel(frame);
    AboutPicture->setPixmap(AboutClockPicture(96));
    AboutPicture->setAccessibleName(QStringLiteral("Orvane clock picture"));

    ProductName = new TLabelEffect(frame);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->SetColourScheme(TColourScheme::csSteel);
    QFont nameFont(QStringLiteral("Times New Roman"));
    nameFont.setPixelSize(29);
    nameFont.setBold(true);
    ProductName->setFont(nameFont);
    ProductName->SetLabelAlignment(TLabelAlignment::taCenter);
    ProductName->setMinimumHeight(40);

    Version = new TLabelEffect(frame);
    Version->setObjectName(QStringLiteral("Version"));
    QFont versionFont(QStringLiteral("Times New Roman"));
    versionFont.setPixelSize(16);
    Version->setFont(versionFont);
    Version->SetColourScheme(TColourScheme::csWindows);
    Version->SetAsButton(true);
    Version->SetLabelAlignment(TLabelAlignment::taCenter);
    Version->setMinimumHeight(24);
    Version->setCursor(Qt::PointingHandCursor);
    connect(Version, &TLabelEffect::clicked, this, &TAboutForm::VersionClick);

    auto *text = new QVBoxLayout;
    text->addStretch(1);
    text->addWidget(ProductName);
    text->addWidget(Version);
    text->addStretch(1);
    auto *inside = new QHBoxLayout(frame);
    inside->addWidget(AboutPicture);
    inside->addLayout(text, 1);
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(frame);
    return page;
}

QWidget *TAboutForm::buildSupportPage()
{
    auto *page = new QWidget;
    SupportHeading = new TLabelEffect(page);
    SupportHeading->setObjectName(QStringLiteral("SupportHeading"));
    SupportHeading->setText(QStringLiteral("Product Support"));
    QFont headingFont(QStringLiteral("Times New Roman"));
    headingFont.setPixelSize(22);
    headingFont.setBold(true);
    SupportHeading->setFont(headingFont);
    SupportHeading->SetDepthShadow(2);
    SupportHeading->SetColourHighlight(QColor(0xFF, 0xFF, 0x00));
    SupportHeading->SetColourShadow(QColor(0x80, 0x80, 0x80));
    SupportHeading->SetFontColour(QColor(0x80, 0x80, 0x00));
    SupportHeading->SetLabelAlignment(TLabelAlignment::taCenter);
    SupportHeading->setMinimumHeight(30);

    SupportImage = new QLabel(page);
    SupportImage->setPixmap(SupportPicture(64));
    SupportImage->setAccessibleName(QStringLiteral("Support picture"));
    SupportText = new QPlainTextEdit(QString::fromLatin1(kSupportText), page);
    SupportText->setObjectName(QStringLiteral("SupportText"));
    SupportText->setReadOnly(true);
    SupportText->setAccessibleName(QStringLiteral("Product Support"));

    auto *row = new QHBoxLayout;
    row->addWidget(SupportImage, 0, Qt::AlignTop);
    row->addWidget(SupportText, 1);
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(SupportHeading);
    v->addLayout(row, 1);
    return page;
}

void TAboutForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TAboutForm::FormActivate()
{
    ProductName->setText(QStringLiteral("Orvane 32"));
    Version->setText(QStringLiteral("Version 1.1"));
    // Enter closes the box, as its OK button is what a user expects to start on.
    OKButton->setFocus();
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TAboutForm::TabSet1Click(int index)
{
    Notebook1->setCurrentIndex(index);
    // The support page's picture is drawn again whenever its page comes up.
    if (index == 1)
        SupportImage->update();
}

void TAboutForm::VersionClick()
{
    const QString text = QStringLiteral("Version 1.1, Rev A");
    if (m_messenger) {
        m_messenger(text);
        return;
    }
    QMessageBox::information(this, QStringLiteral("Orvane"), text);
}

} // namespace orvane
