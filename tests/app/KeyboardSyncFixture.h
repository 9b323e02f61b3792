#pragma once
// A main window in a fresh data directory whose keyboard link finds a keyboard
// in memory that the test plugs in and out. Reports go through the link's
// worker thread as in the console; the pauses are recorded, not slept.

#include "TestSupport.h"
#include "core/controller/ConsoleController.h"
#include "core/device/KeyboardLink.h"
#include "core/device/SlotSync.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/keys/KeyTable.h"
#include "core/lighting/LightingTypes.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/lighting/LightingPage.h"
#include "ui/shell/MainWindow.h"

#include <QComboBox>
#include <QMutex>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

namespace orvanta::test
{

// What reached the keyboard: each report with the pause asked for after it.
struct PlugKeyboard {
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
    QVector<QByteArray> seen()
    {
        QMutexLocker lock(&mutex);
        return reports;
    }
};

class PlugDevice : public HidDevice
{
public:
    explicit PlugDevice(PlugKeyboard &k) : m_k(k) {}
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
    PlugKeyboard &m_k;
};

struct KeyboardSyncFixture {
    TempWorkDir wd;
    PlugKeyboard keyboard;
    RecordingDesktop desktop;
    std::unique_ptr<MainWindow> w;

    KeyboardSyncFixture()
    {
        wd.seedFromDataTree();
        ConsoleOptions options;
        options.checkForUpdates = false;
        options.port = 0;
        options.keyboard = KeyboardChoice::Usb;
        w = std::make_unique<MainWindow>(options);
        ctx().desktop = &desktop;
        w->show(); // the key capture works in a shown window only
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
                if (!keyboard.plugged)
                    return false;
                vendor = std::make_unique<PlugDevice>(keyboard);
                consumer.reset();
                return true;
            });
    }
    ConsoleContext &ctx() { return w->context(); }
    KeyboardLink *link() { return w->keyboardLink(); }
    SlotSync *sync() { return ctx().slotSync; }

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
            10000);
    }
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

    void activate(int slot) { w->profileButtons[size_t(slot - 1)]->released(); }
    // APPLY on the LIGHTING page with the Wave effect, for the active slot.
    void applyWave()
    {
        auto *effect = ctx().lighting->findChild<QComboBox *>(QStringLiteral("effect_combo"));
        effect->setCurrentIndex(EffectWave);
        ctx().lighting->applyClicked();
    }
    // The key that types `usage` by default now types the key pressed.
    void assignSingle(quint8 usage, Qt::Key key)
    {
        const int cell = cellOfUsage(usage);
        const KeyRange &r = KEY_TABLE[cell].hit;
        QTest::mousePress(w.get(), Qt::LeftButton, {}, {(r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2});
        w->customize()->widgets().keyAssignCombo->setCurrentIndex(2);
        w->setFocus(); // keys are taken while the window itself has the focus
        QTest::keyClick(w.get(), key);
        w->customize()->applyKeyAssignment();
    }
};

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

// Command bytes of a stored lighting set as the keyboard receives it, by type:
// static, reactive, arrow, wave, ripple.
inline QVector<int> lightingCommands(int type)
{
    switch (type) {
    case 0:
        return {0x02, 0x09, 0x09, 0x09, 0x02};
    case 1:
        return {0x02, 0x0A, 0x0A, 0x0A, 0x02};
    case 2:
        return {0x02, 0x0C, 0x0C, 0x0D, 0x02};
    case 3:
        return {0x02, 0x0D, 0x02};
    case 4:
        return {0x02, 0x0A, 0x0A, 0x0A, 0x0C, 0x0C, 0x0D, 0x02};
    }
    return {};
}

inline int storedLightingType(const QString &profile)
{
    const QString file = QStringLiteral("lightfile/%1/cmd/light_cmd.ini").arg(profile);
    if (!QFileInfo::exists(file))
        return -1;
    return QSettings(file, QSettings::IniFormat).value("Setting/type").toInt();
}

// Checks that `log` from `at` on holds slot `slot`'s whole state: its lighting
// (commands of `type`, each addressed to the slot, 100 ms after each), then the
// key-map write (300 ms after each) carrying `keyMap`. Returns the next index.
inline int expectSlot(const QVector<QByteArray> &log, const QVector<unsigned> &pauses, int at,
                      int slot, int type, const QByteArray &keyMap)
{
    for (int command : lightingCommands(type)) {
        if (at >= log.size())
            return -1;
        if (quint8(log[at][0]) != 7 || quint8(log[at][1]) != command ||
            quint8(log[at][2]) != slot || pauses.value(at) != 100) {
            qWarning() << "lighting report" << at << log[at].left(4).toHex();
            return -1;
        }
        ++at;
    }
    const QVector<QByteArray> write{selectReport(slot), keyMap, QByteArray(264, '\0')};
    for (const QByteArray &r : write) {
        if (log.value(at) != r || pauses.value(at) != 300) {
            qWarning() << "key-map write report" << at << log.value(at).left(4).toHex();
            return -1;
        }
        ++at;
    }
    return at;
}

inline QString marks(const QString &usb, const QString &virt)
{
    QString text = "[usb]\n";
    for (int n = 1; n <= 5; ++n)
        text += QString("%1=%2\n").arg(n).arg(usb.contains(QString::number(n)) ? 1 : 0);
    text += "\n[virtual]\n";
    for (int n = 1; n <= 5; ++n)
        text += QString("%1=%2\n").arg(n).arg(virt.contains(QString::number(n)) ? 1 : 0);
    return text;
}

} // namespace orvanta::test
