// orvanta_datagen DIR: writes the factory lighting of the built-in profiles
// into the data tree at DIR.

#include "FactoryLighting.h"

#include <QCoreApplication>
#include <QDir>

namespace
{

void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The command set's debug lines mean nothing while generating files.
    if (type >= QtWarningMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        fprintf(stderr, "usage: orvanta_datagen DIR\n");
        return 2;
    }
    if (!QDir().mkpath(args[1]) || !QDir::setCurrent(args[1])) {
        fprintf(stderr, "cannot enter %s\n", qPrintable(args[1]));
        return 1;
    }
    return orvanta::writeFactoryLighting().ok() ? 0 : 1;
}
