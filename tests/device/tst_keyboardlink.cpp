// The keyboard link's queue: operations go out whole and in order, each report
// followed by its pause (other programs' behind the user's own: tst_queueflood;
// light pulse ticks, one waiting at most: tst_shell); an unplugged or refusing
// keyboard closes its handles and drops what waits.

#include "TestSupport.h"
#include "core/device/KeyboardLink.h"

#include <QMutex>
#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

using Outcome = KeyboardLink::Outcome;

QString sendOf(const Report &r)
{
    return "send " + toBytes(r).toHex();
}

// A selection of profile `tag`: the report that stands for any in these tests.
QString sendOf(quint8 tag)
{
    return sendOf(reportOf({{0, 7}, {1, 1}, {2, tag}}));
}

// Steps of {command, profile, pause}.
DeviceOperation operation(std::initializer_list<std::array<int, 3>> steps, bool quiet = false)
{
    DeviceOperation op;
    for (const auto &[command, profile, pause] : steps)
        op.steps.push_back({reportOf({{0, 7}, {1, command}, {2, profile}}), unsigned(pause)});
    op.quiet = quiet;
    return op;
}

// A link to a keyboard that takes `accept` reports, then refuses (negative:
// takes all), and records what reached it and every pause asked for in one
// timeline. The first pause waits until the test releases it.
struct LinkFixture {
    struct Device : HidDevice {
        LinkFixture &f;
        int accept;
        Device(LinkFixture &f, int accept) : f(f), accept(accept) {}
        ~Device() override { f.closed = true; }
        bool sendFeatureReport(const quint8 *data, std::size_t length) override
        {
            if (accept-- == 0)
                return false;
            f.add("send " + QByteArray(reinterpret_cast<const char *>(data), int(length)).toHex());
            return true;
        }
    };
    QMutex mutex;
    QStringList events;
    bool closed = false;
    QSemaphore gate{0};
    bool gated;
    KeyboardLink link;
    QSignalSpy finished{&link, &KeyboardLink::operationFinished};

    explicit LinkFixture(int accept = -1, bool holdFirstPause = true) : gated(holdFirstPause)
    {
        link.setPauseFunction([this](unsigned ms) {
            add(QStringLiteral("pause %1").arg(ms));
            if (std::exchange(gated, false))
                gate.acquire();
        });
        link.setDiscovery([this, accept](std::unique_ptr<HidDevice> &vendor, auto &) {
            vendor = std::make_unique<Device>(*this, accept);
            return true;
        });
        link.discover();
    }
    ~LinkFixture() { gate.release(1000); } // a failed check leaves no worker waiting
    void add(const QString &event)
    {
        QMutexLocker lock(&mutex);
        events << event;
    }
    QStringList take()
    {
        QMutexLocker lock(&mutex);
        return std::exchange(events, {});
    }
    bool held() // the worker has sent the first report and waits in its pause
    {
        return QTest::qWaitFor([this] {
            QMutexLocker lock(&mutex);
            return events.size() == 2;
        });
    }
    bool releaseAndWait()
    {
        gate.release();
        return QTest::qWaitFor([this] { return link.isIdle(); }, 5000);
    }
    QVector<Outcome> outcomes()
    {
        QVector<Outcome> out;
        for (const QList<QVariant> &args : finished)
            out << args.at(1).value<Outcome>();
        return out;
    }
};

} // namespace

class KeyboardLinkTest : public QObject
{
    Q_OBJECT

private slots:
    // Which profiles an operation writes, and which keyboard it reached: what
    // the console's record of each keyboard's state is built on.
    void eachOutcomeNamesTheKeyboardAndTheProfilesWritten()
    {
        LinkFixture f(-1, false);
        QSignalSpy reached(&f.link, &KeyboardLink::operationReached);
        // key map of 2 (in a write opened and closed by selections), lighting of 3
        // and 5, a selection only, a pulse tick, another program's colour
        f.link.enqueue(operation({{1, 2, 100}, {3, 2, 100}, {1, 2, 100}}));
        f.link.enqueue(operation({{2, 3, 100}, {9, 3, 100}, {2, 5, 100}}));
        f.link.enqueue(operation({{1, 4, 100}}));
        f.link.enqueue(operation({{2, 1, 100}}, true));
        f.link.enqueue(operation({{2, 1, 100}}), Origin::OtherProgram);
        QTRY_COMPARE(reached.size(), 5);
        const int written[] = {0b00010, 0b10100, 0, 0, 0};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(reached[i][1].value<Outcome>(), Outcome::Sent);
            QCOMPARE(reached[i][2].value<KeyboardLink::State>(), KeyboardLink::State::Connected);
            QCOMPARE(reached[i][3].toInt(), written[i]);
        }
        // Without a keyboard: reached none.
        f.link.keyboardRemoved("unplugged");
        f.link.enqueue(operation({{3, 1, 100}}));
        QTRY_COMPARE(reached.size(), 6);
        QCOMPARE(reached[5][1].value<Outcome>(), Outcome::NotConnected);
        QCOMPARE(reached[5][2].value<KeyboardLink::State>(), KeyboardLink::State::Absent);
        QCOMPARE(reached[5][3].toInt(), 0b00001);
    }

    void operationsGoOutWholeInOrderEachReportFollowedByItsPause()
    {
        LinkFixture f;
        const quint64 first = f.link.enqueue(operation({{1, 1, 100}, {1, 2, 300}, {1, 3, 100}}));
        QVERIFY(f.held()); // queued while the first operation is halfway: they wait for its end
        const quint64 second = f.link.enqueue(operation({{1, 4, 100}, {1, 5, 300}}));
        const quint64 third = f.link.enqueue(operation({{1, 6, 100}}));
        QVERIFY(f.releaseAndWait());
        QCOMPARE(f.take(), QStringList({sendOf(1), "pause 100", sendOf(2), "pause 300", sendOf(3),
                                        "pause 100", sendOf(4), "pause 100", sendOf(5), "pause 300",
                                        sendOf(6), "pause 100"}));
        QTRY_COMPARE(f.finished.size(), 3);
        QCOMPARE(f.finished[0][0].toULongLong(), first);
        QCOMPARE(f.finished[1][0].toULongLong(), second);
        QCOMPARE(f.finished[2][0].toULongLong(), third);
        QCOMPARE(f.outcomes(), QVector<Outcome>(3, Outcome::Sent));
    }

    void refusedReportClosesTheHandlesAndDropsWhatWaits()
    {
        LinkFixture f(1); // takes one report, then refuses
        QSignalSpy state(&f.link, &KeyboardLink::stateChanged);
        f.link.enqueue(operation({{1, 1, 100}, {1, 2, 100}, {1, 3, 100}}));
        f.link.enqueue(operation({{1, 4, 100}}));
        QVERIFY(f.releaseAndWait());
        QTRY_COMPARE(f.finished.size(), 2);
        QCOMPARE(f.take(), QStringList({sendOf(1), "pause 100"}));
        QCOMPARE(f.outcomes(), QVector<Outcome>({Outcome::Failed, Outcome::Dropped}));
        QVERIFY(f.closed);
        QCOMPARE(f.link.state(), KeyboardLink::State::Absent);
        QTRY_VERIFY(!state.isEmpty());
        QCOMPARE(state.last().at(0).value<KeyboardLink::State>(), KeyboardLink::State::Absent);
        // Nothing waits for a keyboard that is not there.
        f.link.enqueue(operation({{1, 5, 100}}));
        QTRY_COMPARE(f.finished.size(), 3);
        QCOMPARE(f.outcomes().last(), Outcome::NotConnected);
        QCOMPARE(f.take(), QStringList());
        // A keyboard found again is announced.
        QSignalSpy arrived(&f.link, &KeyboardLink::keyboardArrived);
        f.link.scanSoon();
        QTRY_COMPARE(arrived.size(), 1);
        QCOMPARE(f.link.state(), KeyboardLink::State::Connected);
    }
};

QTEST_GUILESS_MAIN(KeyboardLinkTest)
#include "tst_keyboardlink.moc"
