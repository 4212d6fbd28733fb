#pragma once

#include "AppContext.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;
class UserDialogs;

// The drive and folder choice of the copy and export windows: the mounted
// drives, the folders of the chosen one, and the chosen folder as text. The
// choice is remembered in the context for the next time and the next run.
class TargetFolderChooser final : public QWidget {
    Q_OBJECT

public:
    using DriveList = std::function<QStringList()>;

    // drives lists the roots of the mounted volumes unless a test says otherwise.
    TargetFolderChooser(UserDialogs& dialogs, AppContext& context, DriveList drives = {},
                        QWidget* parent = nullptr);

    // Shows the remembered drive and folder, or the program's own when they
    // cannot be used.
    void load();
    QString shownDrive() const;
    QString shownFolder() const;
    void showFolder(const QString& folder);
    // A drive that cannot be read is reported, and the previous choice shown.
    void driveChanged();

private:
    bool showDriveAndFolder(const QString& drive, const QString& folder);
    void setTreeRoot(const QString& drive);
    void folderChanged();

    UserDialogs& m_dialogs;
    AppContext& m_context;
    DriveList m_drives;
    bool m_ready = false;

    QComboBox* m_copyDrive = nullptr;
    QTreeView* m_copyDir = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QLineEdit* m_copyText = nullptr;
};

// The roots of the mounted, ready volumes.
QStringList MountedDrives();
// True when the drive can be listed now.
bool DriveIsReadable(const QString& drive);
