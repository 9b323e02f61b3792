#include "KeyboardLink.h"
#include "core/app/TranslationContexts.h"

#include "HidapiDevice.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaObject>
#include <hidapi/hidapi.h>

namespace orvanta
{

KeyboardLink::KeyboardLink(QObject *parent)
    : QObject(parent), m_pause(sleepingPause()), m_discovery(hidapiDiscovery()),
      m_presence(hidapiPresence())
{
    qRegisterMetaType<KeyboardLink::State>();
    qRegisterMetaType<KeyboardLink::Outcome>();
    m_nextScan = Clock::now() + std::chrono::milliseconds(kScanIntervalMs);
    m_worker = std::thread([this] { run(); });
}

KeyboardLink::~KeyboardLink()
{
    if (m_worker.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
            const size_t left = m_queue.size() + m_others.size();
            if (left != 0)
                qInfo() << "keyboard link closing:" << left << "operations not sent";
            m_queue.clear();
            m_others.clear();
        }
        m_wake.notify_all();
        m_worker.join();
    }
    std::lock_guard<std::mutex> lock(m_deviceMutex);
    m_vendor.reset();
    m_consumer.reset();
}

KeyboardLink::PauseFunction KeyboardLink::sleepingPause()
{
    return [](unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

KeyboardLink::Discovery KeyboardLink::hidapiDiscovery()
{
    return [](std::unique_ptr<HidDevice> &vendor, std::unique_ptr<HidDevice> &consumer) {
        HidDevice *v = nullptr;
        HidDevice *c = nullptr;
        findKeyboard(v, c);
        vendor.reset(v);
        consumer.reset(c);
        return v != nullptr;
    };
}

void KeyboardLink::setPauseFunction(PauseFunction pause)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pause = pause ? std::move(pause) : sleepingPause();
}

void KeyboardLink::setDiscovery(Discovery discovery, Presence presence)
{
    std::lock_guard<std::mutex> scanLock(m_scanMutex);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_discovery = std::move(discovery);
    m_presence = std::move(presence);
}

bool KeyboardLink::keyboardPresent()
{
    if (!ensureHidInitialised())
        return false;
    hid_device_info *list = hid_enumerate(kVendorId, kProductId);
    const bool found = list != nullptr;
    hid_free_enumeration(list);
    return found;
}

KeyboardLink::Presence KeyboardLink::hidapiPresence()
{
    return [](const QString &path) {
        if (!ensureHidInitialised())
            return true;
        bool found = false;
        hid_device_info *list = hid_enumerate(kVendorId, kProductId);
        for (hid_device_info *d = list; d && !found; d = d->next)
            found = QString::fromLocal8Bit(d->path) == path;
        hid_free_enumeration(list);
        return found;
    };
}

void KeyboardLink::checkPresence()
{
    std::lock_guard<std::mutex> scanLock(m_scanMutex);
    Presence presence;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        presence = m_presence;
    }
    QString path;
    {
        std::lock_guard<std::mutex> deviceLock(m_deviceMutex);
        if (!m_vendor || m_virtual)
            return;
        path = m_vendor->path();
    }
    if (presence && !presence(path))
        lose(QStringLiteral("unplugged"));
}

QString KeyboardLink::stateText(State state)
{
    switch (state) {
    case State::Connected:
        return context::KeyboardLink::tr("Keyboard connected");
    case State::Virtual:
        return context::KeyboardLink::tr("Virtual keyboard");
    case State::Absent:
        break;
    }
    return context::KeyboardLink::tr("No keyboard connected");
}

QString KeyboardLink::stateKey(State state)
{
    switch (state) {
    case State::Connected:
        return QStringLiteral("connected");
    case State::Virtual:
        return QStringLiteral("virtual");
    case State::Absent:
        break;
    }
    return QStringLiteral("absent");
}

void KeyboardLink::post(std::function<void()> call)
{
    // Signals are always delivered on the link's own thread, after the call
    // that caused them has returned, and never while a lock is held.
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

int KeyboardLink::slotsWritten(const Operation &op)
{
    if (op.quiet || op.droppable)
        return 0;
    int written = 0;
    for (const DeviceStep &step : op.steps) {
        const quint8 command = step.report[1];
        const int profile = step.report[2];
        if (command != CMD_SELECT_PROFILE && command != 0 && profile >= 1 && profile <= 5)
            written |= 1 << (profile - 1);
    }
    return written;
}

void KeyboardLink::report(const Operation &op, Outcome outcome, State reached)
{
    const quint64 id = op.id;
    const int profile = op.profile;
    const bool quiet = op.quiet;
    const int written = slotsWritten(op);
    post([this, id, outcome, profile, quiet, reached, written] {
        emit operationFinished(id, outcome, profile, quiet);
        emit operationReached(id, outcome, reached, written);
    });
}

void KeyboardLink::setState(State state)
{
    if (m_state.exchange(state) == state)
        return;
    post([this, state] { emit stateChanged(state); });
}

bool KeyboardLink::discover()
{
    std::lock_guard<std::mutex> scanLock(m_scanMutex);
    Discovery discovery;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_state.load() != State::Absent)
            return m_state.load() == State::Connected;
        discovery = m_discovery;
    }
    std::unique_ptr<HidDevice> vendor, consumer;
    if (!discovery || !discovery(vendor, consumer) || !vendor)
        return false;
    {
        std::lock_guard<std::mutex> deviceLock(m_deviceMutex);
        if (m_virtual)
            return false; // a virtual keyboard came first; the found one stays closed
        m_vendor = std::move(vendor);
        m_consumer = std::move(consumer);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    setState(State::Connected);
    return true;
}

void KeyboardLink::scan()
{
    if (discover()) {
        qInfo() << "keyboard plugged in";
        post([this] { emit keyboardArrived(); });
    }
}

void KeyboardLink::scanSoon()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_scanNow = true;
    }
    m_wake.notify_all();
}

void KeyboardLink::useVirtualDevice(HidDevice *device)
{
    {
        std::lock_guard<std::mutex> deviceLock(m_deviceMutex);
        m_vendor.reset();
        m_consumer.reset();
        m_virtual = device;
        ++m_generation;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nextScan = Clock::now();
    setState(device ? State::Virtual : State::Absent);
    m_wake.notify_all();
}

void KeyboardLink::keyboardRemoved(const QString &reason)
{
    {
        std::lock_guard<std::mutex> deviceLock(m_deviceMutex);
        if (m_virtual || !m_vendor)
            return;
    }
    lose(reason);
}

void KeyboardLink::lose(const QString &reason)
{
    {
        std::lock_guard<std::mutex> deviceLock(m_deviceMutex);
        if (m_virtual)
            return;
        m_vendor.reset();
        m_consumer.reset();
        ++m_generation;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    qInfo().noquote() << "keyboard gone (" + reason + "): handles closed,"
                      << m_queue.size() + m_others.size() << "queued operations dropped";
    for (const Operation &op : m_queue)
        report(op, Outcome::Dropped);
    m_queue.clear();
    for (const Operation &op : m_others)
        report(op, Outcome::Dropped);
    m_others.clear();
    // A keyboard that refuses reports but still enumerates is tried again only
    // after a full interval, not in a tight loop.
    m_nextScan = Clock::now() + std::chrono::milliseconds(kScanIntervalMs);
    setState(State::Absent);
    m_wake.notify_all();
}

bool KeyboardLink::supersedes(const Operation &newer, const Operation &waiting)
{
    using Purpose = DeviceOperation::Purpose;
    if (!waiting.droppable || waiting.purpose == Purpose::Other)
        return false;
    // The keyboard shows the newer profile with its own lighting, whatever
    // was switched or painted before.
    if (newer.purpose == Purpose::ProfileSwitch)
        return true;
    if (waiting.purpose != Purpose::Colour)
        return false;
    if (newer.purpose == Purpose::Colour)
        return true;
    if (newer.droppable)
        return false;
    for (const DeviceStep &step : newer.steps)
        if (step.report[1] == CMD_LIGHT_MODE && step.report[2] == waiting.profile)
            return true; // the user's lighting of the profile the colour paints
    return false;
}

quint64 KeyboardLink::enqueue(DeviceOperation queued, Origin origin)
{
    Operation operation;
    static_cast<DeviceOperation &>(operation) = std::move(queued);
    operation.droppable = origin == Origin::OtherProgram;
    std::lock_guard<std::mutex> lock(m_mutex);
    operation.id = m_nextId++;
    if (m_stopping) {
        report(operation, Outcome::Dropped);
        return operation.id;
    }
    if (m_state.load() == State::Absent) {
        report(operation, Outcome::NotConnected);
        return operation.id;
    }
    if (operation.tickSeries != 0) {
        // A tick that waits behind a long operation is out of date when the next
        // one comes: the newer one takes its place, so ticks never pile up.
        for (auto *lane : {&m_queue, &m_others})
            for (Operation &waiting : *lane)
                if (waiting.tickSeries == operation.tickSeries) {
                    report(waiting, Outcome::Withdrawn);
                    waiting = std::move(operation);
                    return waiting.id;
                }
    }
    for (auto it = m_others.begin(); it != m_others.end();) {
        if (!supersedes(operation, *it)) {
            ++it;
            continue;
        }
        report(*it, Outcome::Withdrawn);
        it = m_others.erase(it);
    }
    std::deque<Operation> &lane = operation.droppable ? m_others : m_queue;
    if (operation.droppable && int(m_others.size()) >= kQueueLimit) {
        qWarning() << "keyboard queue full:" << m_others.size()
                   << "operations of other programs waiting; a control socket command was dropped";
        report(operation, Outcome::Overflow);
        return operation.id;
    }
    lane.push_back(std::move(operation));
    m_wake.notify_all();
    return lane.back().id;
}

int KeyboardLink::withdrawTicks(int series)
{
    if (series == 0)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    int withdrawn = 0;
    for (auto *lane : {&m_queue, &m_others})
        for (auto it = lane->begin(); it != lane->end();) {
            if (it->tickSeries != series) {
                ++it;
                continue;
            }
            report(*it, Outcome::Withdrawn);
            it = lane->erase(it);
            ++withdrawn;
        }
    return withdrawn;
}

void KeyboardLink::dropOthers(const char *why)
{
    if (!m_others.empty())
        qInfo() << "keyboard link:" << m_others.size() << "operations of other programs dropped"
                << why;
    for (const Operation &op : m_others)
        report(op, Outcome::Dropped);
    m_others.clear();
}

KeyboardLink::Leftover KeyboardLink::finish(int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Leftover left;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_worker.joinable())
            return left;
        dropOthers("at the end");
        while ((!m_queue.empty() || m_busy) && Clock::now() < deadline) {
            dropOthers("at the end"); // the operation under way may have queued more
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            lock.lock();
        }
        for (const Operation &op : m_queue) {
            ++left.operations;
            left.profiles |= slotsWritten(op);
        }
        if (m_busy && m_busyIsUsers) {
            ++left.operations;
            left.profiles |= m_busyWrites;
        }
        if (left.operations != 0)
            qWarning() << "keyboard link closing:" << left.operations
                       << "of the user's operations not sent";
        m_queue.clear();
        m_others.clear();
        m_stopping = true;
    }
    m_wake.notify_all();
    m_worker.join();
    return left;
}

int KeyboardLink::pending() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_queue.size() + m_others.size()) + (m_busy ? 1 : 0);
}

bool KeyboardLink::waitForIdle(int timeoutMs) const
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!isIdle()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

KeyboardLink::Outcome KeyboardLink::sendOperation(const Operation &op, const PauseFunction &pause,
                                                  State *reached)
{
    const quint64 generation = m_generation.load();
    for (const Step &step : op.steps) {
        bool sent = false;
        bool isVirtual = false;
        {
            std::lock_guard<std::mutex> deviceLock(m_deviceMutex);
            if (m_generation.load() != generation)
                return Outcome::Dropped; // unplugged while the operation ran
            HidDevice *device = m_virtual ? m_virtual : m_vendor.get();
            if (!device)
                return Outcome::Dropped;
            isVirtual = m_virtual != nullptr;
            sent = device->sendFeatureReport(step.report.data(), step.report.size());
        }
        *reached = isVirtual ? State::Virtual : State::Connected;
        if (!sent)
            return isVirtual ? Outcome::Failed : Outcome::Lost;
        pause(step.pauseMs);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping)
            return Outcome::Dropped;
    }
    return Outcome::Sent;
}

void KeyboardLink::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        if (m_queue.empty() && m_others.empty()) {
            const State state = m_state.load();
            const bool scanning = state == State::Absent && m_discovery;
            const bool checking = state == State::Connected && m_presence;
            if (!scanning && !checking) {
                m_wake.wait(lock);
                continue;
            }
            if (!m_scanNow && Clock::now() < m_nextScan) {
                m_wake.wait_until(lock, m_nextScan);
                continue;
            }
            m_scanNow = false;
            m_nextScan = Clock::now() + std::chrono::milliseconds(kScanIntervalMs);
            lock.unlock();
            if (scanning)
                scan();
            else
                checkPresence();
            lock.lock();
            continue;
        }
        std::deque<Operation> &lane = m_queue.empty() ? m_others : m_queue;
        Operation op = std::move(lane.front());
        lane.pop_front();
        m_busy = true;
        m_busyWrites = slotsWritten(op);
        m_busyIsUsers = !op.droppable;
        const PauseFunction pause = m_pause;
        lock.unlock();
        State reached = State::Absent;
        const Outcome outcome = sendOperation(op, pause, &reached);
        if (outcome == Outcome::Lost) {
            // Reported before what waits behind it, so outcomes keep queue order.
            report(op, Outcome::Failed);
            lose(QStringLiteral("a report was refused"));
            lock.lock();
            m_busy = false;
            continue;
        }
        lock.lock();
        m_busy = false;
        report(op, outcome, outcome == Outcome::Sent ? reached : State::Absent);
    }
}

} // namespace orvanta
