#pragma once
// The console's diagnostic log: every message goes to a size-bounded, rotated
// file; the terminal gets warnings and errors only, or everything when asked.

#include <QString>
#include <QtGlobal>

namespace orvanta
{

// ${XDG_STATE_HOME:-~/.local/state}/orvanta-console/console.log
QString consoleLogFile();

// `text` with every control character (C0, DEL, C1) written as \xNN.
QString escapeControlCharacters(const QString &text);

// Installs the message handler. The file is started anew as `path.1` (the
// older ones moving up to `path.<keptFiles - 1>`) whenever the next line would
// take it past `maxBytes`. The log is only ever written as a regular file of
// its own: a link, FIFO or empty folder in the place of one of its names is
// removed (never what a link points to), and when the current file cannot be
// moved on it is emptied, so the files stay bounded whatever the folder holds.
// Where no log file can be made (a folder with contents in its place), the
// terminal output stays as it is. Control characters in a message are written
// as \xNN: one message is always one line.
void installConsoleLog(const QString &path, bool verbose, qint64 maxBytes = 1024 * 1024,
                       int keptFiles = 3);

} // namespace orvanta
