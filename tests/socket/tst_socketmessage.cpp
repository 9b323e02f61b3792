// Messages of the control socket: what each text means, what is refused, and
// what the console does with the resulting command map.

#include "TestSupport.h"
#include "core/socket/AppPulse.h"
#include "core/socket/SocketCommand.h"
#include "core/socket/SocketMessage.h"

#include <QThread>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(std::optional<QVariantMap>)

namespace
{

const char *const kIntKeys[] = {"command", "Data", "Color_r", "Color_g", "Color_b", "app_cmd"};

QVariantMap cmd(int data, std::initializer_list<std::pair<const char *, QVariant>> more = {})
{
    QVariantMap map{{"command", 7}, {"Data", data}};
    for (const auto &m : more)
        map.insert(QLatin1String(m.first), m.second);
    return map;
}

std::optional<QVariantMap> none()
{
    return std::nullopt;
}

QByteArray b64(const QByteArray &json)
{
    return json.toBase64();
}

// Equal maps, and the known members really are ints (not texts or doubles that
// merely compare equal).
void compareMaps(const std::optional<QVariantMap> &actual, const std::optional<QVariantMap> &want)
{
    QCOMPARE(actual.has_value(), want.has_value());
    if (!want)
        return;
    QCOMPARE(actual->keys(), want->keys());
    for (auto it = want->constBegin(); it != want->constEnd(); ++it)
        QCOMPARE(actual->value(it.key()), it.value());
    for (const char *key : kIntKeys) {
        if (want->contains(QLatin1String(key)) &&
            want->value(QLatin1String(key)).type() == QVariant::Int)
            QCOMPARE(int(actual->value(QLatin1String(key)).type()), int(QVariant::Int));
    }
}

} // namespace

class SocketMessageTest : public QObject
{
    Q_OBJECT

private slots:
    void shortFormMessages_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<std::optional<QVariantMap>>("expected");
        for (int p = 1; p <= 5; ++p)
            QTest::addRow("07%d switches profile", p)
                << QByteArray("07" + QByteArray::number(p)) << std::optional(cmd(p));
        QTest::newRow("070") << QByteArray("070") << std::optional(cmd(0));
        QTest::newRow("079") << QByteArray("079") << std::optional(cmd(9));
        QTest::newRow("078 stops") << QByteArray("078") << std::optional(cmd(8));
        for (const char *m : {"071@@", "078@@xyz"})
            QTest::newRow(m) << QByteArray(m) << std::optional(cmd(8));
        QTest::newRow("0773") << QByteArray("0773") << std::optional(cmd(7, {{"app_cmd", 3}}));
        const auto orange =
            std::optional(cmd(6, {{"Color_r", 255}, {"Color_g", 128}, {"Color_b", 0}}));
        QTest::newRow("orange") << QByteArray("076#FF#80#00") << orange;
        QTest::newRow("orange, then pulse in the same read")
            << QByteArray("076#FF#80#000773") << orange;
        // f -> 54: 16*54+54 = 918, low byte 150; 0a -> 0*16+49.
        QTest::newRow("lower-case digits")
            << QByteArray("076#ff#80#0a")
            << std::optional(cmd(6, {{"Color_r", 150}, {"Color_g", 128}, {"Color_b", 49}}));
        QTest::newRow("two messages: first counts")
            << QByteArray("072075") << std::optional(cmd(2));
        // Lengths: too short for the positions they address.
        QTest::newRow("0 bytes") << QByteArray() << none();
        QTest::newRow("1 byte") << QByteArray("0") << none();
        QTest::newRow("3 bytes pulse") << QByteArray("077") << none();
        QTest::newRow("11 bytes colour") << QByteArray("076#FF#80#0") << none();
        QTest::newRow("9000 bytes, profile")
            << "073" + QByteArray(8997, 'z') << std::optional(cmd(3));
    }
    void shortFormMessages()
    {
        QFETCH(QByteArray, received);
        QFETCH(std::optional<QVariantMap>, expected);
        compareMaps(parseSocketMessage(received), expected);
    }

    void jsonFormMessages_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<std::optional<QVariantMap>>("expected");
        QTest::newRow("numbers") << b64("{\"command\":7,\"Data\":3,\"Color\":{}}")
                                 << std::optional(cmd(3, {{"Color", QVariantMap()}}));
        QTest::newRow("numeric texts")
            << b64("{\"command\":\"7\",\"Data\":\"6\",\"Color_r\":\"255\",\"Color_g\":128,"
                   "\"Color_b\":\" 0 \",\"Color\":{\"name\":\"x\"}}")
            << std::optional(cmd(6, {{"Color_r", 255},
                                     {"Color_g", 128},
                                     {"Color_b", 0},
                                     {"Color", QVariantMap{{"name", "x"}}}}));
        QTest::newRow("valid object without }} is dropped")
            << b64("{\"command\":7,\"Data\":3}") << none();
        QTest::newRow("two objects: first counts")
            << b64("{\"command\":7,\"Data\":2,\"Color\":{}}{\"command\":7,\"Data\":4,\"Color\":{}}")
            << std::optional(cmd(2, {{"Color", QVariantMap()}}));
        QTest::newRow("garbage behind }} dropped")
            << b64("{\"command\":7,\"Data\":5,\"Color\":{}}garbage")
            << std::optional(cmd(5, {{"Color", QVariantMap()}}));
        QTest::newRow("array") << b64("[{\"command\":7,\"Data\":1,\"Color\":{}}]") << none();
        QTest::newRow("malformed") << b64("{\"command\":7,,\"Data\":1,\"Color\":{}}") << none();
        QTest::newRow("not base64") << QByteArray("!!! not a message !!!") << none();
        const QByteArray big = "{\"command\":7,\"Data\":4,\"Color\":{\"pad\":\"";
        QTest::newRow("long message within 8191 bytes")
            << b64(big + QByteArray(6000, 'p') + "\"}}")
            << std::optional(cmd(4, {{"Color", QVariantMap{{"pad", QString(6000, 'p')}}}}));
        QTest::newRow("}} beyond 8191 bytes is clipped away")
            << b64(big + QByteArray(7000, 'p') + "\"}}") << none();
    }
    void jsonFormMessages()
    {
        QFETCH(QByteArray, received);
        QFETCH(std::optional<QVariantMap>, expected);
        compareMaps(parseSocketMessage(received), expected);
    }

    void actionForCommandMap_data()
    {
        QTest::addColumn<QVariantMap>("command");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("value"); // profile, pulse value or 0xRRGGBB
        for (int p = 1; p <= 5; ++p)
            QTest::addRow("profile %d", p) << cmd(p) << int(SocketAction::SwitchProfile) << p;
        QTest::newRow("Data 0") << cmd(0) << int(SocketAction::None) << 0;
        QTest::newRow("Data 9") << cmd(9) << int(SocketAction::None) << 0;
        QTest::newRow("group 8") << QVariantMap{{"command", 8}, {"Data", 1}}
                                 << int(SocketAction::None) << 0;
        QTest::newRow("texts") << QVariantMap{{"command", "7"}, {"Data", "4"}}
                               << int(SocketAction::SwitchProfile) << 4;
        QTest::newRow("colour")
            << cmd(6, {{"Color_r", 255}, {"Color_g", 128}, {"Color_b", 0}, {"Color", "x"}})
            << int(SocketAction::PaintColour) << 0xff8000;
        QTest::newRow("colour 256") << cmd(6, {{"Color_r", 256}, {"Color_g", 2}, {"Color_b", 3}})
                                    << int(SocketAction::None) << 0;
        QTest::newRow("pulse 3") << cmd(7, {{"app_cmd", 3}}) << int(SocketAction::PulseStart) << 3;
        QTest::newRow("pulse low byte")
            << cmd(7, {{"app_cmd", 259}}) << int(SocketAction::PulseStart) << 3;
        QTest::newRow("stop") << cmd(8) << int(SocketAction::PulseStop) << 0;
        QTest::newRow("empty") << QVariantMap() << int(SocketAction::None) << 0;
    }
    void actionForCommandMap()
    {
        QFETCH(QVariantMap, command);
        QFETCH(int, kind);
        QFETCH(int, value);
        const SocketAction action = socketActionFor(command);
        QCOMPARE(int(action.kind), kind);
        switch (action.kind) {
        case SocketAction::SwitchProfile:
            QCOMPARE(action.profile, value);
            break;
        case SocketAction::PaintColour:
            QCOMPARE((action.red << 16) | (action.green << 8) | action.blue, value);
            break;
        case SocketAction::PulseStart:
            QCOMPARE(int(action.pulseValue), value);
            break;
        default:
            break;
        }
    }

    void pulseRetunesWithoutRestarting()
    {
        QVector<int> ticks;
        AppPulse pulse([&ticks](quint8 v) { ticks.append(v); });
        auto *timer = pulse.findChild<QTimer *>();
        QVERIFY(timer);
        QVERIFY(!pulse.isActive());

        pulse.start(3);
        QVERIFY(pulse.isActive());
        QCOMPARE(timer->interval(), 500);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(ticks, QVector<int>{3});

        // A restart would push the next tick back to a full 500 ms.
        QThread::msleep(60);
        pulse.start(7);
        QVERIFY(pulse.isActive());
        QCOMPARE(int(pulse.value()), 7);
        QVERIFY2(timer->remainingTime() <= 460,
                 qPrintable(QString::number(timer->remainingTime())));
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(ticks, (QVector<int>{3, 7}));

        pulse.stop();
        QVERIFY(!pulse.isActive());
        pulse.start(0);
        QVERIFY(pulse.isActive());
        QVERIFY(timer->remainingTime() > 460);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(ticks, (QVector<int>{3, 7, 0}));
        pulse.stop();
    }
};

QTEST_GUILESS_MAIN(SocketMessageTest)
#include "tst_socketmessage.moc"
