#include "CopyForm.h"

#include "CurrentTexts.h"
#include "FileCopy.h"
#include "Fonts.h"
#include "PathHelpers.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString asFolder(const QString& path) {
    return WithTrailingSeparator(QDir::toNativeSeparators(path));
}

} // namespace

QStringList MountedDrives() {
    QStringList drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            drives.append(QDir::toNativeSeparators(volume.rootPath()));
    }
    drives.removeDuplicates();
    drives.sort();
    return drives;
}

bool DriveIsReadable(const QString& drive) {
    const QDir root(drive);
    return !drive.isEmpty() && root.exists() && root.isReadable() && QStorageInfo(drive).isReady();
}

CopyForm::CopyForm(UserDialogs& dialogs, AppContext& context, DriveList drives, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_context(context)
    , m_drives(drives ? std::move(drives) : DriveList(&MountedDrives)) {
    setObjectName(u"CopyForm"_s);
    setModal(true);
    setFont(CaptionFont());
    auto* layout = new QVBoxLayout(this);

    m_copyDrive = new QComboBox(this);
    m_copyDrive->setObjectName(u"CopyDrive"_s);
    layout->addWidget(m_copyDrive);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_copyDir = new QTreeView(this);
    m_copyDir->setObjectName(u"CopyDir"_s);
    m_copyDir->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_copyDir->hideColumn(column);
    m_copyDir->header()->hide();
    m_copyDir->setMinimumSize(360, 260);
    layout->addWidget(m_copyDir, 1);

    m_copyText = new QLineEdit(this);
    m_copyText->setObjectName(u"CopyText"_s);
    m_copyText->setReadOnly(true);
    layout->addWidget(m_copyText);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_copyCmd = new QPushButton(this);
    m_copyCmd->setObjectName(u"CopyCmd"_s);
    m_copyCmd->setDefault(true);
    m_cancelCmd = new QPushButton(this);
    m_cancelCmd->setObjectName(u"CancelCmd"_s);
    buttons->addWidget(m_copyCmd);
    buttons->addWidget(m_cancelCmd);
    layout->addLayout(buttons);

    connect(m_copyDrive, &QComboBox::currentIndexChanged, this, &CopyForm::CopyDrive_Change);
    connect(m_copyDir->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CopyForm::CopyDir_Change);
    // Folders load in the background: bring the shown folder into view once
    // its parents are listed.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] {
        if (m_copyDir->currentIndex().isValid())
            m_copyDir->scrollTo(m_copyDir->currentIndex());
    });
    connect(m_copyCmd, &QPushButton::clicked, this, &CopyForm::CopyCmd_Click);
    connect(m_cancelCmd, &QPushButton::clicked, this, &QDialog::reject);
}

QString CopyForm::shownDrive() const {
    return m_copyDrive->currentText();
}

QString CopyForm::shownFolder() const {
    return m_copyText->text();
}

void CopyForm::Form_Load() {
    setWindowTitle(Text(TextSlot::CopyWindowCaption));
    m_copyCmd->setText(Text(TextSlot::CopyButton));
    m_cancelCmd->setText(Text(TextSlot::Exit));
    m_formReady = false;
    m_copyDrive->clear();
    m_copyDrive->addItems(m_drives());
    if (!showDriveAndFolder(m_context.copyTargetDrive, m_context.copyTargetFolder)) {
        m_context.copyTargetDrive = DriveOfFolder(m_context.appFolder);
        m_context.copyTargetFolder = m_context.appFolder;
        showDriveAndFolder(m_context.copyTargetDrive, m_context.copyTargetFolder);
    }
    m_formReady = true;
}

bool CopyForm::showDriveAndFolder(const QString& drive, const QString& folder) {
    const int index = m_copyDrive->findText(drive);
    if (index < 0 || !DriveIsReadable(drive) || !QDir(folder).exists() ||
        !asFolder(folder).startsWith(asFolder(drive)))
        return false;
    m_copyDrive->setCurrentIndex(index);
    setTreeRoot(drive);
    showFolder(folder);
    return true;
}

void CopyForm::setTreeRoot(const QString& drive) {
    m_folders->setRootPath(drive);
    m_copyDir->setRootIndex(m_folders->index(QDir::fromNativeSeparators(drive)));
}

void CopyForm::showFolder(const QString& folder) {
    const QModelIndex index = m_folders->index(QDir::cleanPath(QDir::fromNativeSeparators(folder)));
    if (index.isValid()) {
        m_copyDir->setCurrentIndex(index);
        m_copyDir->scrollTo(index);
    }
    // The tree may not list the drive's root itself; show the folder anyway.
    m_copyText->setText(asFolder(folder));
    if (m_formReady)
        m_context.copyTargetFolder = asFolder(folder);
}

void CopyForm::CopyDrive_Change() {
    if (!m_formReady)
        return;
    const QString drive = m_copyDrive->currentText();
    if (!DriveIsReadable(drive)) {
        m_dialogs.showMessage(Text(TextSlot::DriveError).arg(drive));
        m_formReady = false;
        m_copyDrive->setCurrentIndex(m_copyDrive->findText(m_context.copyTargetDrive));
        setTreeRoot(m_context.copyTargetDrive);
        showFolder(m_context.copyTargetFolder);
        m_formReady = true;
        return;
    }
    m_context.copyTargetDrive = drive;
    setTreeRoot(drive);
    showFolder(drive);
}

void CopyForm::CopyDir_Change() {
    if (!m_formReady)
        return;
    const QModelIndex current = m_copyDir->currentIndex();
    if (current.isValid())
        showFolder(m_folders->filePath(current));
}

void CopyForm::CopyCmd_Click() {
    const QString target = m_copyText->text();
    if (!FileExists(target, m_fileName)) {
        runCopy(target);
        return;
    }
    // Never copy a file onto itself.
    if (IsSameFolder(target, m_context.mediaFolder)) {
        m_dialogs.showMessage(Text(TextSlot::FileCopyError));
        return;
    }
    if (m_dialogs.askOkCancel(Text(TextSlot::FileAlreadyExisted)))
        runCopy(target);
}

void CopyForm::runCopy(const QString& target) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_copyCmd->setEnabled(false);
    m_cancelCmd->setEnabled(false);
    // Repaint during a long copy, but take no input until it is over.
    const Result<void> copied = CopyFileToFolder(m_context.mediaFolder, m_fileName, target, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    QApplication::restoreOverrideCursor();
    m_copyCmd->setEnabled(true);
    m_cancelCmd->setEnabled(true);
    m_dialogs.showMessage(Text(copied ? TextSlot::FileCopied : TextSlot::FileCopyError));
}
