#include "CommandResult.h"

#include <QJsonArray>

CommandResult::CommandResult(Console& console, const QString& command) : m_console(console) {
    m_fields.insert("event", "result");
    m_fields.insert("command", command);
}

ExitStatus CommandResult::End(ExitStatus status) {
    if (m_console.Json()) {
        m_fields.insert("status", QString::fromLatin1(StatusWord(status)));
        m_fields.insert("exitStatus", ToInt(status));
        m_fields.insert("errors", QJsonArray::fromStringList(m_console.Errors()));
        m_console.Emit(m_fields);
    }
    return status;
}

ExitStatus CommandResult::Fail(const QString& error) {
    m_console.Error(error);
    return End(ExitStatus::Failure);
}
