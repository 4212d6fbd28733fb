#include "ExportForm.h"

#include "CurrentTexts.h"
#include "ExportJob.h"
#include "Fonts.h"
#include "ScheduleReader.h"
#include "UserDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

enum Page { ChoosePage, ProgressPage, ReportPage };

constexpr int BytesBarSteps = 1000;

QString sizeText(qint64 bytes) {
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

TextSlot outcomeSlot(ExportOutcome outcome) {
    switch (outcome) {
    case ExportOutcome::Copied:
        return TextSlot::OutcomeCopied;
    case ExportOutcome::AlreadyThere:
        return TextSlot::OutcomeAlreadyThere;
    case ExportOutcome::Missing:
        return TextSlot::OutcomeMissing;
    case ExportOutcome::Failed:
        return TextSlot::OutcomeFailed;
    case ExportOutcome::NotDone:
        break;
    }
    return TextSlot::OutcomeNotDone;
}

} // namespace

ExportForm::ExportForm(UserDialogs& dialogs, AppContext& context, DriveList drives, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_context(context) {
    setObjectName(u"ExportForm"_s);
    setFont(CaptionFont());
    auto* layout = new QVBoxLayout(this);
    m_pages = new QStackedWidget(this);
    layout->addWidget(m_pages, 1);

    auto* choose = new QWidget(m_pages);
    auto* chooseLayout = new QVBoxLayout(choose);
    chooseLayout->setContentsMargins(0, 0, 0, 0);
    m_scheduleLabel = new QLabel(choose);
    m_scheduleLabel->setObjectName(u"ExportScheduleText"_s);
    m_mediaLabel = new QLabel(choose);
    m_mediaLabel->setObjectName(u"ExportMediaText"_s);
    for (QLabel* label : {m_scheduleLabel, m_mediaLabel}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true);
        chooseLayout->addWidget(label);
    }
    m_target = new TargetFolderChooser(dialogs, context, std::move(drives), choose);
    chooseLayout->addWidget(m_target, 1);
    m_pages->addWidget(choose);

    auto* progress = new QWidget(m_pages);
    auto* progressLayout = new QVBoxLayout(progress);
    m_fileLabel = new QLabel(progress);
    m_fileLabel->setObjectName(u"ExportFileText"_s);
    m_filesBar = new QProgressBar(progress);
    m_filesBar->setObjectName(u"ExportFilesBar"_s);
    m_bytesLabel = new QLabel(progress);
    m_bytesLabel->setObjectName(u"ExportBytesText"_s);
    m_bytesBar = new QProgressBar(progress);
    m_bytesBar->setObjectName(u"ExportBytesBar"_s);
    m_bytesBar->setRange(0, BytesBarSteps);
    m_bytesBar->setTextVisible(false);
    progressLayout->addStretch();
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_fileLabel, m_filesBar, m_bytesLabel, m_bytesBar})
        progressLayout->addWidget(widget);
    progressLayout->addStretch();
    m_pages->addWidget(progress);

    auto* report = new QWidget(m_pages);
    auto* reportLayout = new QVBoxLayout(report);
    reportLayout->setContentsMargins(0, 0, 0, 0);
    m_summary = new QLabel(report);
    m_summary->setObjectName(u"ExportSummaryText"_s);
    m_summary->setWordWrap(true);
    m_report = new QListWidget(report);
    m_report->setObjectName(u"ExportReport"_s);
    reportLayout->addWidget(m_summary);
    reportLayout->addWidget(m_report, 1);
    m_pages->addWidget(report);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_exportCmd = new QPushButton(this);
    m_exportCmd->setObjectName(u"ExportCmd"_s);
    m_exportCmd->setDefault(true);
    m_cancelCmd = new QPushButton(this);
    m_cancelCmd->setObjectName(u"CancelCmd"_s);
    buttons->addWidget(m_exportCmd);
    buttons->addWidget(m_cancelCmd);
    layout->addLayout(buttons);
    resize(560, 520);

    connect(m_exportCmd, &QPushButton::clicked, this, &ExportForm::startExport);
    connect(m_cancelCmd, &QPushButton::clicked, this, &ExportForm::reject);
}

ExportForm::~ExportForm() = default;

bool ExportForm::isExporting() const {
    return m_job && m_job->isRunning();
}

void ExportForm::Form_Load() {
    setWindowTitle(Text(TextSlot::ExportCaption));
    m_exportCmd->setText(Text(TextSlot::ExportButton));
    m_cancelCmd->setText(Text(TextSlot::Exit));
    m_scheduleLabel->setText(Text(TextSlot::ExportScheduleFile).arg(m_context.schedulePath()));
    // Another program may have changed the file since the editor saved it.
    const DecodeResult read = ReadScheduleFileAt(m_context.schedulePath());
    m_document = read ? read->document : ScheduleDocument();
    m_exportCmd->setEnabled(read.ok());
    if (!read)
        m_dialogs.showMessage(
            Text(TextSlot::ScheduleReadError).arg(m_context.schedulePath(), read.error()));
    m_mediaLabel->setText(Text(TextSlot::ExportMediaFolder)
                              .arg(m_context.mediaFolder,
                                   QString::number(ScheduleMediaFileNames(m_document).size())));
    m_pages->setCurrentIndex(ChoosePage);
    m_target->load();
}

void ExportForm::startExport() {
    const QString target = m_target->shownFolder();
    m_job = std::make_unique<ExportJob>(
        PlanExport(m_context.schedulePath(), m_document, m_context.mediaFolder), target);
    connect(m_job.get(), &ExportJob::progressed, this, &ExportForm::showProgress);
    connect(m_job.get(), &ExportJob::finished, this, &ExportForm::showReport);
    m_pages->setCurrentIndex(ProgressPage);
    m_exportCmd->hide();
    m_cancelCmd->setText(Text(TextSlot::CancelCommand));
    m_cancelCmd->setFocus();
    m_job->start();
}

void ExportForm::showProgress(const ExportProgress& progress) {
    m_fileLabel->setText(Text(TextSlot::ExportFileProgress)
                             .arg(QString::number(progress.file),
                                  QString::number(progress.fileCount), progress.name));
    m_filesBar->setRange(0, progress.fileCount);
    m_filesBar->setValue(progress.file - 1);
    m_bytesLabel->setText(Text(TextSlot::ExportBytesProgress)
                              .arg(sizeText(progress.bytesDone), sizeText(progress.bytesTotal)));
    m_bytesBar->setValue(progress.bytesTotal > 0
                             ? int(progress.bytesDone * BytesBarSteps / progress.bytesTotal)
                             : 0);
}

void ExportForm::showReport(const ExportReport& report) {
    m_report->clear();
    for (const ExportFileResult& file : report.files)
        addReportLine(file);
    QString summary = Text(TextSlot::ExportSummary)
                          .arg(Text(outcomeSlot(report.scheduleOutcome())),
                               QString::number(report.mediaCount(ExportOutcome::Copied)),
                               QString::number(report.mediaCount(ExportOutcome::AlreadyThere)),
                               QString::number(report.mediaCount(ExportOutcome::Missing)),
                               QString::number(report.mediaCount(ExportOutcome::Failed)));
    if (report.cancelled)
        summary = Text(TextSlot::ExportCancelled) + u' ' + summary;
    m_summary->setText(summary);
    m_pages->setCurrentIndex(ReportPage);
    m_cancelCmd->setText(Text(TextSlot::Exit));
    m_cancelCmd->setEnabled(true);
    m_cancelCmd->setDefault(true);
    m_cancelCmd->setFocus();
    Q_EMIT exportFinished(report);
}

void ExportForm::addReportLine(const ExportFileResult& file) {
    QString text;
    QStyle::StandardPixmap icon = QStyle::SP_DialogApplyButton;
    switch (file.outcome) {
    case ExportOutcome::Copied:
        text = Text(TextSlot::ExportCopied).arg(file.name);
        break;
    case ExportOutcome::AlreadyThere:
        text = Text(TextSlot::ExportAlreadyThere).arg(file.name);
        break;
    case ExportOutcome::Missing:
        text = Text(TextSlot::ExportMissing).arg(file.name);
        icon = QStyle::SP_MessageBoxWarning;
        break;
    case ExportOutcome::Failed:
        text = Text(TextSlot::ExportFailed).arg(file.name, file.reason);
        icon = QStyle::SP_MessageBoxCritical;
        break;
    case ExportOutcome::NotDone:
        text = Text(TextSlot::ExportNotDone).arg(file.name);
        icon = QStyle::SP_MessageBoxInformation;
        break;
    }
    m_report->addItem(new QListWidgetItem(style()->standardIcon(icon), text));
}

void ExportForm::reject() {
    if (isExporting()) {
        m_job->cancel();
        m_cancelCmd->setEnabled(false);
        return;
    }
    QDialog::reject();
}
