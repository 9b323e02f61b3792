// Saving all or nothing: the INI text is the settings library's own, a failed
// save at any byte keeps the old file and leaves nothing beside it, and no
// save writes through a link.

#include "TestSupport.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/IniFile.h"

#include <QDir>
#include <QSettings>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class AtomicFileTest : public QObject
{
    Q_OBJECT
private slots:
    void renderingMatchesTheSettingsLibrary_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        const auto row = [](const char *name, const QString &key, const QVariant &v) {
            QTest::newRow(name) << key << v;
        };
        row("plain", "Setting/type", QStringLiteral("3"));
        row("list text is quoted", "Setting/VColor", QStringLiteral("255,0,0"));
        row("semicolon and equals", "Setting/x", QStringLiteral("a;b=c"));
        row("blanks at the ends", "Setting/x", QStringLiteral(" padded "));
        row("quotes and backslashes", "Setting/x", QStringLiteral("say \"hi\" C:\\dir"));
        row("control characters", "Setting/x", QStringLiteral("tab\tline\nbell\a"));
        row("nul before a hex digit", "Setting/x", QString(QChar(0)) + QStringLiteral("7f"));
        row("escape before a hex digit", "Setting/x", QString(QChar(1)) + QStringLiteral("a"));
        row("non-ASCII", "Setting/x", QStringLiteral("繁體中文 Ünïcode"));
        row("leading at", "Setting/x", QStringLiteral("@home"));
        row("empty", "Setting/x", QString());
        row("string list", "Setting/x", QStringList{"a", "b c", "d,e"});
        row("empty list", "Setting/x", QStringList{});
        row("byte array", "Setting/x", QByteArray("\x01\xff ok", 5));
        row("key without a group", "language", QStringLiteral("2"));
        row("group named General", "General/x", QStringLiteral("1"));
        row("odd names", "my group/ke y%é/sub", QStringLiteral("1"));
    }
    void renderingMatchesTheSettingsLibrary()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        TempWorkDir wd;
        {
            QSettings s("qt.ini", QSettings::IniFormat);
            s.setIniCodec("UTF-8");
            // Several groups and keys around the one under test fix the order too.
            s.setValue("10/cmd", "1");
            s.setValue("2/cmd", "2");
            s.setValue("Setting/count", "0");
            s.setValue(key, value);
        }
        IniFile ours;
        ours.setValue("10/cmd", QStringLiteral("1"));
        ours.setValue("2/cmd", QStringLiteral("2"));
        ours.setValue("Setting/count", QStringLiteral("0"));
        ours.setValue(key, value);
        QFile qt("qt.ini");
        QVERIFY(qt.open(QIODevice::ReadOnly));
        QCOMPARE(ours.render(), qt.readAll());
        // ... and what is read back is what the library reads from its own file.
        QVERIFY(ours.save("ours.ini").ok());
        // (A copy: the library would answer from what it wrote, not from the file.)
        QVERIFY(QFile::copy("qt.ini", "qt-copy.ini"));
        QSettings back("qt-copy.ini", QSettings::IniFormat);
        back.setIniCodec("UTF-8");
        QCOMPARE(IniFile::load("ours.ini").value(key), back.value(key));
    }

    void aFailureAtAnyByteKeepsTheOldFile()
    {
        TempWorkDir wd;
        const QByteArray old = "[Setting]\nlanguage=1\n";
        const QByteArray next = "[Setting]\nlanguage=2\nmore=\"1,2,3\"\n";
        QVERIFY(writeText("system/language.ini", old));
        for (int space = 0; space <= next.size(); ++space) {
            if (space < next.size()) // every failure is logged with the path and the reason
                QTest::ignoreMessage(QtWarningMsg,
                                     "save failed: system/language.ini - No space left on device");
            SimulatedDisk disk(space);
            const SaveResult r = saveFile("system/language.ini", next);
            const bool fits = space == next.size();
            QCOMPARE(r.ok(), fits);
            QCOMPARE(readText("system/language.ini").toUtf8(), fits ? next : old);
            QCOMPARE(QDir("system").entryList(QDir::Files | QDir::Hidden),
                     QStringList{"language.ini"});
            if (!fits) {
                QCOMPARE(r.failures().size(), 1);
                QCOMPARE(r.failures()[0].path, QStringLiteral("system/language.ini"));
                QCOMPARE(r.failures()[0].reason, QStringLiteral("No space left on device"));
                QCOMPARE(disk.written(), qint64(space));
            }
        }
    }

    void aFailedCloseKeepsTheOldFile()
    {
        TempWorkDir wd;
        QVERIFY(writeText("a.ini", "old"));
        SimulatedDisk disk(1 << 20);
        disk.failCloses(true);
        QTest::ignoreMessage(QtWarningMsg, "save failed: a.ini - Input/output error");
        const SaveResult r = saveFile("a.ini", "new");
        QVERIFY(!r.ok());
        QCOMPARE(r.failures()[0].reason, QStringLiteral("Input/output error"));
        QCOMPARE(readText("a.ini"), QStringLiteral("old"));
        QCOMPARE(QDir(".").entryList(QDir::Files | QDir::Hidden), QStringList{"a.ini"});
    }

    void aLinkIsReplacedNeverWrittenThrough()
    {
        TempWorkDir wd;
        QTemporaryDir outside;
        const QString target = outside.filePath("light_color.ini");
        QVERIFY(writeText(target, "outside"));
        QVERIFY(QDir().mkpath("system"));
        QVERIFY(QFile::link(target, "system/light_color.ini"));
        QVERIFY(saveFile("system/light_color.ini", "inside").ok());
        QCOMPARE(readText(target), QStringLiteral("outside"));
        QVERIFY(!QFileInfo("system/light_color.ini").isSymLink());
        QCOMPARE(readText("system/light_color.ini"), QStringLiteral("inside"));
    }

    void aFolderReachedThroughALinkIsRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("linked folder") << "lightfile/P/cmd/light_cmd.ini";
        QTest::newRow("linked parent") << "lightfile/P/cmd/deeper/x.ini";
        QTest::newRow("dot dot") << "lightfile/../../escape.ini";
    }
    void aFolderReachedThroughALinkIsRefused()
    {
        QFETCH(QString, path);
        TempWorkDir wd;
        QTemporaryDir outside;
        QVERIFY(QDir().mkpath("lightfile/P"));
        QVERIFY(QFile::link(outside.path(), "lightfile/P/cmd"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^save failed: "));
        const SaveResult r = saveFile(path, "x");
        QVERIFY(!r.ok());
        QCOMPARE(r.failures()[0].path, path);
        QVERIFY(!r.failures()[0].reason.isEmpty());
        QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(!QFileInfo::exists(QDir(wd.path()).filePath("../escape.ini")));
    }
};

QTEST_GUILESS_MAIN(AtomicFileTest)
#include "tst_atomicfile.moc"
