#pragma once
// The count-up window ("Up"): a stopwatch that can show, instead of the elapsed time, what it
// costs at an hourly rate. The recent rates come from and go to "Timeup.Rec". Any number may be
// open. The rules live in CountUp, MoneyAmount and RateList.
#include "app/common/clock.h"
#include "app/media/count_up.h"
#include "app/media/rate_list.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace orvane {

class TTimeReadout;

class TTimerUp : public QWidget {
    Q_OBJECT
public:
    // `programDir` (ending with '/') holds "Timeup.Rec".
    TTimerUp(const Clock &clock, const std::string &programDir, QWidget *parent = nullptr);

    // How an error is shown; tests replace it.
    std::function<void(const std::string &)> showMessage;

    QPushButton *RunPauseBtn = nullptr;
    QPushButton *MoneyBtn = nullptr;
    QComboBox *MoneyBox = nullptr;
    TTimeReadout *Elapsed = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QPushButton *SpeedButton4 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QTimer *Timer1 = nullptr;

    void RunPauseBtnClick();
    void MoneyBtnClick();
    void Timer1Timer();
    void SpeedButton3Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    std::vector<std::string> rates() const;
    void showAmount(double rate, std::int64_t seconds);
    void showElapsed(std::int64_t seconds);

    CountUp m_countUp;
    RateList m_rateList;
};

} // namespace orvane
