// The directory dialog on the offscreen platform.
#include "app/media/ui/select_dir_dlg.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

class SelectDirTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("select-dir-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir / "sub"); }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(SelectDirTest, ShowsTheFolderWithoutANetworkButtonAndNamesEveryControl)
{
    TSelectDirDlg d(0, 0);
    d.setFolder(QString::fromStdString((dir / "sub").string()));
    EXPECT_EQ(d.windowTitle(), "Select Directory");
    EXPECT_EQ(d.DirLabel->text().toStdString(), (dir / "sub").string());
    EXPECT_EQ(d.chosenFolder().toStdString(), (dir / "sub").string());
    EXPECT_FALSE(d.NetButton->isVisibleTo(&d));
    EXPECT_FALSE(d.DirEdit->isVisibleTo(&d));
    for (QWidget *w : d.findChildren<QWidget *>()) {
        if (w->isVisibleTo(&d) && w->focusPolicy() != Qt::NoFocus && !qobject_cast<QLabel *>(w) &&
            w->parentWidget() == &d) {
            EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
                << w->metaObject()->className();
        }
    }
}

TEST_F(SelectDirTest, AMissingFolderShowsTheCurrentOne)
{
    TSelectDirDlg d(0, 0);
    d.setFolder(QString::fromStdString((dir / "missing").string()));
    EXPECT_EQ(d.folder(), QDir::currentPath());
}

TEST_F(SelectDirTest, ATypedMissingFolderIsAcceptedOnlyAfterYes)
{
    struct Case {
        bool yes;
        int result;
    };
    for (const Case c : {Case{false, -1}, Case{true, QDialog::Accepted}}) {
        TSelectDirDlg d(sdAllowTyping | sdAskCreate, 0);
        int asked = 0;
        d.confirmCreate = [&](const QString &) {
            ++asked;
            return c.yes;
        };
        d.setFolder(QString::fromStdString(dir.string()));
        d.setResult(-1);
        d.DirEdit->setText(QString::fromStdString((dir / "new").string()));
        d.OKButton->click();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(d.result(), c.result) << c.yes;
    }
}

} // namespace
} // namespace orvane
