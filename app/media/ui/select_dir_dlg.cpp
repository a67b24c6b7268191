#include "app/media/ui/select_dir_dlg.h"

#include "app/media/folder_ops.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

namespace orvane {
namespace {

QLabel *Caption(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TSelectDirDlg::TSelectDirDlg(int options, int helpContext, QWidget *parent)
    : QDialog(parent), m_options(options), m_helpContext(helpContext), m_model(new QFileSystemModel(this))
{
    setWindowTitle(QStringLiteral("Select Directory"));
    confirmCreate = [this](const QString &) {
        return QMessageBox::question(this, QStringLiteral("Confirm"),
                                     QStringLiteral("The specified directory does not exist. Create it?"),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    DirLabel = new QLabel;
    DirLabel->setAccessibleName(QStringLiteral("Selected directory"));
    DirEdit = new QLineEdit;
    DirEdit->setAccessibleName(QStringLiteral("Directory Name"));
    DirList = new QTreeView;
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_model->setRootPath(QStringLiteral("/"));
    DirList->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        DirList->hideColumn(c);
    DirList->header()->hide();
    DirList->setAccessibleName(QStringLiteral("Directories"));
    DriveList = new QComboBox;
    DriveList->setAccessibleName(QStringLiteral("Drives"));
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            DriveList->addItem(volume.rootPath());
    if (DriveList->findText(QStringLiteral("/")) < 0)
        DriveList->insertItem(0, QStringLiteral("/"));
    FileList = new QListWidget;
    FileList->setAccessibleName(QStringLiteral("Files"));
    FileList->setFocusPolicy(Qt::TabFocus);
    QPalette grey = FileList->palette();
    grey.setColor(QPalette::Text, QColor(128, 128, 128));
    FileList->setPalette(grey);
    NetButton = new QPushButton(QStringLiteral("Ne&twork..."));
    NetButton->setVisible(false);
    OKButton = new QPushButton(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"));
    HelpButton = new QPushButton(QStringLiteral("&Help"));

    auto *l = new QGridLayout(this);
    l->addWidget(Caption(QStringLiteral("Directory &Name:"), DirEdit), 0, 0, 1, 2);
    l->addWidget(DirLabel, 1, 0, 1, 2);
    l->addWidget(DirEdit, 1, 0, 1, 2);
    l->addWidget(Caption(QStringLiteral("&Directories:"), DirList), 2, 0);
    l->addWidget(Caption(QStringLiteral("&Files: (*.*)"), FileList), 2, 1);
    l->addWidget(DirList, 3, 0);
    l->addWidget(FileList, 3, 1);
    l->addWidget(Caption(QStringLiteral("D&rives:"), DriveList), 4, 0);
    l->addWidget(DriveList, 5, 0);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    buttons->addWidget(NetButton);
    buttons->addStretch();
    l->addLayout(buttons, 0, 2, 6, 1);
    l->setColumnStretch(0, 3);
    l->setColumnStretch(1, 2);
    resize(424, 255);

    const bool typing = options & sdAllowTyping;
    DirEdit->setVisible(typing);
    DirLabel->setVisible(!typing);

    // The model reads folders in the background; once the folders on the way to the chosen one
    // are read, show it open and in view.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString &path) {
        if (m_folder == path || m_folder.startsWith(path.endsWith('/') ? path : path + '/')) {
            const QModelIndex index = m_model->index(m_folder);
            DirList->setCurrentIndex(index);
            DirList->expand(index);
            DirList->scrollTo(index);
        }
    });
    connect(DirList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TSelectDirDlg::DirListChange);
    connect(DriveList, &QComboBox::activated, this, &TSelectDirDlg::DriveListChange);
    connect(OKButton, &QPushButton::clicked, this, &TSelectDirDlg::OKClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, [this] {
        if (help)
            help(m_helpContext);
    });
    setTabOrder(DirList, FileList);
    setTabOrder(FileList, DriveList);
    DirList->setFocus();
}

void TSelectDirDlg::setFolder(const QString &folder)
{
    QString path = QDir(folder.isEmpty() ? QDir::currentPath() : folder).absolutePath();
    if (!QDir(path).exists())
        path = QDir::currentPath();
    const QModelIndex index = m_model->index(path);
    m_folder = path;
    DirList->setCurrentIndex(index);
    DirList->expand(index);
    DirList->scrollTo(index);
    DirLabel->setText(path);
    DirEdit->setText(path);
    DirEdit->selectAll();
    FileList->clear();
    FileList->addItems(QDir(path).entryList(QDir::Files | QDir::Hidden, QDir::Name));
}

void TSelectDirDlg::DirListChange()
{
    const QString path = m_model->filePath(DirList->currentIndex());
    if (!path.isEmpty() && path != m_folder)
        setFolder(path);
}

void TSelectDirDlg::DriveListChange(int index) { setFolder(DriveList->itemText(index)); }

QString TSelectDirDlg::chosenFolder() const
{
    return (m_options & sdAllowTyping) ? DirEdit->text().trimmed() : m_folder;
}

void TSelectDirDlg::OKClick()
{
    const QString chosen = chosenFolder();
    if ((m_options & sdAllowTyping) && (m_options & sdAskCreate) && !FolderExists(chosen.toStdString()) &&
        !confirmCreate(chosen))
        return;
    accept();
}

bool ChooseFolder(QWidget *parent, std::string &folder, int options, int helpContext)
{
    TSelectDirDlg dialog(options, helpContext, parent);
    dialog.setFolder(QString::fromStdString(folder));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const std::string chosen = dialog.chosenFolder().toStdString();
    if (options & sdCreateOnOk) {
        if (const auto error = MakeFolderPath(chosen)) {
            QMessageBox::warning(parent, QStringLiteral("Select Directory"), QString::fromStdString(*error));
            return false;
        }
    }
    folder = chosen;
    return true;
}

} // namespace orvane
