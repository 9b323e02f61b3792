// Killing a process in the middle of its saves never costs a file: every INI
// file still parses and holds either what it held before the interrupted save
// or what that save wrote, profile copies are whole or absent, and the console
// starts normally on what is left.

#include "ConsoleProcess.h"
#include "RobustSteps.h"
#include "TestSupport.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::robust;
using namespace orvanta::test;

namespace
{

using Snapshot = QVector<FileContent>;

// Runs `f` with `dir` as the working directory.
template <typename F> auto inDir(const QString &dir, F f)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir);
    auto result = f();
    QDir::setCurrent(previous);
    return result;
}

Snapshot readAll()
{
    Snapshot s;
    const QStringList files = stepFiles();
    for (int i = 0; i < files.size(); ++i)
        s << (i == files.size() - 1 ? copyContent() : readContent(files[i]));
    return s;
}

// Every file below `root` (relative paths), except what lies in the skipped
// folders and the lock files a killed save leaves (counted in `locks`).
QStringList filesBelow(const QString &root, const QStringList &skippedPrefixes,
                       int *locks = nullptr)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString rel = base.relativeFilePath(it.next());
        bool skip = false;
        for (const QString &p : skippedPrefixes)
            skip = skip || rel.startsWith(p);
        static const QRegularExpression leftover(
            QStringLiteral("\\.ini\\.(lock(\\.rmlock)*|[A-Za-z0-9]{6})$"));
        if (leftover.match(rel).hasMatch()) {
            if (locks)
                ++*locks;
            skip = true;
        }
        if (!skip)
            out << rel;
    }
    out.sort();
    return out;
}

QMap<QString, QByteArray> treeContent(const QString &root)
{
    QMap<QString, QByteArray> out;
    for (const QString &rel : filesBelow(root, {}))
        out.insert(rel, readText(QDir(root).filePath(rel)).toUtf8());
    return out;
}

QString runWriter(const QString &dir, qint64 from, qint64 steps)
{
    QProcess p;
    p.start(binDir() + QStringLiteral("/orvanta-robust-writer"),
            {"--dir", dir, "--from", QString::number(from), "--steps", QString::number(steps)});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("writer failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    return QString();
}

// The same steps replayed, undisturbed, in a second data directory: what every
// file holds after each step.
class Replay
{
public:
    explicit Replay(const QString &dir) : m_dir(dir) {}

    // Snapshot after step t (t = -1: the seeded directory); replays forward as needed.
    const Snapshot &after(qint64 t)
    {
        while (m_last < t) {
            ++m_last;
            const int file = fileOfStep(m_last);
            Snapshot next = m_snapshots.isEmpty() ? Snapshot() : m_snapshots.last();
            inDir(m_dir, [&] {
                runStep(m_last);
                if (next.isEmpty())
                    next = readAll();
                else
                    next[file] = file == stepFiles().size() - 1 ? copyContent()
                                                                : readContent(stepFiles()[file]);
                return 0;
            });
            m_snapshots.append(next);
        }
        return m_snapshots[int(t - m_first)];
    }

    void start(qint64 first) // the directory already holds every step before `first`
    {
        m_first = first - 1;
        m_last = first - 1;
        m_snapshots = {inDir(m_dir, [] { return readAll(); })};
    }

    // Forgets snapshots before t and the copies older than the newest.
    void forgetBefore(qint64 t)
    {
        while (m_first < t - 1 && m_snapshots.size() > 1) {
            m_snapshots.removeFirst();
            ++m_first;
        }
        inDir(m_dir, [] { return pruneCopies(); });
    }

    static int pruneCopies()
    {
        qint64 newest = -1;
        const QStringList names = profileList();
        for (const QString &n : names) {
            qint64 g = 0;
            if (isCopyName(n, &g))
                newest = qMax(newest, g);
        }
        for (const QString &n : names) {
            qint64 g = 0;
            if (isCopyName(n, &g) && g != newest)
                removeDirectory(QStringLiteral("./lightfile/") + n);
        }
        return 0;
    }

    qint64 last() const { return m_last; }

private:
    QString m_dir;
    qint64 m_first = -1;
    qint64 m_last = -1;
    QVector<Snapshot> m_snapshots;
};

} // namespace

class CrashSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void killedSavesLeaveOldOrNewContent()
    {
        QVERIFY(QFileInfo::exists(binDir() + "/orvanta-robust-writer"));
        QVERIFY(QFileInfo::exists(ConsoleProcess::executable()));
        ConsoleProcess console;
        const QString data = console.dataDir();
        QTemporaryDir scratchRoot;
        const QString scratch = scratchRoot.filePath(QStringLiteral("replay"));
        QVERIFY(copyDirectory(dataTreeDir(), data));
        QVERIFY(copyDirectory(dataTreeDir(), scratch));

        // Generation 0 completes in both, so every file starts from a known state.
        const qint64 S = kStepsPerGeneration;
        QCOMPARE(runWriter(data, 0, S), QString());
        QCOMPARE(runWriter(scratch, 0, S), QString());
        const QMap<QString, QByteArray> source =
            treeContent(QDir(data).filePath("lightfile/" + copySource()));
        QVERIFY(!source.isEmpty());

        Replay replay(scratch);
        replay.start(S);
        qint64 next = S; // first step the next writer runs
        QRandomGenerator rng(20240612);
        constexpr int kKills = 100;
        int filesChecked = 0, completedAtKill = 0, cutAtKill = 0, staleLocks = 0;
        QMap<int, int> stepsHit; // step of the generation in progress at each kill

        for (int round = 0; round < kKills; ++round) {
            QProcess writer;
            writer.start(binDir() + QStringLiteral("/orvanta-robust-writer"),
                         {"--dir", data, "--from", QString::number(next)});
            QVERIFY(writer.waitForReadyRead(10000));
            QCOMPARE(writer.readLine().trimmed(), QByteArray("ready"));
            QThread::usleep(rng.bounded(500u, 40000u)); // the moment of the kill
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            const Snapshot actual = inDir(data, [] { return readAll(); });
            // The newest lighting set tells roughly how far the writer got.
            const QString first = actual[0].values.value(QStringLiteral("Setting/0"));
            const QStringList bytes = first.split(QLatin1Char(','));
            QCOMPARE(bytes.size(), 264);
            qint64 g = 0;
            for (int i = 0; i < 4; ++i)
                g |= qint64(bytes[3 + i].toInt()) << (8 * i);
            QVERIFY(g * S >= next - S);

            // Find the step K that was under way: every file holds its content from
            // before K, except K's own file, which may already hold K's content.
            qint64 found = -1;
            bool completed = false;
            for (qint64 k = next; k <= (g + 1) * S && found < 0; ++k) {
                const Snapshot before = replay.after(k - 1); // a copy: the next call may grow the store
                const Snapshot &after = replay.after(k);
                bool match = true;
                bool done = false;
                for (int f = 0; f < actual.size() && match; ++f) {
                    if (actual[f] == before[f])
                        continue;
                    if (f == fileOfStep(k) && actual[f] == after[f])
                        done = true;
                    else
                        match = false;
                }
                if (match) {
                    found = k;
                    completed = done;
                }
            }
            QVERIFY2(found >= 0,
                     qPrintable(QStringLiteral("round %1: no step explains the files").arg(round)));
            filesChecked += actual.size();
            (completed ? completedAtKill : cutAtKill)++;
            stepsHit[int(found % S)]++;

            // Every INI file parses; no stray file appeared; copies are whole.
            const QStringList skip{QStringLiteral("lightfile/Robust Copy"),
                                   QStringLiteral(".staging/")};
            const QStringList files = filesBelow(data, skip, &staleLocks);
            QCOMPARE(files, filesBelow(scratch, skip));
            for (const QString &rel : files) {
                if (!rel.endsWith(QLatin1String(".ini")))
                    continue;
                QSettings s(QDir(data).filePath(rel), QSettings::IniFormat);
                QVERIFY2(s.status() == QSettings::NoError, qPrintable(rel));
                ++filesChecked;
            }
            for (const QString &name : inDir(data, [] { return profileList(); })) {
                if (!isCopyName(name))
                    continue;
                QVERIFY2(treeContent(QDir(data).filePath("lightfile/" + name)) == source,
                         qPrintable(name));
                ++filesChecked;
            }

            next = completed ? found + 1 : found;
            inDir(data, [] { return Replay::pruneCopies(); });
            replay.forgetBefore(next);
        }

        // The console starts on what is left and switches to profile 1 as always.
        QVERIFY(console.start());
        QVERIFY(console.waitForReports(1, 20000));
        QCOMPARE(console.reports().first().bytes, toBytes(reportOf({{0, 7}, {1, 1}, {2, 1}})));
        QVERIFY(console.isRunning());
        QVERIFY(!QFileInfo::exists(QDir(data).filePath(".staging")));
        int locksLeft = 0;
        filesBelow(data, {}, &locksLeft);
        QCOMPARE(locksLeft, 0);
        const QStringList macros = inDir(data, [] { return macro::macroNames(); });
        QCOMPARE(macros.count(QStringLiteral("Robust Macro")), 1);
        console.stop();
        qInfo("crash safety: %d kills (%d before the cut save reached its file, %d after), "
              "%d file checks, %d files left beside saves by kills, %lld steps done",
              kKills, cutAtKill, completedAtKill, filesChecked, staleLocks, next);
        QVERIFY(stepsHit.size() > 1); // the kills did land in different saves
    }
};

QTEST_GUILESS_MAIN(CrashSafetyTest)
#include "tst_crashsafety.moc"
