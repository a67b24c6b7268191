#include "app/media/ui/play_list.h"

#include "app/clock/ui/help_window.h"
#include "app/clock/ui/placement.h"
#include "app/media/name_editing.h"
#include "app/media/ui/drag_list_box.h"
#include "app/media/ui/edit_nam.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvane {
namespace {

std::vector<int> selectedRows(const DragListBox *list)
{
    std::vector<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    return rows;
}

std::array<std::string, 41> namesOf(const TDiscRecord &record)
{
    std::array<std::string, 41> names;
    for (int i = 0; i <= kMaxCDTracks; ++i)
        names[static_cast<std::size_t>(i)] = record.name(i);
    return names;
}

} // namespace

TPlayList::TPlayList(TDiscDatabase &database, CDPlayerState &state,
                     std::function<void(const std::string &)> report, QWidget *parent)
    : QDialog(parent), m_database(database), m_state(state), m_report(std::move(report))
{
    setObjectName(QStringLiteral("PlayList"));
    setWindowTitle(QStringLiteral("Play List"));
    buildControls();
    Placement1 =
        std::make_unique<TPlacement>(this, QStringLiteral("murvelin.ini"), QStringLiteral("PlayList"));
    openNameEditor = [this](NameEditing &editing) {
        TEdit_Nam dialog(editing, this);
        dialog.exec();
    };
}

TPlayList::~TPlayList() = default;

void TPlayList::buildControls()
{
    TracksListBox = new DragListBox(DragListBox::Role::Tracks, this);
    TracksListBox->setObjectName(QStringLiteral("TracksListBox"));
    TracksListBox->setToolTip(QStringLiteral("Current Tracks"));
    TracksListBox->setAccessibleName(QStringLiteral("Tracks"));
    PlayListBox = new DragListBox(DragListBox::Role::PlayList, this);
    PlayListBox->setObjectName(QStringLiteral("PlayListBox"));
    PlayListBox->setToolTip(QStringLiteral("Your current playlist"));
    PlayListBox->setAccessibleName(QStringLiteral("Play List"));
    PlayListBox->acceptDrops(
        [this](DragListBox::Role from, int fromRow, int row) {
            return from == DragListBox::Role::Tracks || m_editing.acceptsMove(fromRow, row);
        },
        [this](DragListBox::Role from, int fromRow, int row) {
            if (from == DragListBox::Role::Tracks)
                m_editing.dropTrack(fromRow, row);
            else
                m_editing.moveLine(fromRow, row);
            showLists();
        });
    connect(TracksListBox, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_editing.add({TracksListBox->row(item)});
        showLists();
    });

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setMaximumWidth(50);
    auto *totalLabel = new QLabel(QStringLiteral("Total Tracks"), this);
    totalLabel->setBuddy(Edit1);
    Edit1->setAccessibleName(QStringLiteral("Total Tracks"));

    auto make = [this](QPushButton *&b, const char *text, const char *name, const char *hint) {
        b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        if (*hint)
            b->setToolTip(QString::fromLatin1(hint));
    };
    make(Button1, "&Add", "Button1", "Add selected track to play list");
    make(Button3, "Add a&ll", "Button3", "Add all tracks to play list");
    make(Button2, "&Delete", "Button2", "Delete selected track");
    make(Button4, "D&elete all", "Button4", "Delete all tracks from play list");
    make(Button5, "Name &CD", "Button5", "Change CD name");
    make(Button6, "&Name Track", "Button6", "Change name of highlighed track");
    make(BitBtn1, "OK", "BitBtn1", "");
    make(BitBtn3, "&Help", "BitBtn3", "");
    BitBtn1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TPlayList::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TPlayList::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TPlayList::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TPlayList::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TPlayList::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TPlayList::Button6Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn3, &QPushButton::clicked, this, [] { THelpWindow::ShowContext(48)->show(); });

    auto *tracksGroup = new QGroupBox(QStringLiteral("Tracks"), this);
    (new QVBoxLayout(tracksGroup))->addWidget(TracksListBox);
    auto *playGroup = new QGroupBox(QStringLiteral("Play List"), this);
    (new QVBoxLayout(playGroup))->addWidget(PlayListBox);
    auto *middle = new QVBoxLayout;
    for (QPushButton *b : {Button1, Button3, Button2, Button4})
        middle->addWidget(b);
    middle->addStretch();
    auto *lists = new QHBoxLayout;
    lists->addWidget(tracksGroup, 1);
    lists->addLayout(middle);
    lists->addWidget(playGroup, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(totalLabel);
    bottom->addWidget(Edit1);
    bottom->addStretch();
    for (QPushButton *b : {Button5, Button6, BitBtn1, BitBtn3})
        bottom->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(bottom);
    resize(560, 320);
}

void TPlayList::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TPlayList::FormShow()
{
    Placement1->RestoreWindowPlacement();
    m_state.PlayListOpen = true;
    const TDiscRecord &record = m_database.current();
    Edit1->setText(QString::number(record.NumTracks));
    m_editing.fill(record);
    showLists();
}

void TPlayList::showLists()
{
    auto refill = [](DragListBox *list, const std::vector<std::string> &lines) {
        const int current = list->currentRow();
        list->clear();
        for (const std::string &line : lines)
            list->addItem(QString::fromStdString(line));
        if (current >= 0 && current < list->count())
            list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    };
    refill(TracksListBox, m_editing.tracks());
    refill(PlayListBox, m_editing.playList());
}

void TPlayList::Button1Click()
{
    m_editing.add(selectedRows(TracksListBox));
    showLists();
}

void TPlayList::Button2Click()
{
    m_editing.remove(selectedRows(PlayListBox));
    showLists();
    PlayListBox->setFocus();
}

void TPlayList::Button3Click()
{
    m_editing.addAll();
    showLists();
}

void TPlayList::Button4Click()
{
    m_editing.removeAll();
    showLists();
}

void TPlayList::Button5Click()
{
    TDiscRecord &record = m_database.current();
    NameEditing editing(namesOf(record), -1, record.NumTracks);
    openNameEditor(editing);
    record.setName(0, editing.names()[0]);
}

void TPlayList::Button6Click()
{
    const int row = TracksListBox->currentRow();
    if (row < 0)
        return;
    TDiscRecord &record = m_database.current();
    m_editing.convertBack(record);
    NameEditing editing(namesOf(record), row, record.NumTracks);
    openNameEditor(editing);
    for (int t = 1; t <= record.namedTracks(); ++t)
        record.setName(t, editing.names()[static_cast<std::size_t>(t)]);
    m_editing.fill(record);
    showLists();
}

void TPlayList::done(int result)
{
    if (!m_closed) {
        // There is no way out without saving: OK, the close box and the player closing the
        // editor all come here.
        m_closed = true;
        m_editing.convertBack(m_database.current());
        if (auto error = m_database.WriteBack(); error && m_report)
            m_report(*error);
        Placement1->SaveWindowPlacement();
        m_state.PlayListOpen = false;
    }
    QDialog::done(result);
}

} // namespace orvane
