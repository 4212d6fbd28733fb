#pragma once

#include "TargetFolderChooser.h"

#include <QDialog>

class QPushButton;

// Copies the media file picked in the media entry editor into a folder of a
// drive the user chooses. The chosen drive and folder are remembered in the
// context for the next time and the next run.
class CopyForm final : public QDialog {
    Q_OBJECT

public:
    using DriveList = TargetFolderChooser::DriveList;

    // drives lists the roots of the mounted volumes unless a test says otherwise.
    CopyForm(UserDialogs& dialogs, AppContext& context, DriveList drives = {},
             QWidget* parent = nullptr);

    // The name as the editor shows it; it is copied under this name, letter
    // case kept.
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Shows the remembered drive and folder, or the program's own when they
    // cannot be used.
    void Form_Load();
    QString shownDrive() const { return m_target->shownDrive(); }
    QString shownFolder() const { return m_target->shownFolder(); }

    void CopyCmd_Click();
    void CopyDrive_Change() { m_target->driveChanged(); }
    void showFolder(const QString& folder) { m_target->showFolder(folder); }

private:
    void runCopy(const QString& target);

    UserDialogs& m_dialogs;
    AppContext& m_context;
    QString m_fileName;

    TargetFolderChooser* m_target = nullptr;
    QPushButton* m_copyCmd = nullptr;
    QPushButton* m_cancelCmd = nullptr;
};
