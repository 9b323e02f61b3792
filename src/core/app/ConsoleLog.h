#pragma once
// The console's diagnostic log: every message goes to a size-bounded, rotated
// file; the terminal gets warnings and errors only, or everything when asked.

#include <QString>
#include <QtGlobal>

namespace orvanta
{

// ${XDG_STATE_HOME:-~/.local/state}/orvanta-console/console.log
QString consoleLogFile();

// Installs the message handler. The file is started anew as `path.1` (the
// older ones moving up to `path.<keptFiles - 1>`) whenever the next line would
// take it past `maxBytes`. A file that cannot be written leaves the terminal
// output as it is.
void installConsoleLog(const QString &path, bool verbose, qint64 maxBytes = 1024 * 1024,
                       int keptFiles = 3);

} // namespace orvanta
