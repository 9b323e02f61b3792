// Killing a process in the middle of its saves never costs a file: every file
// holds, byte for byte, what one whole save wrote, profile copies are whole or
// absent, and the console starts normally on what is left.

#include "ConsoleProcess.h"
#include "RobustSteps.h"
#include "TestSupport.h"
#include "core/storage/DirectoryOps.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::robust;
using namespace orvanta::test;

namespace
{

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every file below `root` by relative path with its bytes.
QMap<QString, QByteArray> treeContent(const QString &root)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(QDir(root).relativeFilePath(path), bytesOf(path));
    }
    return out;
}

bool runWriter(QProcess &p, const QString &dir, qint64 from, qint64 steps = -1)
{
    p.start(binDir() + "/orvanta-robust-writer",
            {"--dir", dir, "--from", QString::number(from), "--steps", QString::number(steps)});
    return p.waitForReadyRead(10000) && p.readLine().trimmed() == "ready";
}

} // namespace

class CrashSafetyTest : public QObject
{
    Q_OBJECT

    QString m_scratch;
    QHash<QPair<int, qint64>, QByteArray> m_expected;

    // What step `step` of generation g writes, as the same save gives it undisturbed.
    const QByteArray &expected(int step, qint64 g)
    {
        const auto key = qMakePair(step, g);
        if (!m_expected.contains(key)) {
            const QString previous = QDir::currentPath();
            QDir::setCurrent(m_scratch);
            runStep(step, g);
            m_expected.insert(key, bytesOf(stepFile(step)));
            QDir::setCurrent(previous);
        }
        return m_expected[key];
    }

private slots:
    void killedSavesLeaveWholeFiles()
    {
        // A kill is not a power cut: memory serves as well as a disk, and it
        // does not make every save wait for the disk.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
        ConsoleProcess console;
        QTemporaryDir scratchRoot;
        m_scratch = scratchRoot.filePath("replay");
        const QString data = console.dataDir();
        QVERIFY(copyDirectory(dataTreeDir(), data) && copyDirectory(dataTreeDir(), m_scratch));
        {
            QProcess first; // generation 0 completes, so every file starts from a known state
            QVERIFY(runWriter(first, data, 0, kSteps) && first.waitForFinished(60000));
            QCOMPARE(first.exitCode(), 0);
        }
        const auto source = treeContent(data + "/lightfile/" + copySource());
        QVERIFY(!source.isEmpty());

        QRandomGenerator rng(20240612);
        qint64 reached[kSteps] = {}; // the generation each file held at the last look
        qint64 next = kSteps;        // the first step not known to be done
        int copies = 0;
        for (int round = 0; round < 100; ++round) {
            QProcess writer;
            QVERIFY(runWriter(writer, data, next));
            QThread::usleep(rng.bounded(200u, 15000u)); // the moment of the kill
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));

            for (int step = 0; step < kSteps; ++step) {
                if (stepFile(step).isEmpty())
                    continue;
                const QByteArray now = bytesOf(QDir(data).filePath(stepFile(step)));
                qint64 g = 0;
                while (g <= next / kSteps + 2000 && expected(step, g) != now)
                    ++g;
                QVERIFY2(g <= next / kSteps + 2000,
                         qPrintable(QStringLiteral("round %1: %2 holds no whole save")
                                        .arg(round)
                                        .arg(stepFile(step))));
                reached[step] = g;
            }
            // The writer goes on after the last file that holds its newest save
            // (the copy is made again when the file after it was not reached).
            next = reached[0] * kSteps + 2;
            while (next % kSteps && reached[next % kSteps] == reached[0])
                ++next;
            if (next % kSteps == 2)
                next = reached[0] * kSteps + 1;
            for (const QString &name :
                 QDir(data + "/lightfile").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                if (!isCopyName(name))
                    continue;
                QVERIFY2(treeContent(data + "/lightfile/" + name) == source, qPrintable(name));
                QVERIFY(removeDirectory(data + "/lightfile/" + name));
                ++copies;
            }
        }
        QVERIFY(reached[kSteps - 1] > 2); // the kills did land in different generations

        // The console starts on what is left, switches to profile 1 as always,
        // and clears what the killed saves left beside their files.
        QVERIFY(console.start());
        QVERIFY(console.waitForReports(1, 20000));
        QCOMPARE(console.reports().first().bytes, toBytes(reportOf({{0, 7}, {1, 1}, {2, 1}})));
        const QRegularExpression leftover("\\.ini\\.(lock(\\.rmlock)*|[A-Za-z0-9]{6})$|\\.staging");
        for (const QString &file : treeContent(data).keys())
            QVERIFY2(!leftover.match(file).hasMatch(), qPrintable(file));
        console.stop();
        qInfo("crash safety: 100 kills, %lld generations, %d whole copies", reached[kSteps - 1],
              copies);
    }
};

QTEST_GUILESS_MAIN(CrashSafetyTest)
#include "tst_crashsafety.moc"
