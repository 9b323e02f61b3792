// The keyboard link's queue: operations go out whole and in order, each report
// followed by its pause (other programs' behind the user's own: tst_queueflood;
// light pulse ticks, one waiting at most: tst_shell; a refusing or unplugged
// keyboard: tst_devicefaults and tst_keyboardsync).

#include "TestSupport.h"
#include "core/device/KeyboardLink.h"

#include <QMutex>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

Report selection(int profile)
{
    return reportOf({{0, 7}, {1, 1}, {2, profile}});
}

QString sendOf(int profile)
{
    return "send " + toBytes(selection(profile)).toHex();
}

// Selections of {profile, pause}: the report that stands for any here.
DeviceOperation operation(std::initializer_list<std::pair<int, unsigned>> steps)
{
    DeviceOperation op;
    for (const auto &[profile, pause] : steps)
        op.steps.push_back({selection(profile), pause});
    return op;
}

// A keyboard that notes each report reaching it.
struct NotingDevice : HidDevice {
    std::function<void(const QString &)> note;
    explicit NotingDevice(std::function<void(const QString &)> note) : note(std::move(note)) {}
    bool sendFeatureReport(const quint8 *data, std::size_t length) override
    {
        note("send " + QByteArray(reinterpret_cast<const char *>(data), int(length)).toHex());
        return true;
    }
};

} // namespace

class KeyboardLinkTest : public QObject
{
    Q_OBJECT

private slots:
    void operationsGoOutWholeInOrderEachReportFollowedByItsPause()
    {
        // What reached the keyboard and every pause asked for, in one timeline.
        QMutex mutex;
        QStringList timeline;
        const auto note = [&](const QString &event) {
            QMutexLocker lock(&mutex);
            timeline << event;
        };
        QSemaphore gate;
        bool gated = true;
        KeyboardLink link;
        QSignalSpy finished(&link, &KeyboardLink::operationFinished);
        link.setPauseFunction([&](unsigned ms) {
            note(QStringLiteral("pause %1").arg(ms));
            if (std::exchange(gated, false))
                gate.acquire(); // the first pause waits until the test releases it
        });
        link.setDiscovery([&](std::unique_ptr<HidDevice> &vendor, auto &) {
            vendor = std::make_unique<NotingDevice>(note);
            return true;
        });
        const auto release = qScopeGuard([&] { gate.release(1000); }); // also when a check fails
        QVERIFY(link.discover());

        const quint64 first = link.enqueue(operation({{1, 100}, {2, 300}, {3, 100}}));
        QVERIFY(QTest::qWaitFor([&] { // the first report went out, its pause holds
            QMutexLocker lock(&mutex);
            return timeline.size() == 2;
        }));
        // Queued while the first operation is halfway: they wait for its end.
        const quint64 second = link.enqueue(operation({{4, 100}, {5, 300}}));
        const quint64 third = link.enqueue(operation({{6, 100}}));
        gate.release();
        QVERIFY(QTest::qWaitFor([&] { return link.isIdle(); }, 5000));
        QTRY_COMPARE(finished.size(), 3);
        QMutexLocker lock(&mutex);
        QCOMPARE(timeline, QStringList({sendOf(1), "pause 100", sendOf(2), "pause 300", sendOf(3),
                                        "pause 100", sendOf(4), "pause 100", sendOf(5), "pause 300",
                                        sendOf(6), "pause 100"}));
        const quint64 ids[] = {first, second, third};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(finished[i][0].toULongLong(), ids[i]);
            QCOMPARE(finished[i][1].value<KeyboardLink::Outcome>(), KeyboardLink::Outcome::Sent);
        }
    }
};

QTEST_GUILESS_MAIN(KeyboardLinkTest)
#include "tst_keyboardlink.moc"
