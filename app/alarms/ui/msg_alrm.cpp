#include "app/alarms/ui/msg_alrm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QTimer>

namespace orvane {

TMsgAlrm::TMsgAlrm(TMsgAlrmActions &actions, SoundPlayer &sound, const MessageAlarmRequest &request,
                   QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_actions(actions), m_sound(sound), m_id(request.id)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Message Alarm!"));
    setFixedSize(kClientWidth, kClientHeight);

    Memo1 = new QTextEdit(this);
    Memo1->setGeometry(4, 4, 245, 66);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setLineWrapMode(QTextEdit::WidgetWidth);
    Memo1->setStyleSheet(QStringLiteral("QTextEdit { background: white; color: black; }"));
    QTextOption centred = Memo1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    Memo1->document()->setDefaultTextOption(centred);
    Memo1->document()->setDocumentMargin(1);
    // Small enough that a message of 100 characters fits the memo without scrolling.
    QFont bold = Memo1->font();
    bold.setBold(true);
    bold.setPointSize(8);
    Memo1->setFont(bold);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setGeometry(4, 76, 75, 27);
    OKBtn->setToolTip(QStringLiteral("Close / Stop message"));
    OKBtn->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("Snooze"), this);
    BitBtn1->setGeometry(86, 76, 75, 27);
    BitBtn1->setToolTip(QStringLiteral("Snooze for time indicated"));
    BitBtn1->setDefault(true);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setGeometry(172, 78, 52, 23);
    SpinEdit1->setToolTip(QStringLiteral("Snooze Time"));
    SpinEdit1->setRange(kMinSnooze, kMaxSnooze);

    AlarmWav = new QLabel(QString::fromStdString(request.beforeWave), this);
    AlarmNumber = new QLabel(QString::number(request.slot), this);
    AlarmTime = new QLabel(QStringLiteral("AlarmTime"), this);
    for (QLabel *hidden : {AlarmWav, AlarmNumber, AlarmTime})
        hidden->hide();

    setTabOrder(OKBtn, BitBtn1);
    setTabOrder(BitBtn1, SpinEdit1);
    connect(OKBtn, &QPushButton::clicked, this, &TMsgAlrm::OKBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TMsgAlrm::BitBtn1Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMsgAlrm::Timer1Timer);
    Timer1->start();

    FormCreate();
    centreOnScreen();
}

void TMsgAlrm::FormCreate() { SpinEdit1->setValue(m_actions.snoozeMinutes()); }

void TMsgAlrm::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TMsgAlrm::Timer1Timer()
{
    const bool playNow = m_counter.Timer1Timer();
    AlarmTime->setText(QString::number(m_counter.AlarmTime().value_or(1)));
    if (playNow && AlarmWav->text() != QLatin1String(kNoWave) && !AlarmWav->text().isEmpty())
        m_sound.play(AlarmWav->text().toStdString(), sndAsync | sndNoStop);
}

void TMsgAlrm::OKBtnClick()
{
    m_actions.OKBtnClick(m_id);
    close();
}

void TMsgAlrm::BitBtn1Click()
{
    m_actions.BitBtn1Click(m_id, SpinEdit1->value());
    close();
}

} // namespace orvane
