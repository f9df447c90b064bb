// The end of a command: its exit status and, with --json, the result object
// on standard output that carries every figure and error of the run.
#pragma once

#include "Console.h"
#include "ExitStatus.h"

#include <QJsonObject>
#include <QString>

class CommandResult {
  public:
    CommandResult(Console& console, const QString& command);

    void Set(const QString& key, const QJsonValue& value) { m_fields.insert(key, value); }
    // Emits the result object with --json and returns the status.
    ExitStatus End(ExitStatus status);
    // An error for standard error, then End(Failure).
    ExitStatus Fail(const QString& error);

  private:
    Console& m_console;
    QJsonObject m_fields;
};
