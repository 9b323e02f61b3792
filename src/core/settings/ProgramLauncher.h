#pragma once
// Outside programs the console only starts (the firmware updater and the
// software updater). Everything goes through `ProgramLauncher::start`, so tests can
// replace it; the console never waits for such a program's result.

#include <QString>
#include <functional>

namespace orvanta
{

struct ProgramLauncher {
    // Starts `program` detached with no arguments. `workDir` empty: the current
    // directory. `elevated`: on Windows through the shell with the "runas" verb
    // (then waits up to 3 s for the program before releasing it), elsewhere ignored.
    // Returns whether the program started.
    using Starter =
        std::function<bool(const QString &program, const QString &workDir, bool elevated)>;
    static Starter start;
    static void restoreDefaults();
};

// "./fw/FWUpdate.exe" below the data directory; off Windows "./fw/FWUpdate" when
// there is no ".exe".
QString firmwareUpdaterProgram();

// "BrindleUpdate.exe" in `folder` (the executable's folder); off Windows the same
// name without ".exe" when that exists.
QString softwareUpdaterProgram(const QString &folder);

} // namespace orvanta
