#pragma once
// What the command line chose for this run of the console.

#include "DataDirectoryLock.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <thread>

namespace orvanta
{

// Which keyboard the console talks to: the USB keyboard, the virtual one built
// into the console, or the USB one when it is found and the virtual one otherwise.
enum class KeyboardChoice { Usb, Virtual, Auto };

struct ConsoleOptions {
    QString dataDir;                   // --data-dir: the working directory for every data file
    quint16 port = 5490;               // --port: the control socket's TCP port
    bool listenOnAllAddresses = false; // --listen-all: accept other machines on the socket
    bool checkForUpdates = true;       // --no-update-check turns the check after start-up off
    bool diagnose = false;             // --diagnose: report what discovery finds, then exit
    bool singleInstance = true;        // a second start for the same data directory shows the first
    bool verbose = false;              // --verbose: every log line on the terminal too
    KeyboardChoice keyboard = KeyboardChoice::Usb; // --keyboard, --virtual-keyboard
};

// Parses the console's command line. On a usage error or --help/--version,
// `exitCode` is set (>= 0) and `message` holds what to print.
struct ParsedCommandLine {
    ConsoleOptions options;
    int exitCode = -1;
    QString message;
};
ParsedCommandLine parseCommandLine(const QStringList &arguments);

// Makes `dir` the working directory, first seeding it from the installed data
// tree `installed` when it has no "lightfile" folder yet (never overwriting a
// file). The read-only trees ("Image", "Language") are linked to the installed
// ones rather than copied, unless `dir` has its own. Returns false when the
// directory cannot be created or entered.
bool prepareDataDirectory(const QString &dir, const QString &installed);

// The same in two steps for the console: the directory is created, locked for
// this process (see DataDirectoryLock) and, only when the lock is held, seeded
// on a worker thread from construction on, so that the caller can go on
// meanwhile (even before the application object exists); enter() waits for it
// and makes the directory the working directory.
class DataDirectoryPreparation
{
public:
    DataDirectoryPreparation(const QString &dir, const QString &installed);
    ~DataDirectoryPreparation(); // waits for the worker
    DataDirectoryPreparation(const DataDirectoryPreparation &) = delete;
    DataDirectoryPreparation &operator=(const DataDirectoryPreparation &) = delete;
    bool enter();
    // After enter(): whether this process holds the directory's lock.
    DataDirectoryLock::State lockState() const { return m_lock.state(); }
    // After enter(), when another process held the lock: tries again, and seeds
    // the directory once the lock is taken. True when it is held now.
    bool lockAgain();

private:
    void seedIfNew();

    QString m_dir;
    QString m_installed;
    DataDirectoryLock m_lock;
    bool m_created = false;
    QStringList m_copied; // flushed to disk later, from the caller's thread
    std::thread m_worker;
};

// The installed data tree, found relative to the executable.
QString installedDataTree();

// The per-user data directory: ${XDG_DATA_HOME:-~/.local/share}/orvanta-console.
QString defaultUserDataDir();

// The data directory of this run: --data-dir, otherwise the per-user one.
QString dataDirectory(const ConsoleOptions &options);

} // namespace orvanta
