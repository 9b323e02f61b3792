// Saves through the console's storage operations, step after step, until it is
// killed (or has done --steps steps). Used by the crash-safety tests.
//
//   orvanta-robust-writer --dir DATA --from T [--steps N]
//
// Prints "ready" once it has entered DATA, before the first step.
//
//   orvanta-robust-writer --hold-lock FILE
//
// Takes the lock file FILE as a settings write does, prints "ready" and waits
// to be killed, so a test gets a lock whose owner is gone.

#include "RobustSteps.h"
#include "core/profiles/ProfileStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QThread>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString dir;
    qint64 from = 0;
    qint64 steps = -1;
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--hold-lock")) {
        QLockFile lock(args[2]);
        if (!lock.tryLock(0))
            return 1;
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(60);
    }
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--dir"))
            dir = args[i + 1];
        else if (args[i] == QLatin1String("--from"))
            from = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--steps"))
            steps = args[i + 1].toLongLong();
    }
    if (dir.isEmpty() || !QDir::setCurrent(dir)) {
        std::fprintf(stderr, "usage: orvanta-robust-writer --dir DATA --from T [--steps N]\n");
        return 2;
    }
    // As the console does at start-up: clear what a killed predecessor left.
    orvanta::removeStaleStaging();
    std::printf("ready\n");
    std::fflush(stdout);
    for (qint64 t = from; steps < 0 || t < from + steps; ++t)
        orvanta::robust::runStep(t);
    return 0;
}
