// restore IMAGE TARGET: placeholder until the restore checks are shared.
#include "Commands.h"

#include "CommandResult.h"

ExitStatus RunRestore(Console& console, const CliRequest&) {
    CommandResult result(console, QStringLiteral("restore"));
    return result.Fail(QStringLiteral("restore is not available yet."));
}
