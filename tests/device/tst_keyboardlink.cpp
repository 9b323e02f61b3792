// The keyboard link's queue: operations go out whole and in order, each report
// followed by its pause; the bound applies to other programs' commands only;
// an unplugged or refusing keyboard closes its handles and drops what waits.

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

// What reached the keyboard and every pause asked for, in one timeline.
struct Timeline {
    QMutex mutex;
    QStringList events;
    void add(const QString &event)
    {
        QMutexLocker lock(&mutex);
        events << event;
    }
    int size()
    {
        QMutexLocker lock(&mutex);
        return events.size();
    }
    QStringList take()
    {
        QMutexLocker lock(&mutex);
        return std::exchange(events, {});
    }
};

class TimelineDevice : public HidDevice
{
public:
    TimelineDevice(Timeline &t, int acceptCount, bool *closed)
        : m_timeline(t), m_accept(acceptCount), m_closed(closed)
    {
    }
    ~TimelineDevice() override
    {
        if (m_closed)
            *m_closed = true;
    }
    bool sendFeatureReport(const quint8 *data, std::size_t length) override
    {
        if (m_accept-- == 0)
            return false;
        m_timeline.add(QStringLiteral("send ") +
                       QByteArray(reinterpret_cast<const char *>(data), int(length)).toHex());
        return true;
    }

private:
    Timeline &m_timeline;
    int m_accept; // reports accepted before it refuses; negative: all
    bool *m_closed;
};

// The send of a numbered report, for building expected timelines.
QString sendOf(quint8 tag)
{
    return QStringLiteral("send ") + toBytes(reportOf({{0, 7}, {1, 1}, {2, tag}})).toHex();
}

KeyboardLink::Operation operation(std::initializer_list<std::pair<quint8, unsigned>> steps,
                                  bool droppable = false)
{
    KeyboardLink::Operation op;
    for (const auto &s : steps)
        op.steps.push_back({reportOf({{0, 7}, {1, 1}, {2, s.first}}), s.second});
    op.droppable = droppable;
    return op;
}

struct LinkFixture {
    Timeline timeline;
    bool closed = false;
    QSemaphore gate{0}; // the first pause waits here until the test releases it
    bool gated = false;
    KeyboardLink link;

    explicit LinkFixture(int acceptCount = -1, bool holdFirstPause = false) : gated(holdFirstPause)
    {
        link.setPauseFunction([this](unsigned ms) {
            timeline.add(QStringLiteral("pause %1").arg(ms));
            if (gated) {
                gated = false;
                gate.acquire();
            }
        });
        link.setDiscovery(
            [this, acceptCount](std::unique_ptr<HidDevice> &vendor, std::unique_ptr<HidDevice> &) {
                vendor = std::make_unique<TimelineDevice>(timeline, acceptCount, &closed);
                return true;
            });
        link.discover();
    }
    bool waitIdle()
    {
        return QTest::qWaitFor([this] { return link.isIdle(); }, 5000);
    }
};

using Outcome = KeyboardLink::Outcome;

QVector<Outcome> outcomesOf(const QSignalSpy &spy)
{
    QVector<Outcome> out;
    for (const QList<QVariant> &args : spy)
        out << args.at(1).value<Outcome>();
    return out;
}

} // namespace

class KeyboardLinkTest : public QObject
{
    Q_OBJECT

private slots:
    void operationsGoOutWholeInOrderEachReportFollowedByItsPause()
    {
        LinkFixture f(-1, true);
        QSignalSpy finished(&f.link, &KeyboardLink::operationFinished);
        const quint64 first = f.link.enqueue(operation({{1, 100}, {2, 300}, {3, 100}}));
        // Queued while the first operation is halfway: it waits for its end.
        QTRY_COMPARE(f.timeline.size(), 2);
        const quint64 second = f.link.enqueue(operation({{4, 100}, {5, 300}}));
        const quint64 third = f.link.enqueue(operation({{6, 100}}));
        f.gate.release();
        QVERIFY(f.waitIdle());
        QCOMPARE(f.timeline.take(), QStringList({sendOf(1), "pause 100", sendOf(2), "pause 300",
                                                 sendOf(3), "pause 100", sendOf(4), "pause 100",
                                                 sendOf(5), "pause 300", sendOf(6), "pause 100"}));
        QTRY_COMPARE(finished.size(), 3);
        QCOMPARE(finished[0][0].toULongLong(), first);
        QCOMPARE(finished[1][0].toULongLong(), second);
        QCOMPARE(finished[2][0].toULongLong(), third);
        QCOMPARE(outcomesOf(finished), QVector<Outcome>(3, Outcome::Sent));
    }

    void boundDropsOnlyOtherProgramsCommandsBeyondIt()
    {
        LinkFixture f(-1, true);
        QSignalSpy finished(&f.link, &KeyboardLink::operationFinished);
        f.link.enqueue(operation({{1, 100}}));
        QTRY_COMPARE(f.timeline.size(), 2); // the worker holds the first
        for (int i = 0; i < KeyboardLink::kQueueLimit; ++i)
            f.link.enqueue(operation({{2, 100}}, true));
        const quint64 over = f.link.enqueue(operation({{3, 100}}, true));
        f.link.enqueue(operation({{4, 100}})); // the window's own: never bounded
        QCOMPARE(f.link.pending(), KeyboardLink::kQueueLimit + 2);
        f.gate.release();
        QVERIFY(f.waitIdle());
        const QStringList events = f.timeline.take();
        QCOMPARE(events.count(sendOf(2)), KeyboardLink::kQueueLimit);
        QCOMPARE(events.count(sendOf(3)), 0);
        QCOMPARE(events.at(events.size() - 2), sendOf(4));
        QTRY_COMPARE(finished.size(), KeyboardLink::kQueueLimit + 3);
        for (const QList<QVariant> &args : finished) {
            const quint64 id = args[0].toULongLong();
            QCOMPARE(args[1].value<Outcome>(), id == over ? Outcome::Overflow : Outcome::Sent);
        }
    }

    void refusedReportClosesTheHandlesAndDropsWhatWaits()
    {
        LinkFixture f(1, true); // takes one report, then refuses
        QSignalSpy state(&f.link, &KeyboardLink::stateChanged);
        QSignalSpy finished(&f.link, &KeyboardLink::operationFinished);
        f.link.enqueue(operation({{1, 100}, {2, 100}, {3, 100}}));
        f.link.enqueue(operation({{4, 100}}));
        f.gate.release();
        QVERIFY(f.waitIdle());
        QTRY_COMPARE(finished.size(), 2);
        QCOMPARE(f.timeline.take(), QStringList({sendOf(1), "pause 100"}));
        QCOMPARE(outcomesOf(finished), QVector<Outcome>({Outcome::Failed, Outcome::Dropped}));
        QVERIFY(f.closed);
        QCOMPARE(f.link.state(), KeyboardLink::State::Absent);
        QTRY_VERIFY(!state.isEmpty());
        QCOMPARE(state.last().at(0).value<KeyboardLink::State>(), KeyboardLink::State::Absent);
        // Nothing waits for a keyboard that is not there.
        f.link.enqueue(operation({{5, 100}}));
        QTRY_COMPARE(finished.size(), 3);
        QCOMPARE(finished[2][1].value<Outcome>(), Outcome::NotConnected);
        QCOMPARE(f.timeline.take(), QStringList());
    }

    void removalMidOperationStopsItAndAKeyboardFoundAgainIsAnnounced()
    {
        LinkFixture f(-1, true);
        QSignalSpy finished(&f.link, &KeyboardLink::operationFinished);
        QSignalSpy arrived(&f.link, &KeyboardLink::keyboardArrived);
        f.link.enqueue(operation({{1, 100}, {2, 100}}));
        f.link.enqueue(operation({{3, 100}}));
        QTRY_COMPARE(f.timeline.size(), 2);
        f.link.keyboardRemoved(QStringLiteral("unplugged"));
        QVERIFY(f.closed);
        f.gate.release();
        QVERIFY(f.waitIdle());
        QTRY_COMPARE(finished.size(), 2);
        QCOMPARE(outcomesOf(finished), QVector<Outcome>({Outcome::Dropped, Outcome::Dropped}));
        QCOMPARE(f.timeline.take(), QStringList({sendOf(1), "pause 100"}));

        f.link.scanSoon();
        QTRY_COMPARE(arrived.size(), 1);
        QCOMPARE(f.link.state(), KeyboardLink::State::Connected);
    }

    void virtualKeyboardTakesOverAndIsNeverUnplugged()
    {
        LinkFixture f;
        Timeline virtualTimeline;
        TimelineDevice virtualDevice(virtualTimeline, -1, nullptr);
        f.link.useVirtualDevice(&virtualDevice);
        QVERIFY(f.closed); // the hidapi interfaces are let go
        QCOMPARE(f.link.state(), KeyboardLink::State::Virtual);
        f.link.keyboardRemoved(QStringLiteral("udev"));
        f.link.enqueue(operation({{1, 100}}));
        QVERIFY(f.waitIdle());
        QCOMPARE(virtualTimeline.take(), QStringList({sendOf(1)}));
        QCOMPARE(KeyboardLink::stateKey(f.link.state()), QStringLiteral("virtual"));
    }
};

QTEST_GUILESS_MAIN(KeyboardLinkTest)
#include "tst_keyboardlink.moc"
