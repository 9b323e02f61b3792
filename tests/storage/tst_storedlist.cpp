// Stored lists: bounded, defaulting parsers.

#include "storage/StoredList.h"

#include <QtTest>

using namespace orvanta;

class StoredListTest : public QObject
{
    Q_OBJECT
private slots:
    void takeNumbersYieldsExactlyTheCountAsked_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QVector<int>>("expected");
        QTest::newRow("exact") << "1,2,3" << 3 << QVector<int>{1, 2, 3};
        QTest::newRow("short list pads with zero") << "7,8" << 4 << QVector<int>{7, 8, 0, 0};
        QTest::newRow("long list is clipped") << "1,2,3,4,5" << 2 << QVector<int>{1, 2};
        QTest::newRow("empty text") << "" << 3 << QVector<int>{0, 0, 0};
        QTest::newRow("non-numbers give zero") << "x,5,,9z" << 4 << QVector<int>{0, 5, 0, 0};
        QTest::newRow("blanks around numbers") << " 4 , 5" << 2 << QVector<int>{4, 5};
        QTest::newRow("negative count") << "1,2" << -3 << QVector<int>{};
        QTest::newRow("trailing comma") << "1,2," << 3 << QVector<int>{1, 2, 0};
    }
    void takeNumbersYieldsExactlyTheCountAsked()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QVector<int>, expected);
        QCOMPARE(takeNumbers(text, count), expected);
    }

    void takeItemsPadsAndClips()
    {
        QCOMPARE(takeItems("a,b", 3), (QStringList{"a", "b", ""}));
        QCOMPARE(takeItems("a,b,c", 2), (QStringList{"a", "b"}));
        QCOMPARE(takeItems("", 2), (QStringList{"", ""}));
        QCOMPARE(splitList(""), QStringList{});
        QCOMPARE(splitList("0"), QStringList{"0"});
    }

    void joinNumbersHasNoBlanksOrTrailingComma()
    {
        QCOMPARE(joinNumbers(std::array<quint8, 3>{255, 0, 7}), QStringLiteral("255,0,7"));
        QCOMPARE(joinNumbers(QVector<int>{}), QString());
        QCOMPARE(toNumber("12"), 12);
        QCOMPARE(toNumber("1x", -1), -1);
    }

    void hugeListCostsOnlyWhatIsAsked()
    {
        QString huge;
        for (int i = 0; i < 200000; ++i)
            huge += QStringLiteral("9,");
        const QVector<int> v = takeNumbers(huge, 264);
        QCOMPARE(v.size(), 264);
        QCOMPARE(v.last(), 9);
    }
};

QTEST_GUILESS_MAIN(StoredListTest)
#include "tst_storedlist.moc"
