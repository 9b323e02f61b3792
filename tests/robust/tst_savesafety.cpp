// Saves never cost a file. A disk that fills up anywhere in one APPLY or one
// profile Copy leaves every file with its old or its new content, the failure
// reaches the notices, and no half profile appears. (A single file's save, and
// the order of its system calls, are checked at the calls in tst_storage.)

#include "LightPageSupport.h"
#include "WindowFixture.h"
#include "core/controller/ConsoleController.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/DirectoryOps.h"
#include "ui/lighting/LightingPage.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

using Files = QMap<QString, QByteArray>; // path -> content

// The files below `roots`, and those that are files themselves.
Files snapshot(const QStringList &roots)
{
    Files out;
    for (const QString &root : roots) {
        if (QFileInfo(root).isFile())
            out.insert(root, readText(root).toUtf8());
        for (const auto &[path, content] : filesBelow(QDir::current().filePath(root)).toStdMap())
            out.insert(root + '/' + path, content);
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

// Runs `operation` once with room for everything, then from the `old` files below
// `roots` with the disk full after each of the first 64 bytes the operation
// writes, and after every 7th byte from there on; empty when all went right.
// `undo` takes back what the operation did besides the files.
QString atSampledBytes(const QStringList &roots, const Files &old, QSignalSpy &failures,
                       const std::function<void()> &operation,
                       const std::function<void()> &undo = {})
{
    qint64 bytes = 0;
    {
        SimulatedDisk disk(std::numeric_limits<qint64>::max());
        operation();
        bytes = disk.written();
    }
    const Files next = snapshot(roots);
    if (next == old || !failures.isEmpty())
        return QStringLiteral("the operation saved nothing, or failed with room to spare");
    for (qint64 space = 0; space < bytes; space += space < 64 ? 1 : 7) {
        restore(old, snapshot(roots));
        if (undo)
            undo();
        failures.clear();
        {
            SimulatedDisk disk(space);
            operation();
        }
        const QString at =
            QStringLiteral(" (disk full after %1 of %2 bytes)").arg(space).arg(bytes);
        const QString wrong = oldOrNew(old, next, snapshot(roots));
        if (!wrong.isEmpty())
            return wrong + at;
        if (failures.isEmpty())
            return QStringLiteral("no failure reported") + at;
        for (const QList<QVariant> &f : failures)
            if (f.value(1).toString() != QLatin1String("No space left on device"))
                return f.value(0).toString() + ": " + f.value(1).toString() + at;
    }
    restore(old, snapshot(roots));
    return QString();
}

// Hundreds of failed saves would each log a line, and the pages trace every
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
        // Hundreds of saves: on a disk every rename over a file starts a write-back.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    void init() { rig.init(); }
    void cleanup() { rig.cleanup(); }

    void applyKeepsEveryFileWholeWhereverTheDiskFills()
    {
        QVERIFY(rig.dir->seedFromDataTree());
        LightingPage page(&rig.context, nullptr, QStringLiteral("PROFILE 1"));
        QSignalSpy failures(&rig.controller->notices(), &Notices::saveFailed);
        const QStringList roots{"system", "lightfile/PROFILE 1/cmd"};
        const Files old = snapshot(roots);
        enterColour(page, Rgb{0, 128, 255}); // as a palette pick does
        const QString failure =
            atSampledBytes(roots, old, failures, [&] { click(page, "btn_apply"); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void profileCopyIsWholeOrAbsentWhereverTheDiskFills()
    {
        rig.cleanup(); // the window brings its own data directory and keyboard
        WindowFixture f;
        ProfileMenu &menu = f.menu();
        menu.profileCombo()->setCurrentText(QStringLiteral("PROFILE 2"));
        const QStringList names = f.ctx().controller->bindings().names;
        QStringList entries = listEntries(QStringLiteral("lightfile"));
        entries.sort();
        QSignalSpy failures(f.w.get(), &MainWindow::saveFailed);
        const QStringList roots{"lightfile/PROFILE 2_01", "system/profile_connect.ini", ".staging"};
        const Files old = snapshot(roots);
        bool wrongEntries = false;
        const QString failure = atSampledBytes(
            roots, old, failures,
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
                const QSignalBlocker quiet(menu.profileCombo());
                menu.refillProfileList();
                menu.profileCombo()->setCurrentText(QStringLiteral("PROFILE 2"));
            });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!wrongEntries);
    }
};

QTEST_MAIN(SaveSafetyTest)
#include "tst_savesafety.moc"
