// The factory reset's files: the installed factory files again, saved by a
// worker thread while the thread that asked goes on.

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/profiles/FactoryResetFiles.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// The files a factory reset writes, with their content.
QMap<QString, QByteArray> resetFiles()
{
    QMap<QString, QByteArray> out;
    for (int n = 1; n <= 5; ++n)
        for (const char *file :
             {"cmd/light_cmd.ini", "cmd/macro.ini", "singal/signal.ini", "macro/macro_file.ini"}) {
            const QString path = QStringLiteral("lightfile/PROFILE %1/").arg(n) + file;
            QFile f(path);
            out.insert(path, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
        }
    QFile flags(QStringLiteral("system/iss_flag.ini"));
    out.insert(flags.fileName(), flags.open(QIODevice::ReadOnly) ? flags.readAll() : QByteArray());
    return out;
}

// A reset of the five built-in profiles after nothing was assigned.
FactoryResetFiles::Contents factoryContents()
{
    FactoryResetFiles::Contents c;
    for (int n = 1; n <= 5; ++n)
        c.profiles << QStringLiteral("PROFILE %1").arg(n);
    c.keyMap = DEFAULT_KEY_MAP;
    CommandSender sender; // no queue: the lighting is stamped as sent
    FactoryResetFiles::sendLighting(sender, c);
    return c;
}

} // namespace

class FactoryResetFilesTest : public QObject
{
    Q_OBJECT
private slots:
    // Every file the reset writes is back to the installed one, and it arrives
    // while the thread that started the save is busy and takes no events.
    void savesTheFactoryFilesOnAWorkerThread()
    {
        TempWorkDir wd;
        QVERIFY(wd.seedFromDataTree());
        const QMap<QString, QByteArray> factory = resetFiles();
        for (const QString &path : factory.keys())
            QVERIFY(writeText(path, "changed"));

        FactoryResetFiles files;
        QVector<int> failures;
        QStringList order;
        connect(&files, &FactoryResetFiles::finished,
                [&](const SaveResult &saved) { failures << saved.failures().size(); });
        QVERIFY(files.start(factoryContents()));
        QVERIFY(files.isSaving());
        QVERIFY(!files.start(factoryContents())); // one save at a time
        files.whenSaved(
            [&] { order << QStringLiteral("first") << QString::number(failures.size()); });
        files.whenSaved([&] { order << QStringLiteral("second"); });

        QElapsedTimer t;
        t.start();
        while (resetFiles() != factory && t.elapsed() < 10000)
            QThread::msleep(5);
        QCOMPARE(resetFiles(), factory);
        QVERIFY(order.isEmpty()); // what follows runs on this thread, from its event loop
        QTRY_COMPARE(order, (QStringList{"first", "1", "second"}));
        QCOMPARE(failures, QVector<int>{0});
        QVERIFY(!files.isSaving());
        bool ranAtOnce = false;
        files.whenSaved([&] { ranAtOnce = true; });
        QVERIFY(ranAtOnce);
    }

    // A full disk: every file keeps its content and every failure is told, in order.
    void failuresComeBackInOrder()
    {
        TempWorkDir wd;
        QVERIFY(wd.seedFromDataTree());
        for (const QString &path : resetFiles().keys())
            QVERIFY(writeText(path, "changed"));
        const QMap<QString, QByteArray> before = resetFiles();
        FactoryResetFiles files;
        QVector<SaveFailure> failures;
        connect(&files, &FactoryResetFiles::finished,
                [&](const SaveResult &saved) { failures = saved.failures(); });
        {
            SimulatedDisk full(0);
            QVERIFY(files.start(factoryContents()));
            QTRY_VERIFY(!files.isSaving());
        }
        QCOMPARE(failures.size(), 5 + 5 * 3 + 1);
        QCOMPARE(failures.first().path, QStringLiteral("./lightfile/PROFILE 1/cmd/light_cmd.ini"));
        QCOMPARE(failures.last().path, QStringLiteral("./system/iss_flag.ini"));
        QCOMPARE(resetFiles(), before);
    }
};

QTEST_GUILESS_MAIN(FactoryResetFilesTest)
#include "tst_factoryresetfiles.moc"
