#pragma once

#include "ScheduleExport.h"
#include "TargetFolderChooser.h"

#include <QDialog>
#include <memory>

class ExportJob;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;

// Puts the saved schedule and every media file it names onto a drive. The
// target is chosen as in the copy window and remembered with it; the files
// are copied on a worker thread, with progress and Cancel, so the window
// never freezes; the window ends with a report of every file.
class ExportForm final : public QDialog {
    Q_OBJECT

public:
    using DriveList = TargetFolderChooser::DriveList;

    // Exports the schedule file at context.schedulePath(), as it is on disk.
    ExportForm(UserDialogs& dialogs, AppContext& context, DriveList drives = {},
               QWidget* parent = nullptr);
    ~ExportForm() override;

    // Reads the schedule file for the names of its media files; one that
    // cannot be read is reported, and Export stays off.
    void Form_Load();
    bool isExporting() const;

Q_SIGNALS:
    void exportFinished(const ExportReport& report);

protected:
    // While files are copied, Escape, Cancel and the title bar's close cancel
    // the export; the window stays until it has stopped.
    void reject() override;

private:
    void startExport();
    void showProgress(const ExportProgress& progress);
    void showReport(const ExportReport& report);
    void addReportLine(const ExportFileResult& file);

    UserDialogs& m_dialogs;
    AppContext& m_context;
    // What the file on disk names: exactly the file that is copied.
    ScheduleDocument m_document;
    std::unique_ptr<ExportJob> m_job;

    QStackedWidget* m_pages = nullptr;
    QLabel* m_scheduleLabel = nullptr;
    QLabel* m_mediaLabel = nullptr;
    TargetFolderChooser* m_target = nullptr;
    QLabel* m_fileLabel = nullptr;
    QProgressBar* m_filesBar = nullptr;
    QLabel* m_bytesLabel = nullptr;
    QProgressBar* m_bytesBar = nullptr;
    QLabel* m_summary = nullptr;
    QListWidget* m_report = nullptr;
    QPushButton* m_exportCmd = nullptr;
    QPushButton* m_cancelCmd = nullptr;
};
