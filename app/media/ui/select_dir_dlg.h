#pragma once
// The directory selection dialog: a folder tree, the mounted drives, and the files of the
// chosen folder for information. Linux has no network-connection dialog, so the network button
// stays hidden.
#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;
class QFileSystemModel;

namespace orvane {

enum SelectDirOption : int {
    sdAllowTyping = 1, // the user may type a folder path
    sdCreateOnOk = 2,  // make the chosen folder on OK
    sdAskCreate = 4,   // ask before accepting a typed folder that does not exist
};

class TSelectDirDlg : public QDialog {
    Q_OBJECT
public:
    TSelectDirDlg(int options, int helpContext, QWidget *parent = nullptr);

    // Shows `folder` (or the current folder when it cannot be shown).
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    // The folder the dialog hands back on OK: the typed one (typing allowed) or the chosen one.
    QString chosenFolder() const;

    QLabel *DirLabel;
    QLineEdit *DirEdit;
    QTreeView *DirList;
    QComboBox *DriveList;
    QListWidget *FileList;
    QPushButton *NetButton, *OKButton, *CancelButton, *HelpButton;

    // Answers the "does not exist" question; a test replaces it.
    std::function<bool(const QString &)> confirmCreate;
    std::function<void(int)> help;

public slots:
    void DirListChange();
    void DriveListChange(int index);
    void OKClick();

private:
    int m_options;
    int m_helpContext;
    QString m_folder;
    QFileSystemModel *m_model;
};

// Lets the user choose a folder; true on OK, and `folder` then holds the choice.
bool ChooseFolder(QWidget *parent, std::string &folder, int options, int helpContext);

} // namespace orvane
