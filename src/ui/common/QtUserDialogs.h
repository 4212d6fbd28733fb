#pragma once

#include "UserDialogs.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// The real dialogs: Qt message boxes and file dialogs over a parent window.
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr)
        : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void showMessage(const QString& text) override;
    void showUntitledMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    bool askOkCancel(const QString& text) override;
    SaveChangesAnswer askSaveChanges(const QString& text) override;
    std::optional<QString> chooseOpenFile(const QString& folder, const QString& fileName,
                                          const QString& filter) override;
    std::optional<QString> chooseSaveFile(const QString& folder, const QString& fileName,
                                          const QString& filter) override;

private:
    QPointer<QWidget> m_parent;
};

// "Media File(*.jpg;*.mp3)|*.jpg;*.mp3|All File(*.*)|*.*" as Qt name filters;
// each description is kept as the user always saw it.
QStringList QtNameFilters(const QString& filter);
