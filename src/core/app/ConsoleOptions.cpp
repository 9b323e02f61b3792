#include "ConsoleOptions.h"

#include "core/storage/DirectoryOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace orvanta
{

static QString usage()
{
    return QStringLiteral(
        "Usage: orvanta-console [options]\n"
        "Configures the ORVANTA RGB keyboard: lighting, macros, key assignment and profiles.\n"
        "\n"
        "Options:\n"
        "  --data-dir DIR     keep every setting in DIR (created and seeded on first use);\n"
        "                     without it ${XDG_DATA_HOME:-~/.local/share}/orvanta-console\n"
        "  --port N           TCP port of the control socket (default 5490)\n"
        "  --listen-all       accept control-socket clients from other machines too\n"
        "                     (default: this machine only; anyone on the network could then\n"
        "                     switch profiles and change the lighting)\n"
        "  --no-update-check  do not ask the update service for a newer version\n"
        "  --diagnose         print what the console finds of the keyboard and where it\n"
        "                     logs, then exit (status 0 when the keyboard can be used,\n"
        "                     2 when none is found)\n"
        "  --verbose          also log the debugging lines (each report, each mouse move)\n"
        "                     and print every log line on the terminal too (the log is\n"
        "                     ${XDG_STATE_HOME:-~/.local/state}/orvanta-console/console.log)\n"
        "  --keyboard=usb|virtual|auto  talk to the USB keyboard (default), to the\n"
        "                     virtual keyboard built into the console, or to the USB\n"
        "                     keyboard when one is found and the virtual one otherwise\n"
        "  --virtual-keyboard the same as --keyboard=virtual: everything works, and\n"
        "                     is shown in the virtual keyboard window, without the keyboard\n"
        "  --no-single-instance  when a console already runs for this data directory,\n"
        "                     refuse to start (exit status 1) rather than show that one\n"
        "  --version          print the version and exit\n"
        "  --help             print this help and exit\n");
}

ParsedCommandLine parseCommandLine(const QStringList &arguments)
{
    ParsedCommandLine out;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        auto value = [&](QString &into) {
            if (i + 1 >= arguments.size()) {
                out.exitCode = 2;
                out.message =
                    QStringLiteral("orvanta-console: %1 needs a value\n").arg(a) + usage();
                return false;
            }
            into = arguments[++i];
            return true;
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out.exitCode = 0;
            out.message = usage();
            return out;
        } else if (a == QLatin1String("--version")) {
            out.exitCode = 0;
            out.message =
                QStringLiteral("orvanta-console %1\n").arg(QLatin1String(ORVANTA_VERSION));
            return out;
        } else if (a == QLatin1String("--data-dir")) {
            if (!value(out.options.dataDir))
                return out;
        } else if (a.startsWith(QLatin1String("--data-dir="))) {
            out.options.dataDir = a.mid(11);
        } else if (a == QLatin1String("--port") || a.startsWith(QLatin1String("--port="))) {
            QString text = a.mid(7);
            if (a == QLatin1String("--port") && !value(text))
                return out;
            bool ok = false;
            const uint port = text.toUInt(&ok);
            if (!ok || port == 0 || port > 65535) {
                out.exitCode = 2;
                out.message = QStringLiteral("orvanta-console: invalid port '%1'\n").arg(text);
                return out;
            }
            out.options.port = quint16(port);
        } else if (a == QLatin1String("--listen-all")) {
            out.options.listenOnAllAddresses = true;
        } else if (a == QLatin1String("--no-update-check")) {
            out.options.checkForUpdates = false;
        } else if (a == QLatin1String("--diagnose")) {
            out.options.diagnose = true;
        } else if (a == QLatin1String("--verbose")) {
            out.options.verbose = true;
        } else if (a == QLatin1String("--virtual-keyboard")) {
            out.options.keyboard = KeyboardChoice::Virtual;
        } else if (a == QLatin1String("--keyboard") || a.startsWith(QLatin1String("--keyboard="))) {
            QString text = a.mid(11);
            if (a == QLatin1String("--keyboard") && !value(text))
                return out;
            if (text == QLatin1String("usb")) {
                out.options.keyboard = KeyboardChoice::Usb;
            } else if (text == QLatin1String("virtual")) {
                out.options.keyboard = KeyboardChoice::Virtual;
            } else if (text == QLatin1String("auto")) {
                out.options.keyboard = KeyboardChoice::Auto;
            } else {
                out.exitCode = 2;
                out.message =
                    QStringLiteral(
                        "orvanta-console: --keyboard takes usb, virtual or auto, not '%1'\n")
                        .arg(text);
                return out;
            }
        } else if (a == QLatin1String("--no-single-instance")) {
            out.options.singleInstance = false;
        } else if (a.startsWith(QLatin1Char('-')) && !a.startsWith(QLatin1String("-platform")) &&
                   !a.startsWith(QLatin1String("-style"))) {
            out.exitCode = 2;
            out.message = QStringLiteral("orvanta-console: unknown option '%1'\n").arg(a) + usage();
            return out;
        }
    }
    return out;
}

// The pictures and the translation catalogs are only ever read: the data
// directory reaches them through a link to the installed tree instead of a copy
// of some fifty files, which a first start would spend most of its time creating.
static const char *const kReadOnlyTrees[] = {"Image", "Language"};

// Links each read-only tree the data directory lacks; returns the trees reached
// through a link. A folder of its own (a user's, or the copy an earlier version
// made) is kept and wins; a link left dangling by an install that moved is
// pointed at this one. Where the file system has no links, the tree is copied.
static QStringList linkReadOnlyTrees(const QString &from, const QString &to)
{
    QStringList linked;
    for (const char *tree : kReadOnlyTrees) {
        const QFileInfo source(QDir(from).filePath(QLatin1String(tree)));
        const QString target = QDir(to).filePath(QLatin1String(tree));
        if (!source.isDir())
            continue;
        QFileInfo existing(target);
        if (existing.isSymLink() && !existing.exists() && QFile::remove(target))
            existing.refresh();
        // Nothing is ever copied into a link, nor through one.
        if (existing.isSymLink() ||
            (!existing.exists() && QFile::link(source.absoluteFilePath(), target)))
            linked << QLatin1String(tree);
    }
    return linked;
}

static bool seed(const QString &from, const QString &to, const QStringList &linked,
                 QStringList &copied)
{
    if (from.isEmpty() || !QFileInfo(from).isDir())
        return true; // nothing to seed from: the console still runs on defaults
    const QDir src(from);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    bool ok = true;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = src.relativeFilePath(path);
        if (linked.contains(relative.section(QLatin1Char('/'), 0, 0)))
            continue;
        const QString target = QDir(to).filePath(relative);
        if (it.fileInfo().isDir()) { // known from the listing, mostly without a stat
            ok = QDir().mkpath(target) && ok;
        } else if (!QFileInfo::exists(target)) {
            // Installed files may be read-only; the user's copies are writable.
            const bool done = copyNewFile(path, target);
            if (done)
                copied << target;
            ok = done && ok;
        }
    }
    return ok;
}

DataDirectoryPreparation::DataDirectoryPreparation(const QString &dir, const QString &installed)
    : m_dir(dir), m_installed(installed)
{
    // Qt takes the first thread that uses its thread data (any QObject, such as a
    // QFile of the seeding) for the application's main thread. Were that the
    // worker, the application's event filters would see no event of the window
    // (Tab order, Alt+1..5, Escape) and the worker's thread data would never be
    // freed. The calling thread claims it before the worker starts.
    QThread::currentThread();
    m_worker = std::thread([this] {
        if (!QDir().mkpath(m_dir))
            return;
        m_created = true;
        // Nothing in the directory is touched while another console uses it.
        if (m_lock.tryLock(m_dir) == DataDirectoryLock::Held)
            seedIfNew();
    });
}

void DataDirectoryPreparation::seedIfNew()
{
    const QStringList linked =
        m_installed.isEmpty() ? QStringList() : linkReadOnlyTrees(m_installed, m_dir);
    if (!QFileInfo(QDir(m_dir).filePath(QStringLiteral("lightfile"))).isDir())
        seed(m_installed, m_dir, linked, m_copied);
}

bool DataDirectoryPreparation::lockAgain()
{
    if (m_lock.state() == DataDirectoryLock::Held)
        return true;
    if (!m_created || m_lock.tryLock(m_dir) != DataDirectoryLock::Held)
        return false;
    seedIfNew();
    flushToDiskLater(m_copied);
    m_copied.clear();
    return true;
}

DataDirectoryPreparation::~DataDirectoryPreparation()
{
    if (m_worker.joinable())
        m_worker.join();
}

bool DataDirectoryPreparation::enter()
{
    if (m_worker.joinable())
        m_worker.join();
    // The window need not wait for the disk: the copies reach it later.
    flushToDiskLater(m_copied);
    m_copied.clear();
    return m_created && QDir::setCurrent(m_dir);
}

bool prepareDataDirectory(const QString &dir, const QString &installed)
{
    return DataDirectoryPreparation(dir, installed).enter();
}

QString installedDataTree()
{
    // Before the application object exists, the executable is found as the
    // application object finds it.
    const QString bin = QCoreApplication::instance()
                            ? QCoreApplication::applicationDirPath()
                            : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir::cleanPath(bin + QLatin1Char('/') + QLatin1String(ORVANTA_DATA_REL));
}

QString defaultUserDataDir()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/orvanta-console");
}

QString dataDirectory(const ConsoleOptions &options)
{
    return options.dataDir.isEmpty() ? defaultUserDataDir() : options.dataDir;
}

} // namespace orvanta
