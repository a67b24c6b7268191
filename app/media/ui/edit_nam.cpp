#include "app/media/ui/edit_nam.h"

#include "app/clock/ui/help_window.h"
#include "app/clock/ui/placement.h"
#include "app/media/disc_record.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TEdit_Nam::TEdit_Nam(NameEditing &editing, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_editing(editing)
{
    setObjectName(QStringLiteral("Edit_Nam"));
    setWindowTitle(QStringLiteral("Edit Name"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    EditBox = new QLineEdit(this);
    EditBox->setObjectName(QStringLiteral("EditBox"));
    EditBox->setMaxLength(kCDNameLength);
    Label1->setBuddy(EditBox);
    PrevBtn = new QPushButton(QStringLiteral("<< &Prev"), this);
    PrevBtn->setObjectName(QStringLiteral("PrevBtn"));
    NextBtn = new QPushButton(QStringLiteral("&Next >>"), this);
    NextBtn->setObjectName(QStringLiteral("NextBtn"));
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    connect(PrevBtn, &QPushButton::clicked, this, &TEdit_Nam::PrevBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TEdit_Nam::NextBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TEdit_Nam::OKBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [] { THelpWindow::ShowContext(49)->show(); });

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {PrevBtn, NextBtn, OKBtn, HelpBtn})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(EditBox);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    Placement1 =
        std::make_unique<TPlacement>(this, QStringLiteral("murvelin.ini"), QStringLiteral("Edit_Nam"));
    showName();
}

TEdit_Nam::~TEdit_Nam() { Placement1->SaveWindowPlacement(); }

void TEdit_Nam::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Placement1->RestoreWindowPlacement();
    showName();
}

void TEdit_Nam::showName()
{
    Label1->setText(QString::fromStdString(m_editing.label()));
    EditBox->setText(QString::fromStdString(m_editing.text()));
    PrevBtn->setVisible(!m_editing.namingDisc());
    NextBtn->setVisible(!m_editing.namingDisc());
    EditBox->setFocus();
    EditBox->selectAll();
}

void TEdit_Nam::PrevBtnClick()
{
    m_editing.Prev(EditBox->text().toStdString());
    showName();
}

void TEdit_Nam::NextBtnClick()
{
    m_editing.Next(EditBox->text().toStdString());
    showName();
}

void TEdit_Nam::OKBtnClick()
{
    m_editing.OK(EditBox->text().toStdString());
    accept();
}

} // namespace orvane
