// The ORVANTA RGB console.

#include "app/ConsoleOptions.h"
#include "app/Diagnose.h"
#include "app/LumoProject.h"
#include "app/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const orvanta::ParsedCommandLine parsed = orvanta::parseCommandLine(arguments);
    if (parsed.exitCode >= 0) {
        QTextStream(parsed.exitCode == 0 ? stdout : stderr) << parsed.message;
        return parsed.exitCode;
    }
    if (parsed.options.diagnose) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        return orvanta::runDiagnosis(out);
    }

    QApplication app(argc, argv);
    const orvanta::ConsoleOptions &options = parsed.options;
    if (!options.dataDir.isEmpty() &&
        !orvanta::prepareDataDirectory(options.dataDir, orvanta::installedDataTree())) {
        QTextStream(stderr) << "orvanta-console: cannot use the data directory " << options.dataDir
                            << "\n";
        return 1;
    }

    orvanta::SingleInstance instance(QDir::currentPath());
    if (options.singleInstance && instance.askRunningToShow())
        return 0; // the console already running for this data directory shows itself

    int code = 0;
    {
        LumoProject window(options);
        if (options.singleInstance)
            instance.listen([&window] {
                window.showNormal();
                window.raise();
                window.activateWindow();
            });
        window.show();
        code = app.exec();
    }
    return code;
}
