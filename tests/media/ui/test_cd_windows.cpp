// The CD player's windows over the fake device: what they show, that every control has a name
// and a keyboard way in, one window at most with creation tried three times, and the database
// file after naming and listing through the editors, byte by byte.
#include "app/media/ui/cd_player.h"
#include "app/media/ui/cd_player_opener.h"
#include "app/media/ui/drag_list_box.h"
#include "app/media/ui/edit_nam.h"
#include "app/media/ui/play_list.h"
#include "app/platform/fake/fake_cd_device.h"
#include "tests/support/home_guard.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>

using namespace orvane;

namespace {

QString accessibleName(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// Every button, list, field and label of a window names itself, and every button has a mnemonic
// (or is the dialog's default button).
void expectNamedControls(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QPushButton *>(w) || qobject_cast<QListWidget *>(w) ||
                             qobject_cast<QLineEdit *>(w) || qobject_cast<QLabel *>(w);
        if (!control)
            continue;
        EXPECT_FALSE(accessibleName(w).isEmpty())
            << window->windowTitle().toStdString() << " " << w->objectName().toStdString();
        auto *b = qobject_cast<QPushButton *>(w);
        if (b && !b->isDefault()) {
            EXPECT_TRUE(b->text().contains('&')) << b->objectName().toStdString();
        }
    }
}

class CDWindows : public ::testing::Test {
protected:
    CDWindows() : opener(device, flags, clock, [this](const std::string &t) { reports.push_back(t); }) {}
    ~CDWindows() override
    {
        if (opener.window())
            opener.window()->close();
        QApplication::processEvents();
    }

    HomeGuard home;
    FakeCDDevice device;
    TCDFlags flags;
    ManualClock clock;
    std::vector<std::string> reports;
    TCDPlayerOpener opener;
};

} // namespace

TEST_F(CDWindows, PlayerShowsTheDiscAndNamesEveryControl)
{
    device.insertDisc(FakeCDDevice::disc({3, 3, 3}));
    opener.open();
    TCDPlayer *w = opener.window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "CD Player");
    EXPECT_EQ(w->CDName->text(), "Unknown");
    EXPECT_EQ(w->CDTrack->text(), "Untitled 1");
    EXPECT_EQ(w->TrackPos->text(), "01");
    EXPECT_EQ(w->Panel2->text(), "Loop");
    EXPECT_TRUE(w->Button2->isEnabled());
    expectNamedControls(w);
    w->PlayBtn->click();
    EXPECT_EQ(device.mode(), CDMode::Playing);
    EXPECT_FALSE(w->PlayBtn->isEnabled());
    EXPECT_FALSE(w->ModeBtn->isEnabled());
    EXPECT_TRUE(flags.CDWindowOpen);
}

TEST_F(CDWindows, OneWindowAtMostAndClosingLeavesTheDiscPlaying)
{
    device.insertDisc(FakeCDDevice::disc({3}));
    opener.open();
    TCDPlayer *first = opener.window();
    opener.open();
    opener.hooks().create();
    EXPECT_EQ(opener.window(), first);
    EXPECT_EQ(QApplication::topLevelWidgets().count(first), 1);
    first->PlayBtn->click();
    first->close();
    QApplication::processEvents();
    EXPECT_FALSE(flags.CDWindowOpen);
    EXPECT_EQ(device.mode(), CDMode::Playing);
    opener.open();
    ASSERT_NE(opener.window(), nullptr);
    EXPECT_FALSE(opener.window()->PlayBtn->isEnabled()) << "a later window finds the disc playing";
}

TEST_F(CDWindows, CreationIsTriedThreeTimes)
{
    device.failOpens(2, "MCI device busy");
    opener.open();
    EXPECT_NE(opener.window(), nullptr);
    EXPECT_TRUE(reports.empty());
    opener.window()->close();
    QApplication::processEvents();
    device.close();
    device.failOpens(4, "MCI device busy");
    opener.open();
    EXPECT_EQ(opener.window(), nullptr);
    EXPECT_EQ(reports, std::vector<std::string>({"MCI device busy"}));
    EXPECT_THROW(opener.hooks().create(), std::runtime_error);
}

TEST_F(CDWindows, EditorsWriteTheRecordByteByByte)
{
    device.insertDisc(FakeCDDevice::disc({3, 3, 3, 3}));
    opener.open();
    TCDPlayer *w = opener.window();
    ASSERT_NE(w, nullptr);
    TPlayList editor(opener.database(), opener.state(), {});
    editor.show();
    EXPECT_TRUE(opener.state().PlayListOpen);
    EXPECT_EQ(editor.Edit1->text(), "4");
    ASSERT_EQ(editor.TracksListBox->count(), 4);
    expectNamedControls(&editor);

    editor.openNameEditor = [](NameEditing &n) { n.OK("Morning Tones"); };
    editor.Button5Click();
    editor.TracksListBox->setCurrentRow(1);
    editor.openNameEditor = [](NameEditing &n) {
        n.Next("Second Tone");
        n.OK("Third Tone");
    };
    editor.Button6Click();
    EXPECT_EQ(editor.TracksListBox->item(1)->text(), "Second Tone");
    editor.TracksListBox->item(2)->setSelected(true);
    editor.Button1Click();
    editor.TracksListBox->clearSelection();
    editor.TracksListBox->item(0)->setSelected(true);
    editor.Button1Click();
    editor.BitBtn1->click();
    EXPECT_FALSE(opener.state().PlayListOpen);

    const std::string bytes = home.read("CDNAME32.REC");
    ASSERT_EQ(bytes.size(), 2264u);
    TDiscRecord expected = TDiscRecord::newDisc(4, static_cast<int32_t>(PackMsf(3 * 75)),
                                                static_cast<int32_t>(PackMsf(12 * 75)));
    expected.setName(0, "Morning Tones");
    expected.setName(2, "Second Tone");
    expected.setName(3, "Third Tone");
    expected.PlayList[0] = 2;
    expected.PlayList[1] = 0;
    EXPECT_EQ(std::memcmp(bytes.data(), &expected, 2264), 0);
    EXPECT_EQ(bytes.substr(13, 13), "Morning Tones");
    EXPECT_EQ(static_cast<unsigned char>(bytes[63 + 51]), 11u);
}

TEST_F(CDWindows, NameEditorStepsThroughTracksAndHasNoCancel)
{
    std::array<std::string, 41> names;
    names[1] = "a";
    names[2] = "b";
    NameEditing editing(names, 0, 2);
    TEdit_Nam dialog(editing);
    dialog.show();
    expectNamedControls(&dialog);
    EXPECT_EQ(dialog.Label1->text(), "Track 1 Name");
    EXPECT_TRUE(dialog.PrevBtn->isVisible());
    dialog.EditBox->setText("first");
    dialog.NextBtn->click();
    EXPECT_EQ(dialog.Label1->text(), "Track 2 Name");
    EXPECT_EQ(dialog.EditBox->selectedText(), "b");
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible()) << "Escape does not leave without keeping the names";
    dialog.OKBtn->click();
    EXPECT_EQ(editing.names()[1], "first");

    NameEditing discName(names, -1, 2);
    TEdit_Nam discDialog(discName);
    discDialog.show();
    EXPECT_EQ(discDialog.Label1->text(), "CD Name");
    EXPECT_FALSE(discDialog.PrevBtn->isVisible());
}

TEST_F(CDWindows, PulledDiscClosesThePlayListEditor)
{
    device.insertDisc(FakeCDDevice::disc({3, 3}));
    opener.open();
    TCDPlayer *w = opener.window();
    bool closedByPlayer = false;
    QTimer::singleShot(0, [&] {
        device.removeDisc();
        QMetaObject::invokeMethod(w->Timer2, "timeout");
        closedByPlayer = w->playList() && !w->playList()->isVisible() && !opener.state().PlayListOpen;
    });
    w->Button2->click(); // runs the editor modally until the player closes it
    EXPECT_TRUE(closedByPlayer);
    EXPECT_FALSE(opener.state().PlayListOpen);
    EXPECT_FALSE(w->Button2->isEnabled());
}
