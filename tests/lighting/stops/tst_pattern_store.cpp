// The PATTERN list on disk: reading, saving, counting, adding and deleting.

#include "../LightingTestSupport.h"
#include "core/lighting/PatternStore.h"

#include <QDir>
#include <QFile>

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(orvanta::Rgb)

namespace
{
const QString kProfile = QStringLiteral("PROFILE 2");

QString path(int number)
{
    return IniStore::patternPath(number, kProfile);
}

// Files 1..n, each marked by its own number in VColor so moves can be traced.
void makePatterns(int n)
{
    QDir().mkpath(IniStore::profileDir(kProfile) + "/light");
    for (int i = 1; i <= n; ++i) {
        const QByteArray k = QByteArray::number(i);
        QVERIFY(writeText(path(i), "[Setting]\nRColor=\"" + k +
                                       ",0,0,0,0,0,0,0,0,0,0\"\n"
                                       "VColor=\"" +
                                       k + ",0,0\"\n"));
    }
}

QVector<int> numbersOnDisk()
{
    QVector<int> out;
    for (int i = 1; i <= 20; ++i)
        if (QFile::exists(path(i)))
            out << i;
    return out;
}
} // namespace

class PatternStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void savedFileTextAndReadBack()
    {
        TempWorkDir dir;
        StopSlots stops = stopsAt({{4, {0, 128, 255}}});
        stops[7] = {false, {9, 9, 9}}; // a free slot is stored as 0
        stops[10].color = {10, 20, 30};
        savePattern(5, stops, {7, 8, 9}, kProfile);
        QCOMPARE(readText("./lightfile/PROFILE 2/light/pattern6.ini"),
                 QStringLiteral("[Setting]\n"
                                "BColor=\"0,0,0,0,255,0,0,0,0,0,30\"\n"
                                "GColor=\"0,0,0,0,128,0,0,0,0,0,20\"\n"
                                "RColor=\"255,0,0,0,0,0,0,0,0,0,10\"\n"
                                "VColor=\"7,8,9\"\n"
                                "YValue=\"1,0,0,0,1,0,0,0,0,0,1\"\n"));
        const PatternData p = readPattern(5, kProfile);
        QCOMPARE(presentSlots(p.stops), (QVector<int>{0, 4, 10}));
        QCOMPARE(p.stops[4].color, (Rgb{0, 128, 255}));
        QCOMPARE(p.surface, (Rgb{7, 8, 9}));
    }

    void readBounded_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QVector<int>>("present");
        QTest::addColumn<Rgb>("slot0");
        QTest::addColumn<Rgb>("slot3");
        QTest::addColumn<Rgb>("surface");
        QTest::newRow("missing file") << QStringList{} << QVector<int>{0, 10} << Rgb{255, 0, 0}
                                      << Rgb{0, 0, 0} << Rgb{255, 0, 0};
        QTest::newRow("short lists")
            << QStringList{"9,8,7,6", "1", "", "4", "1,0,0,1"} << QVector<int>{0, 3, 10}
            << Rgb{9, 1, 0} << Rgb{6, 0, 0} << Rgb{4, 0, 0};
        QTest::newRow("garbage and out of range")
            << QStringList{"x,0,0,900", "-5", "0", "a,b,c", "1,1,1,yes,0,0,0,0,0,0,1,1,1"}
            << QVector<int>{0, 1, 2, 10} << Rgb{255, 0, 0} << Rgb{255, 0, 0} << Rgb{255, 0, 0};
    }
    void readBounded()
    {
        QFETCH(QStringList, texts);
        QFETCH(QVector<int>, present);
        QFETCH(Rgb, slot0);
        QFETCH(Rgb, slot3);
        QFETCH(Rgb, surface);
        const PatternData p = patternFromTexts(texts);
        QCOMPARE(presentSlots(p.stops), present);
        QCOMPARE(p.stops[0].color, slot0);
        QCOMPARE(p.stops[3].color, slot3);
        QCOMPARE(p.surface, surface);
    }

    void addCreatesDefaultFileUntilSixteen()
    {
        TempWorkDir dir;
        makePatterns(14);
        QCOMPARE(addPattern(kProfile), 14);
        QCOMPARE(readText(path(15)), QStringLiteral("[Setting]\n"
                                                    "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                                    "GColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                                    "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\n"
                                                    "VColor=\"255,0,0\"\n"
                                                    "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n"));
        QCOMPARE(addPattern(kProfile), 15);
        QCOMPARE(addPattern(kProfile), -1);
        QCOMPARE(numbersOnDisk().size(), 16);
    }

    void deleteRenumbersLaterFiles()
    {
        TempWorkDir dir;
        makePatterns(7);
        const QString seventh = readText(path(7));
        QVERIFY(deletePattern(5, kProfile)); // entry 5 is file number 6
        QCOMPARE(numbersOnDisk(), (QVector<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(readText(path(6)), seventh);
        QCOMPARE(readPattern(4, kProfile).surface, (Rgb{5, 0, 0}));
    }

    void deleteRefused_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("first built-in") << 0;
        QTest::newRow("last built-in") << 4;
        QTest::newRow("past the list") << 7;
    }
    void deleteRefused()
    {
        QFETCH(int, index);
        TempWorkDir dir;
        makePatterns(7);
        QVERIFY(!deletePattern(index, kProfile));
        for (int i = 1; i <= 7; ++i)
            QCOMPARE(readPattern(i - 1, kProfile).surface, (Rgb{i, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(PatternStoreTest)
#include "tst_pattern_store.moc"
