#include "ConsoleController.h"

#include "core/app/TranslationContexts.h"
#include "core/assign/KeyAssignment.h"
#include "core/device/DeviceCommands.h"
#include "core/device/SlotSync.h"
#include "core/keys/KeyTable.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/LightingModel.h"
#include "core/profiles/FactoryResetFiles.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/StoredList.h"

#include <QCoreApplication>
#include <QDebug>

namespace orvanta
{

ConsoleController::ConsoleController(CommandQueue *queue, QObject *parent)
    : QObject(parent), m_sender(queue), m_pulse(new QTimer(this))
{
    m_pulse->setObjectName(QStringLiteral("pulse"));
    m_pulse->setInterval(kPulseIntervalMs);
    connect(m_pulse, &QTimer::timeout, this, &ConsoleController::pulseTick);
}

ConsoleController::~ConsoleController() = default;

quint64 ConsoleController::activateSlot(int n, Origin origin)
{
    if (n < 1 || n > 5 || !actionsAllowed())
        return 0;
    if (factoryResetSaving()) {
        // The pages wait for the factory reset's files, and so does a profile
        // chosen meanwhile: it follows the reset, as the keyboard sees it.
        m_resetFiles->whenSaved([this, n, origin] { activateSlot(n, origin); });
        return 0;
    }
    const quint64 id = m_sender.send(commands::selectProfile(n), origin);
    m_bindings.active = n;
    emit activeSlotChanged(n);
    return id;
}

LightingModel &ConsoleController::lighting()
{
    if (!m_lighting)
        m_lighting = std::make_unique<LightingModel>();
    return *m_lighting;
}

bool ConsoleController::factoryResetSaving() const
{
    return m_resetFiles && m_resetFiles->isSaving();
}

QVector<quint64> ConsoleController::factoryReset(int staticMode, int staticModeSpeed)
{
    QVector<quint64> ids;
    if (!actionsAllowed() || factoryResetSaving())
        return ids;
    // Each slot gets its factory lighting, stored with the profile linked to it.
    FactoryResetFiles::Contents files;
    for (int n = 1; n <= 5; ++n)
        files.profiles << m_bindings.linked(n);
    files.staticMode = staticMode;
    files.staticModeSpeed = staticModeSpeed;
    FactoryResetFiles::sendLighting(m_sender, files);
    ids << m_sender.lastOperation();

    for (int i = 0; i < kKeySlots; ++i)
        m_assignments[i].kind = KeyKind::Default;
    m_keyMap = DEFAULT_KEY_MAP;
    for (int n = 1; n <= 5; ++n)
        ids << m_sender.send(commands::resetProfileToDefault(n));
    for (auto &modifier : m_shiftTargets)
        modifier.fill(0);
    emit keyAssignmentsReset();

    // The keyboard's part is queued whole at once; the files are saved by a
    // worker thread, and profile 1 is shown once they are on disk.
    ids << m_sender.send(commands::selectProfile(1));
    files.keyMap = m_keyMap;
    files.assignments = m_assignments;
    if (!m_resetFiles) {
        m_resetFiles = new FactoryResetFiles(this);
        // Failures are told together, once the reset is over (see the window).
        connect(m_resetFiles, &FactoryResetFiles::finished, this,
                [this](const SaveResult &saved) { m_resetFailures += saved; });
    }
    m_resetFiles->start(files);
    m_resetFiles->whenSaved([this] {
        m_bindings.active = 1;
        emit activeSlotChanged(1);
        emit factoryResetSaved();
    });
    return ids;
}

void ConsoleController::applyLighting(LightingModel &lighting, int slot, const QString &profile)
{
    (void)m_notices.report(lighting.apply(qBound(1, slot, 5), profile, &m_sender));
}

void ConsoleController::resetLighting(const LightingModel &lighting, int n, const QString &profile)
{
    (void)m_notices.report(lighting.resetProfile(n, profile, &m_sender));
}

QVector<int> ConsoleController::resetSingleKeys(const QString &profile)
{
    // Every key is visited, the keypad's "." (the last cell) included.
    QVector<int> reset;
    for (int k = 0; k < kKeyCount; ++k) {
        if (m_assignments[k].kind != KeyKind::Single)
            continue;
        m_assignments[k].kind = KeyKind::Default;
        resetKeyCode(m_keyMap, KEY_TABLE[k].usage);
        reset << k;
    }
    const int count = MacroReportsFile::count(profile);
    m_sender.send(commands::writeKeyMapAndMacros(
        m_bindings.active, m_keyMap, parseReports(MacroReportsFile::commands(profile)), count));
    saveKeyAssignments(profile);
    return reset;
}

QVector<int> ConsoleController::resetMacroKeys(const QString &profile)
{
    QVector<int> reset;
    for (int k = 0; k < kKeyCount; ++k) {
        if (m_assignments[k].kind != KeyKind::Macro)
            continue;
        m_assignments[k].kind = KeyKind::Default;
        resetKeyCode(m_keyMap, KEY_TABLE[k].usage);
        reset << k;
    }
    (void)m_notices.report(MacroReportsFile::create(m_bindings.activeLinked()));
    saveKeyAssignments(profile);
    m_sender.send(commands::writeKeyMap(m_bindings.active, m_keyMap));
    return reset;
}

void ConsoleController::setInstantShift(int modifier, int target, const QString &profile)
{
    if (modifier < 0 || modifier > 2 || target < 0 || target > 5)
        return;
    const int n = m_bindings.active;
    const quint8 code = kModifierCodes[modifier];
    m_shiftTargets[modifier][n] = target;
    setKeyCode(m_keyMap, code, target ? profileShiftCode(target) : code);
    const int count = MacroReportsFile::count(profile);
    m_sender.send(commands::writeKeyMapAndMacros(
        n, m_keyMap, parseReports(MacroReportsFile::commands(profile)), count));
    (void)m_notices.report(KeyMapFile::write(profile, m_assignments.signalFileTexts(m_keyMap)));
    saveInstantShift();
}

void ConsoleController::saveInstantShift()
{
    (void)m_notices.report(writeShiftTargets(m_shiftTargets));
}

void ConsoleController::saveKeyAssignments(const QString &profile)
{
    (void)m_notices.report(AssignmentFile::write(profile, m_assignments.macroFileTexts()));
    (void)m_notices.report(KeyMapFile::write(profile, m_assignments.signalFileTexts(m_keyMap)));
}

void ConsoleController::chooseSavedProfile(const QString &name)
{
    qDebug() << "set_profile_light_cmd()";
    const StoredLighting stored = readStoredLighting(name);
    if (stored.complete)
        m_sender.send(lightingOperation(stored.set, quint8(m_bindings.active)));
    else
        m_notices.refuse(context::Shell::tr(
                             "%1 has no complete stored lighting: the keyboard keeps its lighting")
                             .arg(name));
    m_bindings.names[m_bindings.active - 1] = name;
    (void)m_notices.report(m_bindings.save());
}

void ConsoleController::startPulse(quint8 value)
{
    if (!m_pulse->isActive())
        m_pulse->start();
    m_pulseValue = value;
}

void ConsoleController::stopPulse()
{
    m_pulse->stop();
    // A tick still waiting behind other operations would light the keyboard
    // after the stop; one already being sent finishes.
    m_sender.withdrawTicks(kLightPulseTicks);
}

int ConsoleController::finishKeyboard(KeyboardLink &link, SlotSync &sync, int drainMs)
{
    stopPulse();
    const KeyboardLink::Leftover left = link.finish(drainMs);
    // The outcomes of what went out meanwhile still reach the record of each
    // keyboard's state, and the socket clients.
    QCoreApplication::sendPostedEvents(&link, QEvent::MetaCall);
    if (left.operations == 0)
        return 0;
    for (int n = 1; n <= 5; ++n)
        if (left.profiles & (1 << (n - 1)))
            sync.markChanged(n);
    sync.writeMarks();
    return left.operations;
}

void ConsoleController::pulseTick()
{
    m_sender.send(commands::lightPulse(m_pulseValue), Origin::OtherProgram);
}

quint64 ConsoleController::paintColour(quint8 red, quint8 green, quint8 blue)
{
    qDebug() << "rgb" << red << green << blue;
    // Sent only: the profile's stored lighting returns at its next activation.
    // The profile shown as active is the one the keyboard is on when the
    // colour's turn comes: switches queued before it go first, and a newer
    // switch withdraws it.
    return m_sender.send(staticColourOperation(red, green, blue, quint8(m_bindings.active)),
                         Origin::OtherProgram);
}

void ConsoleController::runSocketCommand(const SocketAction &command, quint64 ticket)
{
    // What other programs ask for waits behind the user's own operations; of
    // it, only the latest profile switch and colour wait (see KeyboardLink).
    switch (command.kind) {
    case SocketAction::SwitchProfile:
        if (!actionsAllowed()) {
            emit socketCommandDone(ticket, QStringLiteral("refused while a macro is recorded"));
        } else if (factoryResetSaving()) {
            m_resetFiles->whenSaved([this, command, ticket] { runSocketCommand(command, ticket); });
        } else {
            followSocketCommand(activateSlot(command.profile, Origin::OtherProgram), ticket);
        }
        break;
    case SocketAction::PaintColour:
        followSocketCommand(paintColour(command.red, command.green, command.blue), ticket);
        break;
    case SocketAction::PulseStart:
        startPulse(command.pulseValue);
        emit socketCommandDone(ticket, QString());
        break;
    case SocketAction::PulseStop:
        stopPulse();
        emit socketCommandDone(ticket, QString());
        break;
    case SocketAction::None:
        emit socketCommandDone(ticket, QStringLiteral("not a command"));
        break;
    }
}

void ConsoleController::followSocketCommand(quint64 id, quint64 ticket)
{
    // Outcomes always come later than the queueing, never from within it.
    if (ticket != 0)
        m_socketCommands.insert(id, ticket);
}

void ConsoleController::operationFinished(quint64 id, KeyboardLink::Outcome outcome)
{
    const auto it = m_socketCommands.find(id);
    if (it == m_socketCommands.end())
        return;
    const quint64 ticket = it.value();
    m_socketCommands.erase(it);
    QString failure;
    switch (outcome) {
    case KeyboardLink::Outcome::Sent:
        break;
    case KeyboardLink::Outcome::NotConnected:
        failure = QStringLiteral("no keyboard is connected");
        break;
    case KeyboardLink::Outcome::Withdrawn:
        failure = QStringLiteral("a newer command took its place before it was sent");
        break;
    case KeyboardLink::Outcome::Overflow:
        failure = QStringLiteral("the keyboard's queue is full");
        break;
    case KeyboardLink::Outcome::Failed:
    case KeyboardLink::Outcome::Lost:
    case KeyboardLink::Outcome::Dropped:
        failure = QStringLiteral("the keyboard went away or the console is ending");
        break;
    }
    emit socketCommandDone(ticket, failure);
}

} // namespace orvanta
