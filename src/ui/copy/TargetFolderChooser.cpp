#include "TargetFolderChooser.h"

#include "CurrentTexts.h"
#include "PathHelpers.h"
#include "UserDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
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

TargetFolderChooser::TargetFolderChooser(UserDialogs& dialogs, AppContext& context,
                                         DriveList drives, QWidget* parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , m_context(context)
    , m_drives(drives ? std::move(drives) : DriveList(&MountedDrives)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

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

    connect(m_copyDrive, &QComboBox::currentIndexChanged, this, &TargetFolderChooser::driveChanged);
    connect(m_copyDir->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TargetFolderChooser::folderChanged);
    // Folders load in the background: bring the shown folder into view once
    // its parents are listed.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] {
        if (m_copyDir->currentIndex().isValid())
            m_copyDir->scrollTo(m_copyDir->currentIndex());
    });
}

QString TargetFolderChooser::shownDrive() const {
    return m_copyDrive->currentText();
}

QString TargetFolderChooser::shownFolder() const {
    return m_copyText->text();
}

void TargetFolderChooser::load() {
    m_ready = false;
    m_copyDrive->clear();
    m_copyDrive->addItems(m_drives());
    if (!showDriveAndFolder(m_context.copyTargetDrive, m_context.copyTargetFolder)) {
        m_context.copyTargetDrive = DriveOfFolder(m_context.appFolder);
        m_context.copyTargetFolder = m_context.appFolder;
        showDriveAndFolder(m_context.copyTargetDrive, m_context.copyTargetFolder);
    }
    m_ready = true;
}

bool TargetFolderChooser::showDriveAndFolder(const QString& drive, const QString& folder) {
    const int index = m_copyDrive->findText(drive);
    if (index < 0 || !DriveIsReadable(drive) || !QDir(folder).exists() ||
        !asFolder(folder).startsWith(asFolder(drive)))
        return false;
    m_copyDrive->setCurrentIndex(index);
    setTreeRoot(drive);
    showFolder(folder);
    return true;
}

void TargetFolderChooser::setTreeRoot(const QString& drive) {
    m_folders->setRootPath(drive);
    m_copyDir->setRootIndex(m_folders->index(QDir::fromNativeSeparators(drive)));
}

void TargetFolderChooser::showFolder(const QString& folder) {
    const QModelIndex index = m_folders->index(QDir::cleanPath(QDir::fromNativeSeparators(folder)));
    if (index.isValid()) {
        m_copyDir->setCurrentIndex(index);
        m_copyDir->scrollTo(index);
    }
    // The tree may not list the drive's root itself; show the folder anyway.
    m_copyText->setText(asFolder(folder));
    if (m_ready)
        m_context.copyTargetFolder = asFolder(folder);
}

void TargetFolderChooser::driveChanged() {
    if (!m_ready)
        return;
    const QString drive = m_copyDrive->currentText();
    if (!DriveIsReadable(drive)) {
        m_dialogs.showMessage(Text(TextSlot::DriveError).arg(drive));
        m_ready = false;
        m_copyDrive->setCurrentIndex(m_copyDrive->findText(m_context.copyTargetDrive));
        setTreeRoot(m_context.copyTargetDrive);
        showFolder(m_context.copyTargetFolder);
        m_ready = true;
        return;
    }
    m_context.copyTargetDrive = drive;
    setTreeRoot(drive);
    showFolder(drive);
}

void TargetFolderChooser::folderChanged() {
    if (!m_ready)
        return;
    const QModelIndex current = m_copyDir->currentIndex();
    if (current.isValid())
        showFolder(m_folders->filePath(current));
}
