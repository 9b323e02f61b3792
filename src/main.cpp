// The ORVANTA RGB console.

#include "core/app/ConsoleLog.h"
#include "core/app/ConsoleOptions.h"
#include "core/app/Diagnose.h"
#include "core/app/EndSignals.h"
#include "core/app/SingleInstance.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/WindowScale.h"

#include <QApplication>
#include <QDebug>
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
    const orvanta::ConsoleOptions &options = parsed.options;
    orvanta::installConsoleLog(orvanta::consoleLogFile(), options.verbose);
    if (options.diagnose) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        const int code = orvanta::runDiagnosis(out);
        out << "Log file: " << orvanta::consoleLogFile() << "\n";
        return code;
    }

    // The console draws nothing with OpenGL; without this Qt's X11 platform loads
    // the GL stack (often a software driver and LLVM) before the first window.
    const bool glChosen = qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION");
    if (!glChosen)
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // A first start seeds the data directory while the application object
    // connects to the display.
    const QString dataDir = orvanta::dataDirectory(options);
    orvanta::DataDirectoryPreparation dataDirectory(dataDir, orvanta::installedDataTree());
    orvanta::enableHighDpiScaling();
    QApplication app(argc, argv);
    if (!dataDirectory.enter()) {
        QTextStream(stderr) << "orvanta-console: cannot use the data directory " << dataDir << "\n";
        return 1;
    }

    orvanta::SingleInstance instance(QDir::currentPath());
    if (const int refused = instance.claim(dataDirectory, options.singleInstance); refused >= 0)
        return refused;
    qInfo().noquote()
        << QStringLiteral("start: version %1, keyboard %2, port %3, data directory %4")
               .arg(QStringLiteral(ORVANTA_VERSION),
                    options.keyboard == orvanta::KeyboardChoice::Virtual ? QStringLiteral("virtual")
                    : options.keyboard == orvanta::KeyboardChoice::Auto  ? QStringLiteral("auto")
                                                                         : QStringLiteral("usb"))
               .arg(options.port)
               .arg(QDir::currentPath());

    // Listening before the window is built (which takes a while) lets a second
    // start in that time show this console rather than wait.
    MainWindow *shown = nullptr;
    instance.listen([&shown] {
        if (shown)
            shown->showConsole();
    });
    int code = 0;
    {
        MainWindow window(options);
        shown = &window;
        // SIGTERM, SIGINT and SIGHUP end the console as its Close button does.
        orvanta::EndSignals endSignals;
        QObject::connect(&endSignals, &orvanta::EndSignals::received, &window,
                         &MainWindow::endOnSignal);
        const std::unique_ptr<QWidget> scaled = orvanta::fitWindowToScreen(window);
        orvanta::centreOnScreen(*orvanta::topLevelOf(&window));
        window.showConsole();
        // The choice is made with the first window; the programs the console
        // starts (browser, updater) make their own.
        if (!glChosen)
            qunsetenv("QT_XCB_GL_INTEGRATION");
        code = app.exec();
        shown = nullptr;
    }
    qInfo() << "quit, status" << code;
    return code;
}
