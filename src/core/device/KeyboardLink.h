#pragma once
// The one link to the keyboard: it finds the keyboard (at start-up, then again
// whenever none is connected), owns the opened interfaces, and sends queued
// operations from its own worker thread. An operation is a whole sequence of
// reports, each followed by the pause the firmware needs; operations go out
// whole, one after another, so the window's thread never waits for the
// keyboard. The user's own operations go out in the order they were queued,
// ahead of waiting operations of other programs (the control socket, the
// light pulse); of those only the latest profile switch and the latest colour
// wait, a newer one withdraws an older one.

#include "DeviceOperation.h"
#include "HidDevice.h"
#include "Report.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace orvanta
{

class KeyboardLink : public QObject, public CommandQueue
{
    Q_OBJECT
public:
    enum class State { Absent, Connected, Virtual };
    Q_ENUM(State)

    enum class Outcome {
        Sent,         // every report went out, each followed by its pause
        Failed,       // the keyboard refused a report: it counts as unplugged
        Dropped,      // the keyboard went away before the operation's turn
        NotConnected, // no keyboard when it was queued
        Overflow,     // the queue was full (commands of other programs only)
        Lost,         // internal: a report was refused by a hidapi keyboard
        Withdrawn,    // replaced by a newer one (a tick, another program's switch or
                      // colour), or a tick withdrawn, before its turn
    };
    Q_ENUM(Outcome)

    using Step = DeviceStep;

    // The application light pulse's ticks.
    static constexpr int kLightPulseTicks = orvanta::kLightPulseTicks;

    using PauseFunction = std::function<void(unsigned ms)>;
    // Opens the keyboard's vendor and consumer interfaces; returns false (both
    // left empty) when no keyboard is there.
    using Discovery = std::function<bool(std::unique_ptr<HidDevice> &vendor,
                                         std::unique_ptr<HidDevice> &consumer)>;

    // Operations of other programs that do not coalesce (neither a profile
    // switch, a colour nor a tick) beyond this many waiting are dropped.
    static constexpr int kQueueLimit = 1000;
    // Whether the interface at this path is still there.
    using Presence = std::function<bool(const QString &path)>;

    // How often a missing keyboard is looked for, and a connected but idle one
    // checked for.
    static constexpr int kScanIntervalMs = 2000;

    explicit KeyboardLink(QObject *parent = nullptr);
    ~KeyboardLink() override;

    // Defaults: sleeping the worker thread; enumerating through hidapi.
    void setPauseFunction(PauseFunction pause);
    // Without `presence`, a connected keyboard counts as there until a report fails.
    void setDiscovery(Discovery discovery, Presence presence = {});
    static PauseFunction sleepingPause();
    static Discovery hidapiDiscovery();
    static Presence hidapiPresence();
    // Whether hidapi lists any interface of the keyboard now (nothing is opened).
    static bool keyboardPresent();

    // Looks for the keyboard once, now, on the calling thread (start-up).
    // Later arrivals are found by the worker while no keyboard is connected.
    bool discover();
    // Uses `device` (not owned; it must outlive the link or be replaced) as the
    // keyboard from now on: no hidapi interface stays open and none is looked
    // for. It is called from the worker thread. Null returns to hidapi.
    void useVirtualDevice(HidDevice *device);
    // The interfaces went away (udev removal): closes them and drops what waits.
    void keyboardRemoved(const QString &reason);
    // Looks for a keyboard at the next chance instead of waiting for the scan.
    void scanSoon();

    // Queues an operation; returns its id (outcome signals carry it). An
    // operation that cannot be queued is still reported, later, through
    // operationFinished, never from within this call. A newer profile switch
    // (anyone's) withdraws the waiting switches and colours of other programs,
    // a newer colour a waiting colour, and the user's lighting of a profile a
    // colour waiting for that profile: what the keyboard ends with is what it
    // would with every operation sent in the order queued.
    quint64 enqueue(DeviceOperation operation, Origin origin = Origin::User) override;
    // Takes the waiting tick of `series` out of the queue (reported Withdrawn);
    // a tick already being sent finishes. Returns how many were taken out.
    int withdrawTicks(int series) override;

    State state() const { return m_state.load(); }
    int pending() const; // operations waiting or being sent
    bool isIdle() const { return pending() == 0; }
    // Blocks until nothing is pending or the time is up (tests).
    bool waitForIdle(int timeoutMs) const;

    // What finish() could not send: how many of the user's operations, and
    // the on-board profiles they would have written (bit n-1 for profile n).
    struct Leftover {
        int operations = 0;
        int profiles = 0;
    };
    // The end of the program: drops what other programs left waiting, sends
    // the user's operations for up to `timeoutMs`, then stops the worker (an
    // operation under way stops after its current report). Operations queued
    // afterwards are dropped. Returns what was not sent; no outcome follows.
    Leftover finish(int timeoutMs);
    static QString stateText(State state);
    static QString stateKey(State state); // "connected", "absent", "virtual"

signals:
    void stateChanged(orvanta::KeyboardLink::State state);
    // A keyboard was plugged in while the console runs (not the one of start-up).
    void keyboardArrived();
    void operationFinished(quint64 id, orvanta::KeyboardLink::Outcome outcome, int profile,
                           bool quiet);
    // The same outcome with the keyboard it reached (Connected for the USB
    // keyboard, Virtual, or Absent when it reached none) and the profiles it
    // wrote (slotsWritten), so the console knows which keyboard holds what.
    void operationReached(quint64 id, orvanta::KeyboardLink::Outcome outcome,
                          orvanta::KeyboardLink::State keyboard, int slotsWritten);

private:
    using Clock = std::chrono::steady_clock;
    struct Operation : DeviceOperation {
        bool droppable = false; // from another program: coalesces, may be dropped
        quint64 id = 0;         // given by enqueue()
    };

    // Whether `newer` makes the waiting operation of another program pointless.
    static bool supersedes(const Operation &newer, const Operation &waiting);
    void dropOthers(const char *why); // m_mutex held

    // The on-board profiles whose saved content an operation writes (bit n-1
    // for profile n): its lighting, key-map and macro reports. Selections,
    // repeated ticks and other programs' commands write nothing the console keeps.
    static int slotsWritten(const Operation &op);

    void run();
    void scan();
    void checkPresence();
    Outcome sendOperation(const Operation &op, const PauseFunction &pause, State *reached);
    void lose(const QString &reason);
    void setState(State state);
    void post(std::function<void()> call);
    void report(const Operation &op, Outcome outcome, State reached = State::Absent);

    // m_deviceMutex guards the interfaces and is held around each single
    // send; m_mutex guards the queue and the state. Never taken the other way round.
    std::mutex m_deviceMutex;
    std::mutex m_scanMutex; // one discovery at a time
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Operation> m_queue;  // the user's own
    std::deque<Operation> m_others; // other programs', sent when m_queue is empty
    bool m_busy = false;            // the worker is sending an operation
    int m_busyWrites = 0;           // slotsWritten() of the operation being sent
    bool m_busyIsUsers = false;     // and whether it is the user's own
    bool m_stopping = false;
    bool m_scanNow = false;
    Clock::time_point m_nextScan;
    quint64 m_nextId = 1;
    std::atomic<quint64> m_generation{0}; // grows whenever the interfaces go away
    std::atomic<State> m_state{State::Absent};
    std::unique_ptr<HidDevice> m_vendor, m_consumer;
    HidDevice *m_virtual = nullptr;
    PauseFunction m_pause;
    Discovery m_discovery;
    Presence m_presence;
    std::thread m_worker;
};

} // namespace orvanta

Q_DECLARE_METATYPE(orvanta::KeyboardLink::State)
Q_DECLARE_METATYPE(orvanta::KeyboardLink::Outcome)
