#pragma once

#include "AppContext.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;
class UserDialogs;

// Copies the media file picked in the media entry editor into a folder of a
// drive the user chooses. The chosen drive and folder are remembered in the
// context for the next time and the next run.
class CopyForm final : public QDialog {
    Q_OBJECT

public:
    using DriveList = std::function<QStringList()>;

    // drives lists the roots of the mounted volumes unless a test says otherwise.
    CopyForm(UserDialogs& dialogs, AppContext& context, DriveList drives = {},
             QWidget* parent = nullptr);

    // The name as the editor shows it; it is copied under this name, letter
    // case kept.
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Shows the remembered drive and folder, or the program's own when they
    // cannot be used.
    void Form_Load();
    QString shownDrive() const;
    QString shownFolder() const;

    void CopyCmd_Click();
    void CopyDrive_Change();
    void showFolder(const QString& folder);

private:
    bool showDriveAndFolder(const QString& drive, const QString& folder);
    void setTreeRoot(const QString& drive);
    void CopyDir_Change();
    void runCopy(const QString& target);

    UserDialogs& m_dialogs;
    AppContext& m_context;
    DriveList m_drives;
    QString m_fileName;
    bool m_formReady = false;

    QComboBox* m_copyDrive = nullptr;
    QTreeView* m_copyDir = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QLineEdit* m_copyText = nullptr;
    QPushButton* m_copyCmd = nullptr;
    QPushButton* m_cancelCmd = nullptr;
};

// The roots of the mounted, ready volumes.
QStringList MountedDrives();
// True when the drive can be listed now.
bool DriveIsReadable(const QString& drive);
