#pragma once

#include "UserDialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <variant>

// Dialogs driven by a script: each question or file dialog takes the next
// scripted answer, every call is recorded, and nothing ever blocks. A call
// with no answer left is recorded as unexpected and answered "cancel".
class ScriptedDialogs final : public UserDialogs {
public:
    enum class Kind { Message, UntitledMessage, YesNo, OkCancel, SaveChanges, OpenFile, SaveFile };

    struct Call {
        Kind kind;
        QString text;     // message text, or the filter of a file dialog
        QString folder;   // file dialogs: where it started
        QString fileName; // file dialogs: the proposed name
    };

    // Answers, in the order the program will ask.
    void answerYesNo(bool yes) { m_answers.enqueue(yes); }
    void answerOkCancel(bool ok) { m_answers.enqueue(ok); }
    void answerSaveChanges(SaveChangesAnswer answer) { m_answers.enqueue(answer); }
    // A full path, or nothing for Cancel.
    void answerFile(const std::optional<QString>& path) { m_answers.enqueue(path); }

    const QList<Call>& calls() const { return m_calls; }
    QStringList messages() const;
    QList<Kind> kinds() const;
    bool hadUnexpectedCall() const { return m_unexpected; }
    bool allAnswersUsed() const { return m_answers.isEmpty(); }
    void clear() { *this = ScriptedDialogs(); }

    void showMessage(const QString& text) override {
        m_calls.append({Kind::Message, text, {}, {}});
    }
    void showUntitledMessage(const QString& text) override {
        m_calls.append({Kind::UntitledMessage, text, {}, {}});
    }
    bool askYesNo(const QString& text) override { return next({Kind::YesNo, text, {}, {}}, false); }
    bool askOkCancel(const QString& text) override {
        return next({Kind::OkCancel, text, {}, {}}, false);
    }
    SaveChangesAnswer askSaveChanges(const QString& text) override {
        return next({Kind::SaveChanges, text, {}, {}}, SaveChangesAnswer::Cancel);
    }
    std::optional<QString> chooseOpenFile(const QString& folder, const QString& fileName,
                                          const QString& filter) override {
        return next({Kind::OpenFile, filter, folder, fileName}, std::optional<QString>());
    }
    std::optional<QString> chooseSaveFile(const QString& folder, const QString& fileName,
                                          const QString& filter) override {
        return next({Kind::SaveFile, filter, folder, fileName}, std::optional<QString>());
    }

private:
    using Answer = std::variant<bool, SaveChangesAnswer, std::optional<QString>>;
    // Records the call and takes the next answer when it is of the right type.
    template <typename T> T next(const Call& call, const T& fallback);

    QQueue<Answer> m_answers;
    QList<Call> m_calls;
    bool m_unexpected = false;
};

template <typename T> T ScriptedDialogs::next(const Call& call, const T& fallback) {
    m_calls.append(call);
    if (m_answers.isEmpty() || !std::holds_alternative<T>(m_answers.head())) {
        m_unexpected = true;
        return fallback;
    }
    return std::get<T>(m_answers.dequeue());
}
