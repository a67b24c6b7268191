#pragma once
// The play-list editor: the disc's tracks beside its play list, with add, add all, delete,
// delete all and drag and drop, and the way to the name editor. Closing it, however it is
// closed, converts the list back into the current disc record and writes the record.
#include "app/media/cd_player_state.h"
#include "app/media/disc_database.h"
#include "app/media/play_list_editing.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;

namespace orvane {

class DragListBox;
class TPlacement;

class TPlayList : public QDialog {
    Q_OBJECT
public:
    TPlayList(TDiscDatabase &database, CDPlayerState &state, std::function<void(const std::string &)> report,
              QWidget *parent = nullptr);
    ~TPlayList() override;

    void done(int result) override;

    DragListBox *TracksListBox = nullptr;
    DragListBox *PlayListBox = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *Button6 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn3 = nullptr;

    // The name editor each naming button opens; tests replace it to answer without a dialog.
    std::function<void(class NameEditing &)> openNameEditor;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void showLists();
    void FormShow();

    TDiscDatabase &m_database;
    CDPlayerState &m_state;
    std::function<void(const std::string &)> m_report;
    PlayListEditing m_editing;
    std::unique_ptr<TPlacement> Placement1;
    bool m_closed = false;
    bool m_shown = false;
};

} // namespace orvane
