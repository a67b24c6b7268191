#pragma once
// The name editor: one name at a time, the disc's or a track's, with Prev and Next stepping
// through the tracks. Every step and OK store the field; there is no cancel and no close box.
#include "app/media/name_editing.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane {

class TPlacement;

class TEdit_Nam : public QDialog {
    Q_OBJECT
public:
    TEdit_Nam(NameEditing &editing, QWidget *parent = nullptr);
    ~TEdit_Nam() override;

    QLabel *Label1 = nullptr;
    QLineEdit *EditBox = nullptr;
    QPushButton *PrevBtn = nullptr;
    QPushButton *NextBtn = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

    void PrevBtnClick();
    void NextBtnClick();
    void OKBtnClick();

    // Escape does not leave the dialog: the names are always kept.
    void reject() override {}

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showName();

    NameEditing &m_editing;
    std::unique_ptr<TPlacement> Placement1;
};

} // namespace orvane
