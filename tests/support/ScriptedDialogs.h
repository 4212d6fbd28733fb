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
    void clear();

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
    using Answer = std::variant<bool, SaveChangesAnswer, std::optional<QString>>;
    template <typename T> T next(const T& fallback);

    QQueue<Answer> m_answers;
    QList<Call> m_calls;
    bool m_unexpected = false;
};
