#include "ScriptedDialogs.h"

QStringList ScriptedDialogs::messages() const {
    QStringList texts;
    for (const Call& call : m_calls)
        if (call.kind == Kind::Message || call.kind == Kind::UntitledMessage)
            texts.append(call.text);
    return texts;
}

QList<ScriptedDialogs::Kind> ScriptedDialogs::kinds() const {
    QList<Kind> kinds;
    for (const Call& call : m_calls)
        kinds.append(call.kind);
    return kinds;
}
