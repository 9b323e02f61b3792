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
    const QRegularExpression written("^(system/iss_flag|lightfile/PROFILE [1-5]/(cmd/light_cmd|"
                                     "cmd/macro|singal/signal|macro/macro_file))\\.ini$");
    QMap<QString, QByteArray> out = filesBelow(".");
    for (const QString &path : out.keys())
        if (!written.match(path).hasMatch())
            out.remove(path);
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

// A zone entry as stored: 22 zone values, then zeros.
QString zoneText(const QString &values)
{
    return QString(values).replace(' ', ',') + QStringLiteral(",0").repeated(264 - 22);
}

} // namespace

class FactoryResetFilesTest : public QObject
{
    Q_OBJECT
private slots:
    // On a full disk every file keeps its content (the failures told:
    // tst_queueflood). Then every file the reset writes is back to the installed one, and it
    // arrives while the thread that started the save is busy and takes no events (one
    // save at a time: tst_controller; later edits wait for it: tst_shell).
    void savesTheFactoryFilesOnAWorkerThread()
    {
        TempWorkDir wd;
        QVERIFY(wd.seedFromDataTree());
        const QMap<QString, QByteArray> factory = resetFiles();
        for (const QString &path : factory.keys())
            QVERIFY(writeText(path, "changed"));
        const QMap<QString, QByteArray> before = resetFiles();
        FactoryResetFiles files;
        {
            SimulatedDisk full(0);
            QVERIFY(files.start(factoryContents()));
            QTRY_VERIFY(!files.isSaving());
        }
        QCOMPARE(resetFiles(), before);

        QVERIFY(files.start(factoryContents()));
        QVERIFY(files.isSaving());
        QElapsedTimer t;
        t.start();
        while (resetFiles() != factory && t.elapsed() < 10000)
            QThread::msleep(5);
        QCOMPARE(resetFiles(), factory);
        QTRY_VERIFY(!files.isSaving());
    }

    // The shipped factory lighting of each built-in profile, entry by entry, as
    // the keyboard's maker lists it (Wave zones, Ripple colours between which the
    // zones step by half the difference).
    void installedFactoryLightingMatchesTheShippedTables()
    {
        const QString black = QStringLiteral("0 ").repeated(21) + "0";
        const QString red = QStringLiteral("255 ").repeated(21) + "255";
        // clang-format off
        const QVector<QStringList> expected{
            {"0", reportList("0=7 1=2 2=1 8=1 16=8 22=2"), reportList("0=7 1=9 2=1 3=1 8..263=255"),
             reportList("0=7 1=9 2=1 3=2"), reportList("0=7 1=9 2=1 3=3"),
             reportList("0=7 1=2 2=1 8=1 13=4 16=8 22=2")},
            {"1", reportList("0=7 1=2 2=2 8=2 12=1 16=8 18=4 19=8 22=2"),
             reportList("0=7 1=10 2=2 3=1 4=1 5..263=255"), reportList("0=7 1=10 2=2 3=1 4=2"),
             reportList("0=7 1=10 2=2 3=1 4=3"), reportList("0=7 1=2 2=2 8=2 12=1 13=4 16=8 18=4 19=8 22=2")},
            {"2", reportList("0=7 1=2 2=3 8=3"), reportList("0=7 1=12 2=3 4=1"),
             reportList("0=7 1=12 2=3 4=2"), zoneText(red), zoneText(black), zoneText(black),
             reportList("0=7 1=2 2=3 8=3 12=2 13=4")},
            {"3", reportList("0=7 1=2 2=4 8=4 12=3 16=8 18=3 19=80"),
             zoneText("255 200 153 34 0 0 0 0 0 0 56 0 26 75 129 181 135 153 153 129 129 110"),
             zoneText("234 255 255 255 255 255 229 132 157 166 94 200 26 26 26 26 18 0 0 42 89 100"),
             zoneText("0 0 0 0 102 183 255 248 255 246 199 244 199 199 199 199 118 46 0 24 24 43"),
             reportList("0=7 1=2 2=4 8=4 12=3 13=4 16=8 18=3 19=80")},
            {"4", reportList("0=7 1=2 2=5 8=5 12=4 16=8 18=4 19=255 22=2"),
             reportList("0=7 1=12 2=5 3=1 4=1"), reportList("0=7 1=12 2=5 3=1 4=2"),
             zoneText("255 228 200 177 153 94 34 17 0 0 0 0 0 0 0 0 0 0 0 28 56 56"),
             zoneText("234 244 255 255 255 255 255 255 255 255 255 242 229 181 132 144 157 161 166 130 94 94"),
             zoneText("0 0 0 0 0 0 0 51 102 142 183 219 255 252 248 251 255 251 246 223 199 199"),
             reportList("0=7 1=2 2=5 8=5 12=4 13=4 16=2 18=4 19=2 22=2")}};
        // clang-format on
        for (int n = 1; n <= 5; ++n) {
            QSettings file(dataTreeDir() +
                               QStringLiteral("/lightfile/PROFILE %1/cmd/light_cmd.ini").arg(n),
                           QSettings::IniFormat);
            QStringList got{file.value("Setting/type").toString()};
            for (int i = 0; i + 1 < expected[n - 1].size(); ++i)
                got << file.value(QStringLiteral("Setting/%1").arg(i)).toStringList().join(',');
            for (int i = 0; i < got.size(); ++i)
                QVERIFY2(
                    got[i] == expected[n - 1][i],
                    qPrintable(
                        QStringLiteral("PROFILE %1 entry %2: %3").arg(n).arg(i - 1).arg(got[i])));
            QVERIFY(!file.contains(QStringLiteral("Setting/%1").arg(expected[n - 1].size() - 1)));
        }
    }
};

QTEST_GUILESS_MAIN(FactoryResetFilesTest)
#include "tst_factoryresetfiles.moc"
