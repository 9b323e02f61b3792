#include "SlotSync.h"

#include "CommandSender.h"
#include "DeviceCommands.h"
#include "core/assign/AssignmentTable.h"
#include "core/assign/KeyAssignment.h"
#include "core/lighting/LightingBuilders.h"
#include "core/storage/IniFile.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/StoredList.h"

#include <QDebug>

namespace orvanta
{

namespace
{

constexpr int kSlots = 5;
constexpr int kAllSlots = (1 << kSlots) - 1;

QString groupOf(SlotSync::Keyboard keyboard)
{
    return keyboard == SlotSync::Keyboard::Usb ? QStringLiteral("usb") : QStringLiteral("virtual");
}

} // namespace

QString SlotSync::stateFile()
{
    return QStringLiteral("system/keyboard_sync.ini");
}

SlotSync::SlotSync(KeyboardLink *link, LinkedProfile linkedProfile, QObject *parent)
    : QObject(parent), m_link(link), m_linkedProfile(std::move(linkedProfile)), m_sender(link),
      m_saveTimer(new QTimer(this))
{
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(kSaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &SlotSync::writeMarks);
    load();
    connect(link, &KeyboardLink::operationReached, this, &SlotSync::operationReached);
}

SlotSync::~SlotSync()
{
    if (m_saveTimer->isActive())
        writeMarks();
}

bool SlotSync::isOutOfDate(Keyboard keyboard, int slot) const
{
    return slot >= 1 && slot <= kSlots && (m_marks[size_t(keyboard)] & (1 << (slot - 1)));
}

QList<int> SlotSync::outOfDate(Keyboard keyboard) const
{
    QList<int> found;
    for (int n = 1; n <= kSlots; ++n)
        if (isOutOfDate(keyboard, n))
            found << n;
    return found;
}

void SlotSync::markChanged(int slot)
{
    if (slot < 1 || slot > kSlots)
        return;
    m_marks[0] |= 1 << (slot - 1);
    m_marks[1] |= 1 << (slot - 1);
    save();
}

void SlotSync::setMarks(Keyboard keyboard, int marks)
{
    marks &= kAllSlots;
    if (m_marks[size_t(keyboard)] == marks)
        return;
    m_marks[size_t(keyboard)] = marks;
    save();
}

DeviceOperation SlotSync::slotStateOperation(int slot, const QString &profile)
{
    // One operation: an unplug between the lighting and the key map must not
    // leave the slot looking complete.
    DeviceOperation op;
    op.profile = slot;
    op.quiet = true;
    const StoredLighting lighting = readStoredLighting(profile);
    if (lighting.complete)
        op.steps = lightingOperation(lighting.set, quint8(slot)).steps;
    else
        qInfo().noquote() << "keyboard update: the lighting of" << profile
                          << "is incomplete and was not sent";
    AssignmentTable assignments;
    KeyMap map = DEFAULT_KEY_MAP;
    assignments.loadSignalFile(map, KeyMapFile::read(profile));
    QVector<Report> macros = parseReports(MacroReportsFile::commands(profile));
    for (Report &macro : macros)
        macro[2] = quint8(slot); // stored while linked to another slot, perhaps
    const DeviceOperation keys =
        commands::writeKeyMapAndMacros(slot, map, macros, MacroReportsFile::count(profile));
    op.steps.insert(op.steps.end(), keys.steps.begin(), keys.steps.end());
    return op;
}

int SlotSync::bringUpToDate(int activeSlot, bool selectAnyway)
{
    const KeyboardLink::State state = m_link->state();
    if (state == KeyboardLink::State::Absent)
        return 0;
    const Keyboard keyboard =
        state == KeyboardLink::State::Virtual ? Keyboard::Virtual : Keyboard::Usb;
    int queued = 0;
    for (int slot : outOfDate(keyboard)) {
        bool waiting = false; // already on its way from an earlier update
        for (int s : qAsConst(m_updates))
            waiting = waiting || s == slot;
        if (waiting)
            continue;
        m_updates.insert(m_sender.send(slotStateOperation(slot, m_linkedProfile(slot))), slot);
        ++queued;
    }
    if (queued > 0) {
        if (m_done >= m_total)
            m_total = m_done = m_sent = 0; // a new update, not the rest of one
        m_total += queued;
        qInfo().noquote() << "keyboard update:" << queued << "profiles to send to the"
                          << KeyboardLink::stateKey(state) << "keyboard";
        emit progress(m_done, m_total);
    }
    if (queued > 0) {
        // The notice tells of the update; the selection that ends it is part of it.
        DeviceOperation select = commands::selectProfile(activeSlot);
        select.quiet = true;
        m_sender.send(select);
    } else if (selectAnyway && !isUpdating()) { // an update on its way ends with the selection
        m_sender.send(commands::selectProfile(activeSlot));
    }
    return queued;
}

void SlotSync::operationReached(quint64 id, KeyboardLink::Outcome outcome,
                                KeyboardLink::State keyboard, int written)
{
    const bool sent = outcome == KeyboardLink::Outcome::Sent;
    const Keyboard reached =
        keyboard == KeyboardLink::State::Virtual ? Keyboard::Virtual : Keyboard::Usb;
    const auto update = m_updates.find(id);
    if (update != m_updates.end()) {
        const int slot = update.value();
        m_updates.erase(update);
        ++m_done;
        if (sent) {
            ++m_sent;
            setMarks(reached, m_marks[size_t(reached)] & ~(1 << (slot - 1)));
        }
        if (!m_updates.isEmpty()) {
            emit progress(m_done, m_total);
        } else {
            const int left = m_total - m_sent;
            qInfo().noquote() << "keyboard update:" << m_sent << "profiles sent," << left
                              << "left out of date";
            emit updateFinished(m_sent, left);
            m_total = m_done = m_sent = 0;
        }
        return;
    }
    if (written == 0)
        return;
    if (!sent) {
        m_marks[0] |= written;
        m_marks[1] |= written;
        save();
        return;
    }
    const Keyboard other = reached == Keyboard::Usb ? Keyboard::Virtual : Keyboard::Usb;
    setMarks(other, m_marks[size_t(other)] | written);
}

void SlotSync::load()
{
    const IniFile file = IniFile::load(stateFile());
    for (Keyboard keyboard : {Keyboard::Usb, Keyboard::Virtual}) {
        int marks = 0;
        for (int n = 1; n <= kSlots; ++n)
            if (toNumber(file.text(groupOf(keyboard) + '/' + QString::number(n)), 0) == 1)
                marks |= 1 << (n - 1);
        m_marks[size_t(keyboard)] = marks;
    }
}

void SlotSync::save()
{
    m_saveTimer->start();
}

void SlotSync::writeMarks()
{
    m_saveTimer->stop();
    IniFile file;
    for (Keyboard keyboard : {Keyboard::Usb, Keyboard::Virtual})
        for (int n = 1; n <= kSlots; ++n)
            file.setValue(groupOf(keyboard) + '/' + QString::number(n),
                          isOutOfDate(keyboard, n) ? 1 : 0);
    const SaveResult result = file.save(stateFile());
    for (const SaveFailure &f : result.failures())
        emit saveFailed(f.path, f.reason);
}

} // namespace orvanta
