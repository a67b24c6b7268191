// The program's reporting function: the library's messages in a box with an empty caption.
#include "app/macro/ui/report_function.h"
#include "app/program/qt_reporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvane {
namespace {

class ReportFunctionTest : public ::testing::Test {
protected:
    ~ReportFunctionTest() override { SetReportFunction(nullptr); }
};

TEST_F(ReportFunctionTest, ShowsTheLibrarysTextWithAnEmptyCaptionAfterTheCall)
{
    QtReporter reporter(MessageBoxes::Shown);
    InstallQtReportFunction(reporter);
    EXPECT_NE(ProgramReportFunction(), nullptr);
    QString title = "unset", text;
    QTimer::singleShot(50, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(SetCancelKey(0x0113));
    EXPECT_TRUE(text.isEmpty()) << "not shown inside the library's call";
    QTest::qWait(200);
    EXPECT_EQ(text, "Shift keys are not allowed with the Cancel or Pause key");
    EXPECT_TRUE(title.isEmpty());
}

TEST_F(ReportFunctionTest, NoBoxWhenMessageBoxesAreOff)
{
    QtReporter reporter(MessageBoxes::Off);
    InstallQtReportFunction(reporter);
    bool boxShown = false;
    QTimer::singleShot(50, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            boxShown = true;
            modal->close();
        }
    });
    EXPECT_FALSE(SetPauseKey(0x0213));
    QTest::qWait(150);
    EXPECT_FALSE(boxShown);
}

} // namespace
} // namespace orvane
