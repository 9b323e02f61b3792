// Saves through the console's storage operations, step after step, until it is
// killed (or has done --steps N). Used by the crash-safety test.
//
//   orvanta-robust-writer --dir DATA --from T [--steps N]
//
// Step T is step T % kSteps of generation T / kSteps.
//
// Prints "ready" once it has entered DATA, before the first save.

#include "RobustSteps.h"
#include "core/profiles/ProfileStore.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto option = [&](const char *name, const QString &fallback) {
        const int at = args.indexOf(QLatin1String(name));
        return at > 0 && at + 1 < args.size() ? args[at + 1] : fallback;
    };
    const qint64 from = option("--from", "0").toLongLong();
    const qint64 count = option("--steps", "-1").toLongLong();
    if (!QDir::setCurrent(option("--dir", QString()))) {
        std::fprintf(stderr, "usage: orvanta-robust-writer --dir DATA --from T [--steps N]\n");
        return 2;
    }
    // As the console does at start-up: clear what a killed predecessor left.
    orvanta::removeStaleStaging();
    std::printf("ready\n");
    std::fflush(stdout);
    using orvanta::robust::kSteps;
    for (qint64 t = from; count < 0 || t < from + count; ++t)
        orvanta::robust::runStep(int(t % kSteps), t / kSteps);
    return 0;
}
