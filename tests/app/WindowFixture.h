#pragma once
// A main window in a fresh data directory seeded from the installed data tree,
// talking through its own keyboard link (reports on the link's worker thread,
// as in the console) to a keyboard in memory, with the link's pauses recorded
// instead of slept, and recording desktop services. The keyboard is either
// attached from the start or plugged in and out by the test.

#include "TestSupport.h"
#include "core/controller/ConsoleController.h"
#include "core/device/KeyboardLink.h"
#include "core/device/SlotSync.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/keys/KeyTable.h"
#include "core/lighting/LightingTypes.h"
#include "core/virtual/ReportDecoder.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/lighting/LightingPage.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QMutex>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

namespace orvanta::test
{

// What reached the keyboard: each report, and the pause asked for after it.
struct MemoryKeyboard {
    QMutex mutex;
    bool plugged = false;
    QVector<QByteArray> reports;
    QVector<unsigned> pauses;
    // Called on the link's thread after each pause (the test may unplug there).
    std::function<void()> afterPause;

    QVector<QByteArray> take()
    {
        QMutexLocker lock(&mutex);
        pauses.clear();
        return std::exchange(reports, {});
    }
};

// The keyboard's interface as the link opens it.
class MemoryPort : public HidDevice
{
public:
    explicit MemoryPort(MemoryKeyboard &k) : m_k(k) {}
    bool sendFeatureReport(const quint8 *data, std::size_t length) override
    {
        QMutexLocker lock(&m_k.mutex);
        if (!m_k.plugged)
            return false;
        m_k.reports << QByteArray(reinterpret_cast<const char *>(data), int(length));
        return true;
    }
    QString path() const override { return QStringLiteral("memory"); }

private:
    MemoryKeyboard &m_k;
};

enum class Plug { Attached, ByTest };

struct WindowFixture {
    TempWorkDir wd;
    MemoryKeyboard keyboard;
    MemoryPort port{keyboard};
    RecordingDesktop desktop;
    std::unique_ptr<MainWindow> w;
    const Plug plugging;

    // `seed` runs in the data directory before the window starts.
    explicit WindowFixture(Plug plug = Plug::Attached, const std::function<void()> &seed = {})
        : plugging(plug)
    {
        wd.seedFromDataTree();
        if (seed)
            seed();
        ConsoleOptions options;
        options.checkForUpdates = false;
        options.port = 0; // any free port for the console's socket
        if (plug == Plug::ByTest)
            options.keyboard = KeyboardChoice::Usb;
        w = std::make_unique<MainWindow>(options);
        ctx().desktop = &desktop;
        (void)settled(); // the start-up report went out first
        link()->setPauseFunction([this](unsigned ms) {
            std::function<void()> after;
            {
                QMutexLocker lock(&keyboard.mutex);
                keyboard.pauses << ms;
                after = keyboard.afterPause;
            }
            if (after)
                after();
        });
        link()->setDiscovery(
            [this](std::unique_ptr<HidDevice> &vendor, std::unique_ptr<HidDevice> &consumer) {
                QMutexLocker lock(&keyboard.mutex);
                if (plugging == Plug::Attached || !keyboard.plugged)
                    return false;
                vendor = std::make_unique<MemoryPort>(keyboard);
                consumer.reset();
                return true;
            });
        if (plug == Plug::Attached) {
            keyboard.plugged = true;
            link()->useVirtualDevice(&port);
            clear();
        } else {
            w->show(); // the key capture works in a shown window only
        }
    }
    ~WindowFixture()
    {
        if (!w)
            return; // the test ended the window itself
        (void)settled();
        if (plugging == Plug::Attached)
            link()->useVirtualDevice(nullptr);
        w.reset();
    }
    ConsoleContext &ctx() { return w->context(); }
    KeyboardLink *link() { return w->keyboardLink(); }
    SlotSync *sync() { return ctx().slotSync; }
    CustomizePanel &panel() { return *w->customize(); }
    ProfileMenu &menu() { return *w->profileMenu(); }
    LightingPage &lighting() { return *ctx().lighting; }

    // Everything queued went out and its outcome was handled (the link posts
    // the outcome before it counts as idle).
    bool settled()
    {
        return QTest::qWaitFor(
            [this] {
                if (!link()->isIdle())
                    return false;
                QCoreApplication::processEvents();
                return link()->isIdle() && !sync()->isUpdating();
            },
            30000);
    }
    // The reports the keyboard has, and the pauses after them, once sent.
    QVector<QByteArray> sent()
    {
        (void)settled();
        QMutexLocker lock(&keyboard.mutex);
        return keyboard.reports;
    }
    QVector<unsigned> paused()
    {
        (void)settled();
        QMutexLocker lock(&keyboard.mutex);
        return keyboard.pauses;
    }
    void clear() { (void)settled(), keyboard.take(); }

    bool plug()
    {
        {
            QMutexLocker lock(&keyboard.mutex);
            keyboard.plugged = true;
        }
        QSignalSpy arrived(link(), &KeyboardLink::keyboardArrived);
        link()->scanSoon();
        return arrived.wait(10000) && settled();
    }
    // Called on any thread: the interfaces go away as udev reports it.
    void unplug()
    {
        {
            QMutexLocker lock(&keyboard.mutex);
            keyboard.plugged = false;
        }
        link()->keyboardRemoved(QStringLiteral("unplugged"));
    }

    // Shown and active, as the key events of the tests need it.
    void showActive()
    {
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void activate(int slot) { w->profileButtons()[size_t(slot - 1)]->released(); }
    // Clicks the key and chooses Default, Macro Key or Single Key for it.
    void select(int cell, int kind)
    {
        QTest::mousePress(w.get(), Qt::LeftButton, {}, centreOf(cell));
        panel().widgets().keyAssignCombo->setCurrentIndex(kind);
    }
    // The key now types the key pressed on the computer's keyboard.
    void assignSingle(int cell, Qt::Key key)
    {
        select(cell, 2);
        w->setFocus(); // keys are taken while the window itself has the focus
        QTest::keyClick(w.get(), key);
        panel().applyKeyAssignment();
    }

    static QPoint centreOf(int cell)
    {
        const KeyRange &r = KEY_TABLE[cell].hit;
        return {(r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2};
    }
};

// What a keyboard keeps that received `log`.
inline VirtualKeyboardState decode(const QVector<QByteArray> &log, VirtualKeyboardState state = {})
{
    for (const QByteArray &r : log)
        applyReport(state, reinterpret_cast<const quint8 *>(r.constData()), size_t(r.size()));
    return state;
}

inline QByteArray selectReport(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

// The key-map report for `profile`: the factory map with entry `position` changed.
inline QByteArray keyMapReport(int profile, int position = -1, quint8 code = 0)
{
    QByteArray r = toBytes(reportOf({{0, 7}, {1, 3}, {2, profile}}));
    for (int i = 0; i < 256; ++i)
        r[8 + i] = char(DEFAULT_KEY_MAP[size_t(i)]);
    if (position >= 0)
        r[8 + position] = char(code);
    return r;
}

// Checks that `log` from `at` on holds slot `slot`'s whole state: its lighting
// of `effect` (each report addressed to the slot, 100 ms after each), then the
// key-map write (300 ms after each) carrying `keyMap`. Returns the next index.
inline int expectSlot(const QVector<QByteArray> &log, const QVector<unsigned> &pauses, int at,
                      int slot, int effect, const QByteArray &keyMap)
{
    // The command bytes of a stored set as the keyboard receives it, by effect:
    // static, reactive, arrow, wave, ripple.
    static const QVector<int> commands[] = {{0x02, 0x09, 0x09, 0x09, 0x02},
                                            {0x02, 0x0A, 0x0A, 0x0A, 0x02},
                                            {0x02, 0x0C, 0x0C, 0x0D, 0x02},
                                            {0x02, 0x0D, 0x02},
                                            {0x02, 0x0A, 0x0A, 0x0A, 0x0C, 0x0C, 0x0D, 0x02}};
    for (int command : commands[effect]) {
        if (at >= log.size() || quint8(log[at][0]) != 7 || quint8(log[at][1]) != command ||
            quint8(log[at][2]) != slot || pauses.value(at) != 100) {
            qWarning() << "lighting report" << at << log.value(at).left(4).toHex();
            return -1;
        }
        ++at;
    }
    for (const QByteArray &r : {selectReport(slot), keyMap, QByteArray(264, '\0')}) {
        if (log.value(at) != r || pauses.value(at) != 300) {
            qWarning() << "key-map write report" << at << log.value(at).left(4).toHex();
            return -1;
        }
        ++at;
    }
    return at;
}

} // namespace orvanta::test
