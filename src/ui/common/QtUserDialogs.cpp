#include "QtUserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace {

QString messageTitle() {
    return QString::fromUtf16(MessageTitle);
}

std::optional<QString> runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                     const QString& folder, const QString& fileName,
                                     const QString& filter) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // The program makes its own existence and overwrite checks.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(QtNameFilters(filter));
    dialog.setDirectory(folder);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        filters.append(parts[i] + u" ("_s + patterns + u')');
    }
    return filters;
}

void QtUserDialogs::showMessage(const QString& text) {
    QMessageBox::information(m_parent, messageTitle(), text, QMessageBox::Ok);
}

void QtUserDialogs::showUntitledMessage(const QString& text) {
    QMessageBox::information(m_parent, QString(), text, QMessageBox::Ok);
}

bool QtUserDialogs::askYesNo(const QString& text) {
    return QMessageBox::question(m_parent, messageTitle(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtUserDialogs::askOkCancel(const QString& text) {
    return QMessageBox::question(m_parent, messageTitle(), text,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

SaveChangesAnswer QtUserDialogs::askSaveChanges(const QString& text) {
    switch (QMessageBox::question(m_parent, messageTitle(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return SaveChangesAnswer::Save;
    case QMessageBox::No:
        return SaveChangesAnswer::Discard;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

std::optional<QString> QtUserDialogs::chooseOpenFile(const QString& folder, const QString& fileName,
                                                     const QString& filter) {
    return runFileDialog(m_parent, QFileDialog::AcceptOpen, folder, fileName, filter);
}

std::optional<QString> QtUserDialogs::chooseSaveFile(const QString& folder, const QString& fileName,
                                                     const QString& filter) {
    return runFileDialog(m_parent, QFileDialog::AcceptSave, folder, fileName, filter);
}
