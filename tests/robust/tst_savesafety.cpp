// Saves never cost a file. A disk that fills up at any byte of one APPLY or one
// profile Copy leaves every file with its old or its new content, the failure
// reaches the notices, and no half profile appears. (A single file's save, and
// the order of its system calls, are checked at the calls in tst_storage.)

#include "LightPageSupport.h"
#include "WindowFixture.h"
#include "core/assign/AssignmentTable.h"
#include "core/controller/ConsoleController.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/DirectoryOps.h"
#include "ui/lighting/LightingPage.h"

#include <QComboBox>
#include <QDirIterator>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

using Files = QMap<QString, QByteArray>; // path -> content

// The files below `roots` (by path relative to `base` when given); with
// `watched` given, only those files are read and every other file below the
// roots is taken by name (a leftover shows up).
Files snapshot(const QStringList &roots, const QStringList &watched = {}, const QString &base = {})
{
    Files out;
    const auto take = [&](const QString &path) {
        QFile f(path);
        const bool read = watched.isEmpty() || watched.contains(path);
        out.insert(base.isEmpty() ? path : QDir(base).relativeFilePath(path),
                   read && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    };
    for (const QString &root : roots) {
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            take(it.next());
        if (QFileInfo(root).isFile())
            take(root);
    }
    return out;
}

// Empty when every file holds its old or its new content and no other file appeared.
QString oldOrNew(const Files &old, const Files &next, const Files &now)
{
    for (const QString &p : old.keys() + next.keys() + now.keys()) {
        const auto same = [&](const Files &f) {
            return now.contains(p) == f.contains(p) && now.value(p) == f.value(p);
        };
        if (!same(old) && !same(next))
            return p + QStringLiteral(" holds neither its old nor its new content");
    }
    return QString();
}

void restore(const Files &old, const Files &now)
{
    for (auto it = now.constBegin(); it != now.constEnd(); ++it)
        if (!old.contains(it.key()))
            QFile::remove(it.key());
        else if (old[it.key()] != it.value())
            writeText(it.key(), old[it.key()]);
}

// Runs `operation` once with room for everything (it writes `bytes`), then once
// for every byte at which the disk can run out, each time from the `old` files
// below `roots`; empty when all went right. `undo` takes back what the
// operation did besides the files.
QString atEveryByte(const QStringList &roots, const QStringList &watched, const Files &old,
                    QSignalSpy &failures, const std::function<void()> &operation,
                    const std::function<void()> &undo = {}, qint64 *written = nullptr)
{
    qint64 bytes = 0;
    {
        SimulatedDisk disk(std::numeric_limits<qint64>::max());
        operation();
        bytes = disk.written();
    }
    if (written)
        *written = bytes;
    const Files next = snapshot(roots, watched);
    if (next == old || !failures.isEmpty())
        return QStringLiteral("the operation saved nothing, or failed with room to spare");
    for (qint64 space = 0; space < bytes; ++space) {
        restore(old, snapshot(roots, watched));
        if (undo)
            undo();
        failures.clear();
        {
            SimulatedDisk disk(space);
            operation();
        }
        const QString at =
            QStringLiteral(" (disk full after %1 of %2 bytes)").arg(space).arg(bytes);
        const QString wrong = oldOrNew(old, next, snapshot(roots, watched));
        if (!wrong.isEmpty())
            return wrong + at;
        if (failures.isEmpty())
            return QStringLiteral("no failure reported") + at;
        for (const QList<QVariant> &f : failures)
            if (f.value(1).toString() != QLatin1String("No space left on device"))
                return f.value(0).toString() + ": " + f.value(1).toString() + at;
    }
    restore(old, snapshot(roots, watched));
    return QString();
}

// Thousands of failed saves would each log a line, and the pages trace every
// run: both are left out.
QtMessageHandler gPrevious = nullptr;
void quietSaveFailures(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg && !text.startsWith(QLatin1String("save failed: ")))
        gPrevious(type, context, text);
}

} // namespace

class SaveSafetyTest : public QObject
{
    Q_OBJECT

    PageRig rig;

private slots:
    void initTestCase()
    {
        gPrevious = qInstallMessageHandler(quietSaveFailures);
        // Thousands of saves: on a disk every rename over a file starts a write-back.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    void init() { rig.init(); }
    void cleanup() { rig.cleanup(); }

    void applyKeepsEveryFileWholeAtEveryByte()
    {
        QVERIFY(rig.dir->seedFromDataTree());
        LightingPage page(&rig.context);
        page.editedProfile = QStringLiteral("PROFILE 1");
        QSignalSpy failures(&rig.controller.notices(), &Notices::saveFailed);
        const QStringList roots{"system", "lightfile/PROFILE 1/cmd"};
        const QStringList watched{"system/light_flag.ini", "system/light_color.ini",
                                  "lightfile/PROFILE 1/cmd/light_cmd.ini"};
        const Files old = snapshot(roots, watched);
        enterColour(page, Rgb{0, 128, 255}); // as a palette pick does
        qint64 bytes = 0;
        const QString failure = atEveryByte(
            roots, watched, old, failures, [&] { click(page, "btn_apply"); }, {}, &bytes);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(bytes > 9000); // light_cmd.ini, light_flag.ini and light_color.ini
    }

    void profileCopyIsWholeOrAbsentAtEveryByte()
    {
        rig.cleanup(); // the window brings its own data directory and keyboard
        WindowFixture f;
        ProfileMenu &menu = f.menu();
        menu.profileCombo->setCurrentText(QStringLiteral("PROFILE 2"));
        const QStringList names = f.ctx().controller->bindings().names;
        QStringList entries = listEntries(QStringLiteral("lightfile"));
        entries.sort();
        QSignalSpy failures(f.w.get(), &MainWindow::saveFailed);
        const QStringList roots{"lightfile/PROFILE 2_01", "system/profile_connect.ini", ".staging"};
        const Files old = snapshot(roots);
        bool wrongEntries = false;
        const QString failure = atEveryByte(
            roots, {}, old, failures,
            [&] {
                menu.copyProfileClicked();
                // The list holds the whole copy or nothing new at all.
                QStringList now = listEntries(QStringLiteral("lightfile"));
                now.removeOne(QStringLiteral("PROFILE 2_01"));
                now.sort();
                wrongEntries = wrongEntries || now != entries;
            },
            [&] {
                QVERIFY(removeDirectory(QStringLiteral("lightfile/PROFILE 2_01")));
                f.ctx().controller->bindings().names = names;
                const QSignalBlocker quiet(menu.profileCombo);
                menu.refillProfileList();
                menu.profileCombo->setCurrentText(QStringLiteral("PROFILE 2"));
            });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!wrongEntries);
    }
};

QTEST_MAIN(SaveSafetyTest)
#include "tst_savesafety.moc"
