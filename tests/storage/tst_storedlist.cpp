// Stored lists: bounded, defaulting parsers.

#include "core/storage/StoredList.h"

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
        QTest::newRow("short list pads with zero") << "7,8" << 4 << QVector<int>{7, 8, 0, 0};
        QTest::newRow("long list is clipped") << "1,2,3,4,5" << 2 << QVector<int>{1, 2};
        QTest::newRow("non-numbers give zero") << "x,5,,9z" << 4 << QVector<int>{0, 5, 0, 0};
        QTest::newRow("negative count") << "1,2" << -3 << QVector<int>{};
    }
    void takeNumbersYieldsExactlyTheCountAsked()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QVector<int>, expected);
        QCOMPARE(takeNumbers(text, count), expected);
    }

    void itemsNumbersAndJoins()
    {
        QCOMPARE(takeItems("a,b", 3), (QStringList{"a", "b", ""}));
        QCOMPARE(takeItems("a,b,c", 2), (QStringList{"a", "b"}));
        QCOMPARE(splitList(""), QStringList{});
        QCOMPARE(joinNumbers(std::array<quint8, 3>{255, 0, 7}), QStringLiteral("255,0,7"));
    }
};

QTEST_GUILESS_MAIN(StoredListTest)
#include "tst_storedlist.moc"
