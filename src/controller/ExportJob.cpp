#include "ExportJob.h"

#include <QElapsedTimer>

namespace {

// Often enough for a smooth progress bar, rarely enough not to flood the
// window's event queue with a fast disk.
constexpr qint64 ProgressIntervalMs = 40;

qint64 monotonicMs() {
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

} // namespace

ExportJob::ExportJob(QList<ExportFile> plan, QString targetFolder, QObject* parent)
    : QObject(parent)
    , m_plan(std::move(plan))
    , m_targetFolder(std::move(targetFolder)) {}

ExportJob::~ExportJob() {
    if (m_thread) {
        cancel();
        m_thread->wait();
    }
}

void ExportJob::start() {
    if (m_thread)
        return;
    m_thread.reset(QThread::create([this] {
        m_report = RunExport(m_plan, m_targetFolder, [this](const ExportProgress& progress) {
            return reportProgress(progress);
        });
    }));
    // Queued to this object's thread: the report is read there, after the
    // worker wrote it and ended.
    connect(m_thread.get(), &QThread::finished, this, [this] { Q_EMIT finished(m_report); });
    m_thread->start();
}

bool ExportJob::reportProgress(const ExportProgress& progress) {
    const qint64 now = monotonicMs();
    if (progress.file != m_lastFile || progress.bytesDone == progress.bytesTotal ||
        now - m_lastReportMs >= ProgressIntervalMs) {
        m_lastFile = progress.file;
        m_lastReportMs = now;
        Q_EMIT progressed(progress);
    }
    return !m_cancelRequested;
}
