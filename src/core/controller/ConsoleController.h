#pragma once
// What the console knows and does, without a widget: the saved profile each
// on-board profile shows and the active one, the key map of the active
// profile, the key assignments of the profile shown with its instant-shift
// targets, the light pulse of other programs, and the use cases that change
// them. Each use case queues whole keyboard operations and saves typed
// files; failures go to the notices. Pages and the control socket are
// adapters: they call these methods and follow the signals. The controller
// lives as long as the window's context; a language switch rebuilds pages,
// never this.

#include "core/app/Notices.h"
#include "core/assign/AssignmentTable.h"
#include "core/assign/InstantShift.h"
#include "core/controller/KeyAssignmentEditor.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/macro/MacroLibrary.h"
#include "core/profiles/ProfileBindings.h"
#include "core/profiles/ProfileLibrary.h"
#include "core/socket/SocketCommand.h"

#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVector>
#include <functional>
#include <memory>
#include <utility>

namespace orvanta
{

class FactoryResetFiles;
class SlotSync;
class LightingModel;

class ConsoleController : public QObject
{
    Q_OBJECT
public:
    // The pulse's interval: another program's light value every 500 ms.
    static constexpr int kPulseIntervalMs = 500;

    // Operations go to `queue` (the keyboard link; null queues nothing).
    explicit ConsoleController(CommandQueue *queue, QObject *parent = nullptr);
    ~ConsoleController() override;

    CommandSender &sender() { return m_sender; }
    Notices &notices() { return m_notices; }
    // New, Copy, Delete, rename, Import and Export of the saved profiles.
    ProfileLibrary &profiles() { return m_profiles; }
    // The macro collection's use cases (MACROS), and CUSTOMIZE's on one key.
    macro::MacroLibrary &macros() { return m_macros; }
    KeyAssignmentEditor &keyAssignmentEditor() { return m_keyAssignmentEditor; }

    // While this says no (a macro is being recorded), the use cases that
    // switch or reset the keyboard do nothing.
    void setActionsAllowed(std::function<bool()> allowed) { m_allowed = std::move(allowed); }
    bool actionsAllowed() const { return !m_allowed || m_allowed(); }

    // --- state ------------------------------------------------------------------
    ProfileBindings &bindings() { return m_bindings; }
    const ProfileBindings &bindings() const { return m_bindings; }
    int activeSlot() const { return m_bindings.active; }
    KeyMap &keyMap() { return m_keyMap; }
    AssignmentTable &assignments() { return m_assignments; }
    const AssignmentTable &assignments() const { return m_assignments; }
    // shiftTargets()[m][p]: modifier m (0 SHIFT, 1 CTRL, 2 ALT) in on-board profile p.
    ShiftTargets &shiftTargets() { return m_shiftTargets; }
    // What LIGHTING edits (read from the stored records at the first use); the
    // page built anew after a language switch shows it as the user left it.
    LightingModel &lighting();
    bool isPulsing() const { return m_pulse->isActive(); }
    quint8 pulseValue() const { return m_pulseValue; }

    // --- use cases -----------------------------------------------------------------
    // Switches the keyboard to on-board profile n and shows it; returns the
    // operation's id. While a factory reset's files are being saved it
    // follows them (0 is returned then, and when refused).
    quint64 activateSlot(int n, Origin origin = Origin::User);
    // The factory reset: every on-board profile's factory lighting (profile 1
    // keeps the given Static sub-mode), key map and mode, then profile 1; the
    // key map, assignments and instant shift go back to the factory ones and
    // their files are saved away from the window's thread. Returns the ids of
    // its operations, in order: the lighting, the five profiles, the select.
    // Empty when refused (actions not allowed, or a reset still saving).
    QVector<quint64> factoryReset(int staticMode, int staticModeSpeed);
    bool factoryResetSaving() const;
    // The saves of the factory reset that failed, once (then forgotten).
    SaveResult takeFactoryResetFailures() { return std::exchange(m_resetFailures, {}); }
    // APPLY on LIGHTING: the effect `lighting` shows goes to on-board profile
    // `slot` and is stored with the saved profile `profile`, its records and
    // per-key colours too.
    void applyLighting(LightingModel &lighting, int slot, const QString &profile);
    // LED RESET: on-board profile n's factory lighting, sent to n and stored
    // with the saved profile `profile`.
    void resetLighting(const LightingModel &lighting, int n, const QString &profile);
    // SINGLE RESET: every single-key assignment of the saved profile `profile`,
    // shown in the active slot, sends its own code again; the key map and the
    // profile's macro commands go to the keyboard, the assignments to its files.
    // Returns the keys reset.
    QVector<int> resetSingleKeys(const QString &profile);
    // MACRO RESET: every macro key of `profile` sends its own code again; its
    // macro commands are emptied and the key map goes to the keyboard.
    QVector<int> resetMacroKeys(const QString &profile);
    // INSTANT SHIFT: modifier m (0 SHIFT, 1 CTRL, 2 ALT) of the active slot
    // switches to on-board profile `target` while held, or sends its own code
    // again (target 0); the key map goes to the keyboard with the macro
    // commands of `profile`, and the files follow.
    void setInstantShift(int modifier, int target, const QString &profile);
    // The instant-shift targets of every slot (system/iss_flag.ini).
    void saveInstantShift();
    // The key map and the assignments of the active slot saved with `profile`.
    void saveKeyAssignments(const QString &profile);
    // Binds the saved profile `name` to the active slot (saved) and sends its
    // stored lighting there; an incomplete stored set is not sent (replaying
    // zeros would blank the keyboard).
    void chooseSavedProfile(const QString &name);
    // Another program's light pulse: started when idle, its value taken in
    // every case (so a new value never delays the next tick).
    void startPulse(quint8 value);
    void stopPulse();
    // The end of the session: the pulse stops, and the keyboard gets what the
    // user queued within `drainMs` (other programs' leftovers are dropped).
    // Slots whose operations did not go out are marked out of date in `sync`
    // for the next start. Returns how many of the user's operations were left.
    int finishKeyboard(KeyboardLink &link, SlotSync &sync, int drainMs);
    // Another program paints the whole keyboard: sent only, never stored.
    quint64 paintColour(quint8 red, quint8 green, quint8 blue);
    // A command of the control socket. socketCommandDone(ticket, ...) follows
    // once it is carried out or not.
    void runSocketCommand(const SocketAction &command, quint64 ticket = 0);
    // What became of a queued operation (the keyboard link's outcome).
    void operationFinished(quint64 id, orvanta::KeyboardLink::Outcome outcome);

signals:
    void activeSlotChanged(int slot);
    // The factory reset cleared the key map, the assignments and instant shift.
    void keyAssignmentsReset();
    // The factory reset's files are on disk (or failed, told as notices).
    void factoryResetSaved();
    // A control socket command was carried out (empty `failure`) or not (why).
    void socketCommandDone(quint64 ticket, QString failure);

private:
    void pulseTick();
    // The socket command `ticket` ends with the outcome of operation `id`.
    void followSocketCommand(quint64 id, quint64 ticket);

    CommandSender m_sender;
    Notices m_notices;
    std::function<bool()> m_allowed;
    ProfileBindings m_bindings;
    KeyMap m_keyMap = DEFAULT_KEY_MAP;
    AssignmentTable m_assignments;
    ShiftTargets m_shiftTargets{};
    QTimer *m_pulse; // child "pulse"
    quint8 m_pulseValue = 0;
    QHash<quint64, quint64> m_socketCommands;  // operation id -> socket command ticket
    FactoryResetFiles *m_resetFiles = nullptr; // made at the first factory reset
    SaveResult m_resetFailures;                // told together once the reset is over
    std::unique_ptr<LightingModel> m_lighting;
    ProfileLibrary m_profiles{m_bindings, m_notices, [this] { return actionsAllowed(); }};
    macro::MacroLibrary m_macros{m_notices};
    KeyAssignmentEditor m_keyAssignmentEditor{*this};
};

} // namespace orvanta
