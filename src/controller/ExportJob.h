#pragma once

#include "ScheduleExport.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

// Runs an export on a worker thread so that the window stays responsive, and
// reports back on the thread that made the job. Cancel stops it between
// chunks; the job is never destroyed while its thread still copies.
class ExportJob final : public QObject {
    Q_OBJECT

public:
    ExportJob(QList<ExportFile> plan, QString targetFolder, QObject* parent = nullptr);
    // Cancels a running export and waits for it to stop.
    ~ExportJob() override;

    void start();
    void cancel() { m_cancelRequested = true; }
    bool isRunning() const { return m_thread && m_thread->isRunning(); }
    const ExportReport& report() const { return m_report; }

Q_SIGNALS:
    // At most every few tens of milliseconds, and at the start of each file.
    void progressed(const ExportProgress& progress);
    void finished(const ExportReport& report);

private:
    bool reportProgress(const ExportProgress& progress);

    QList<ExportFile> m_plan;
    QString m_targetFolder;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancelRequested = false;
    ExportReport m_report;
    qint64 m_lastReportMs = 0;
    int m_lastFile = 0;
};
