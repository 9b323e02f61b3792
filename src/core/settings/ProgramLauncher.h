#pragma once
// Outside programs the console only starts (the firmware updater and the
// software updater): where they are and how they are started. The console
// starts them through its DesktopServices, so tests can watch instead.

#include <QString>

namespace orvanta
{

// Starts `program` detached with no arguments. `workDir` empty: the current
// directory. `elevated`: on Windows through the shell with the "runas" verb
// (then waits up to 3 s for the program before releasing it), elsewhere ignored.
// Returns whether the program started.
bool startDetachedProgram(const QString &program, const QString &workDir, bool elevated);

// "./fw/FWUpdate.exe" below the data directory; off Windows "./fw/FWUpdate" when
// there is no ".exe".
QString firmwareUpdaterProgram();

// "BrindleUpdate.exe" in `folder` (the executable's folder); off Windows the same
// name without ".exe" when that exists.
QString softwareUpdaterProgram(const QString &folder);

} // namespace orvanta
