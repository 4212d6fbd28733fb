#include "ScriptedDialogs.h"

template <typename T> T ScriptedDialogs::next(const T& fallback) {
    if (m_answers.isEmpty() || !std::holds_alternative<T>(m_answers.head())) {
        m_unexpected = true;
        return fallback;
    }
    return std::get<T>(m_answers.dequeue());
}

QStringList ScriptedDialogs::messages() const {
    QStringList texts;
    for (const Call& call : m_calls) {
        if (call.kind == Kind::Message || call.kind == Kind::UntitledMessage)
            texts.append(call.text);
    }
    return texts;
}

QList<ScriptedDialogs::Kind> ScriptedDialogs::kinds() const {
    QList<Kind> kinds;
    for (const Call& call : m_calls)
        kinds.append(call.kind);
    return kinds;
}

void ScriptedDialogs::clear() {
    m_answers.clear();
    m_calls.clear();
    m_unexpected = false;
}

void ScriptedDialogs::showMessage(const QString& text) {
    m_calls.append({Kind::Message, text, {}, {}});
}

void ScriptedDialogs::showUntitledMessage(const QString& text) {
    m_calls.append({Kind::UntitledMessage, text, {}, {}});
}

bool ScriptedDialogs::askYesNo(const QString& text) {
    m_calls.append({Kind::YesNo, text, {}, {}});
    return next<bool>(false);
}

bool ScriptedDialogs::askOkCancel(const QString& text) {
    m_calls.append({Kind::OkCancel, text, {}, {}});
    return next<bool>(false);
}

SaveChangesAnswer ScriptedDialogs::askSaveChanges(const QString& text) {
    m_calls.append({Kind::SaveChanges, text, {}, {}});
    return next<SaveChangesAnswer>(SaveChangesAnswer::Cancel);
}

std::optional<QString> ScriptedDialogs::chooseOpenFile(const QString& folder,
                                                       const QString& fileName,
                                                       const QString& filter) {
    m_calls.append({Kind::OpenFile, filter, folder, fileName});
    return next<std::optional<QString>>(std::nullopt);
}

std::optional<QString> ScriptedDialogs::chooseSaveFile(const QString& folder,
                                                       const QString& fileName,
                                                       const QString& filter) {
    m_calls.append({Kind::SaveFile, filter, folder, fileName});
    return next<std::optional<QString>>(std::nullopt);
}
