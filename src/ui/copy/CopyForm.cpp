#include "CopyForm.h"

#include "CurrentTexts.h"
#include "FileCopy.h"
#include "Fonts.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CopyForm::CopyForm(UserDialogs& dialogs, AppContext& context, DriveList drives, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_context(context) {
    setObjectName(u"CopyForm"_s);
    setModal(true);
    setFont(CaptionFont());
    auto* layout = new QVBoxLayout(this);
    m_target = new TargetFolderChooser(dialogs, context, std::move(drives), this);
    layout->addWidget(m_target, 1);

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

    connect(m_copyCmd, &QPushButton::clicked, this, &CopyForm::CopyCmd_Click);
    connect(m_cancelCmd, &QPushButton::clicked, this, &QDialog::reject);
}

void CopyForm::Form_Load() {
    setWindowTitle(Text(TextSlot::CopyWindowCaption));
    m_copyCmd->setText(Text(TextSlot::CopyButton));
    m_cancelCmd->setText(Text(TextSlot::Exit));
    m_target->load();
}

void CopyForm::CopyCmd_Click() {
    const QString target = m_target->shownFolder();
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
