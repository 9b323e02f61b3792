// Saves never cost a file. A process killed in the middle of its saves leaves
// every file holding, byte for byte, what one whole save wrote, profile copies
// whole or absent, and the console starts normally on what is left. A disk
// that fills up at any byte of one APPLY, one macro edit or one profile Copy
// leaves every file with its old or its new content, the failure reaches the
// page's saveFailed signal, and no half profile appears.

#include "ConsoleProcess.h"
#include "LightPageSupport.h"
#include "ShellFixture.h"
#include "core/assign/AssignmentTable.h"
#include "core/controller/ConsoleController.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/lighting/LightingBuilders.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/IniStore.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>
#include <cstdio>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// A fixed, endless sequence of saves through the console's own storage
// operations, run by this program as a separate writer process. Each step
// rewrites one file with content derived from its generation alone (and
// different in each of the first hundred generations), so whoever inspects
// the data directory afterwards can tell which save last reached each file and
// whether the file holds exactly what it wrote. Step 1 copies a profile.
constexpr int kSteps = 6; // per generation
const QString kCopySource = QStringLiteral("PROFILE 3");
const QString kLightProfile = QStringLiteral("PROFILE 1");
const QString kOtherProfile = QStringLiteral("PROFILE 2");
const QString kMacro = QStringLiteral("Robust Macro");

// A report whose bytes 3..6 hold the generation and byte 7 the report's place.
Report generationReport(qint64 g, int place)
{
    Report r{};
    r[0] = 7, r[1] = 2, r[2] = 1, r[7] = quint8(place);
    for (int i = 0; i < 4; ++i)
        r[std::size_t(3 + i)] = quint8((g >> (8 * i)) & 0xFF);
    for (std::size_t i = 8; i < r.size(); ++i)
        r[i] = quint8((g * 31 + qint64(i) * 7 + place) & 0xFF);
    return r;
}

AssignmentTable keyTableOf(qint64 g)
{
    AssignmentTable table;
    for (int i = 0; i < kKeySlots; ++i)
        table[i].once = QStringLiteral("0");
    table[int(g % kKeySlots)] = {KeyKind::Macro, kMacro, QString::number(g % 4)};
    return table;
}

// A value of its own for every key of a system file's groups, in every generation.
IniGroupMap numbered(const QStringList &groups, const QStringList &keys, qint64 g)
{
    IniGroupMap map;
    int i = 0;
    for (const QString &group : groups)
        for (const QString &key : keys)
            map[group][key] = QString::number(g * 1000 + i++);
    return map;
}

// The file step `step` writes (relative to the data directory); empty for the copy.
QString stepFile(int step)
{
    const QString files[kSteps] = {
        IniStore::lightCmdPath(kLightProfile),     QString(),
        QStringLiteral("./system/light_flag.ini"), IniStore::macroPath(kMacro),
        IniStore::macroCmdPath(kOtherProfile),     IniStore::signalPath(kOtherProfile)};
    return files[step];
}

void runStep(int step, qint64 g)
{
    switch (step) {
    case 0: { // alternating 7 and 5 reports: a shorter set must drop the keys it lacks
        LightCommandSet set;
        set.type = g % 2 ? 2 : 0;
        for (int i = 0; i < IniStore::lightCmdReportCount(set.type); ++i)
            set.reports << generationReport(g, i);
        storeLightCommandSet(set, kLightProfile);
        break;
    }
    case 2:
        IniStore::writeIniFile(numbered(IniStore::effectGroups(), IniStore::effectKeys(), g));
        break;
    case 3: {
        QVector<macro::MacroRow> rows;
        for (int p = 0; p <= int(g % 3); ++p) {
            const QString delay = QString::number(g * 10 + p);
            rows.append({QStringLiteral("A"), QStringLiteral("down"), delay});
            rows.append({QStringLiteral("A"), QStringLiteral("up"), delay});
        }
        IniStore::writeIniFile(kMacro, macro::buildMacroMap(rows, generationReport(g, 20)));
        break;
    }
    case 4:
        IniStore::writeMacroCmdFile(makeMacroCmdMap(generationReport(g, 30)), kOtherProfile,
                                    int(g % 50) + 1, 1, 1);
        break;
    case 5: {
        std::array<quint8, 256> keyMap = DEFAULT_KEY_MAP;
        keyMap[0] = quint8(g & 0xFF), keyMap[1] = quint8((g >> 8) & 0xFF);
        IniStore::writeFlagFile(keyTableOf(g).signalFileMap(keyMap), kOtherProfile);
        break;
    }
    case 1:
        copyProfile(kCopySource, QStringLiteral("Robust Copy %1").arg(g));
        break;
    }
}

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

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// This program as the writer: saves from step `from` on in `dir`, `steps` of them
// or until it is killed.
bool runWriter(QProcess &p, const QString &dir, qint64 from, qint64 steps = -1)
{
    p.start(QCoreApplication::applicationFilePath(),
            {"--writer", dir, QString::number(from), QString::number(steps)});
    return p.waitForReadyRead(10000) && p.readLine().trimmed() == "ready";
}

} // namespace

class SaveSafetyTest : public QObject
{
    Q_OBJECT

    PageRig rig;
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
    void initTestCase()
    {
        gPrevious = qInstallMessageHandler(quietSaveFailures);
        // Thousands of saves: on a disk every rename over a file starts a write-back,
        // and a kill is not a power cut: memory serves as well as a disk.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    void init() { rig.init(); }
    void cleanup() { rig.cleanup(); }

    void killedSavesLeaveWholeFiles()
    {
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
        const auto profile = [&](const QString &name) {
            const QString dir = data + "/lightfile/" + name;
            return snapshot({dir}, {}, dir);
        };
        const Files source = profile(kCopySource);
        QVERIFY(!source.isEmpty());

        QRandomGenerator rng(20240612);
        qint64 reached[kSteps] = {}; // the generation each file held at the last look
        qint64 next = kSteps;        // the first step not known to be done
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
                if (!name.startsWith(QLatin1String("Robust Copy ")))
                    continue;
                QVERIFY2(profile(name) == source, qPrintable(name));
                QVERIFY(removeDirectory(data + "/lightfile/" + name));
            }
        }
        QVERIFY(reached[kSteps - 1] > 2); // the kills did land in different generations

        // The console starts on what is left, switches to profile 1 as always,
        // and clears what the killed saves left beside their files.
        QVERIFY(console.start());
        QVERIFY(console.waitForReports(1, 20000));
        QCOMPARE(console.reports().first().bytes, toBytes(reportOf({{0, 7}, {1, 1}, {2, 1}})));
        const QRegularExpression leftover("\\.ini\\.(lock(\\.rmlock)*|[A-Za-z0-9]{6})$|\\.staging");
        for (const QString &file : snapshot({data}).keys())
            QVERIFY2(!leftover.match(file).hasMatch(), qPrintable(file));
        console.stop();
    }

    void applyKeepsEveryFileWholeAtEveryByte()
    {
        QVERIFY(rig.dir->seedFromDataTree());
        LightingPage page(&rig.context);
        page.editedProfile = QStringLiteral("PROFILE 1");
        QSignalSpy failures(&page, &LightingPage::saveFailed);
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

    void macroEditKeepsTheMacroWholeAtEveryByte()
    {
        const QVector<macro::MacroRow> rows{
            {"a", "down", "100"}, {"a", "up", "200"}, {"b", "down", "50"}, {"b", "up", "0"}};
        QVERIFY(
            IniStore::writeIniFile("Default Macro", macro::buildMacroMap(rows, zeroReport())).ok());
        MacroPage page;
        QSignalSpy failures(&page, &MacroPage::saveFailed);
        const QStringList roots{"macrofile"};
        const Files old = snapshot(roots);
        // Edit the second row's delay; closing the editor saves the macro.
        auto *tree = page.findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
        tree->setCurrentItem(tree->topLevelItem(1));
        page.rowClicked();
        page.editRow();
        auto *editor = qobject_cast<QLineEdit *>(tree->itemWidget(tree->topLevelItem(1), 2));
        QVERIFY(editor);
        editor->setText(QStringLiteral("750"));
        tree->setCurrentItem(tree->topLevelItem(0));
        QVERIFY(snapshot(roots) != old);
        const QString failure =
            atEveryByte(roots, {}, old, failures, [&] { page.saveMacroFile(); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void profileCopyIsWholeOrAbsentAtEveryByte()
    {
        rig.cleanup(); // the window brings its own data directory and keyboard
        ShellFixture f;
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
                removeDirectory(QStringLiteral("lightfile/PROFILE 2_01"));
                f.ctx().controller->bindings().names = names;
                const QSignalBlocker quiet(menu.profileCombo);
                menu.refillProfileList();
                menu.profileCombo->setCurrentText(QStringLiteral("PROFILE 2"));
            });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!wrongEntries);
    }
};

int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--writer") == 0) {
        QCoreApplication app(argc, argv);
        if (!QDir::setCurrent(QString::fromLocal8Bit(argv[2])))
            return 2;
        removeStaleStaging(); // as the console does at start-up
        std::printf("ready\n");
        std::fflush(stdout);
        const qint64 from = std::atoll(argv[3]), count = std::atoll(argv[4]);
        for (qint64 t = from; count < 0 || t < from + count; ++t)
            runStep(int(t % kSteps), t / kSteps);
        return 0;
    }
    QApplication app(argc, argv);
    SaveSafetyTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_savesafety.moc"
