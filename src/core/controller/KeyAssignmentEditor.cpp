#include "KeyAssignmentEditor.h"

#include "core/controller/ConsoleController.h"
#include "core/device/DeviceCommands.h"
#include "core/keys/KeyTable.h"
#include "core/storage/AssignmentFile.h"
#include "core/storage/KeyMapFile.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/RecordedMacroFile.h"
#include "core/storage/StoredList.h"

namespace orvanta
{

namespace
{

QVector<Report> storedReports(const QString &profile)
{
    return parseReports(MacroReportsFile::commands(profile));
}

// Takes the macro entry of key number `keyNumber` out of the profile's macro
// commands; a failed removal leaves the file and its count as they were.
SaveResult removeMacroEntry(const QString &profile, int keyNumber, int &count)
{
    const int entry = entryOfKey(MacroReportsFile::keyNumbers(profile), count, keyNumber);
    if (entry > count)
        return {};
    const SaveResult removed = MacroReportsFile::removeEntry(profile, entry, count - 1);
    if (removed.ok())
        --count;
    return removed;
}

bool validKey(int key)
{
    return key >= 0 && key < kKeyCount;
}

} // namespace

void KeyAssignmentEditor::loadMacroKeys(const QString &profile)
{
    m_controller.assignments().loadMacroFile(AssignmentFile::read(profile));
}

void KeyAssignmentEditor::loadSingleKeys(const QString &profile)
{
    m_controller.assignments().loadSignalFile(m_controller.keyMap(), KeyMapFile::read(profile));
}

void KeyAssignmentEditor::loadInstantShift()
{
    m_controller.shiftTargets() = readShiftTargets();
}

RepeatSetting KeyAssignmentEditor::storedRepeat(int key, const QString &profile) const
{
    if (!validKey(key))
        return {};
    const int count = MacroReportsFile::count(profile);
    const int entry =
        entryOfKey(MacroReportsFile::keyNumbers(profile), count, KEY_TABLE[key].matrix);
    const QVector<Report> reports = storedReports(profile);
    const Report *report = entry >= 1 && entry <= reports.size() ? &reports[entry - 1] : nullptr;
    return m_controller.assignments()[key].repeat(report);
}

void KeyAssignmentEditor::keep(AssignmentApplied &into, const SaveResult &result)
{
    (void)m_controller.notices().report(result);
    into.saves += result;
}

void KeyAssignmentEditor::saveAssignments(AssignmentApplied &into, const QString &profile)
{
    // The key map and the assignment files are saved once, at the end, with
    // the assignment as applied.
    const AssignmentTable &assignments = m_controller.assignments();
    keep(into, AssignmentFile::write(profile, assignments.macroFileTexts()));
    keep(into, KeyMapFile::write(profile, assignments.signalFileTexts(m_controller.keyMap())));
}

AssignmentApplied KeyAssignmentEditor::applyDefault(int key, const QString &profile)
{
    AssignmentApplied done;
    if (!validKey(key))
        return done;
    done.applied = true;
    SlotAssignment &slot = m_controller.assignments()[key];
    if (slot.kind == KeyKind::Macro) {
        int count = MacroReportsFile::count(profile);
        keep(done, removeMacroEntry(profile, KEY_TABLE[key].matrix, count));
    }
    slot.kind = KeyKind::Default;
    resetKeyCode(m_controller.keyMap(), KEY_TABLE[key].usage);
    m_controller.sender().send(
        commands::writeKeyMap(m_controller.activeSlot(), m_controller.keyMap()));
    saveAssignments(done, profile);
    return done;
}

AssignmentApplied KeyAssignmentEditor::applyMacro(int key, const QString &macro, RepeatMode mode,
                                                  int times, const QString &profile)
{
    AssignmentApplied done;
    if (!validKey(key) || macro.isEmpty())
        return done;
    done.applied = true;
    const int n = m_controller.activeSlot();
    const int keyNumber = KEY_TABLE[key].matrix;
    SlotAssignment &slot = m_controller.assignments()[key];
    int count = MacroReportsFile::count(profile);
    int entry;
    if (slot.kind == KeyKind::Macro) {
        entry = entryOfKey(MacroReportsFile::keyNumbers(profile), count, keyNumber);
        if (entry > count)
            count = entry; // a macro key whose entry went missing gets a new one
    } else {
        entry = ++count;
    }
    times = mode == RepeatMode::MultipleTimes ? qBound(1, times, 50) : 1;
    slot.setRepeat(mode, times);
    const QString macroCommands = RecordedMacroFile::read(macro).commands;
    const Report report = buildMacroReport(macroCommands, n, keyNumber, mode, times);
    setKeyCode(m_controller.keyMap(), KEY_TABLE[key].usage, kMacroKeyCode);
    keep(done,
         MacroReportsFile::writeEntry(profile, entry, count, keyNumber, commandString(report)));
    m_controller.sender().send(
        commands::writeKeyMapAndMacros(n, m_controller.keyMap(), storedReports(profile), count));
    slot.kind = KeyKind::Macro;
    slot.target = macro;
    saveAssignments(done, profile);
    return done;
}

AssignmentApplied KeyAssignmentEditor::applySingle(int key, quint8 usage, const QString &label,
                                                   const QString &profile)
{
    AssignmentApplied done;
    if (!validKey(key) || usage == 0 || label.isEmpty())
        return done; // no key captured yet
    done.applied = true;
    SlotAssignment &slot = m_controller.assignments()[key];
    int count = MacroReportsFile::count(profile);
    // A macro key turned into a single key no longer plays its macro.
    if (slot.kind == KeyKind::Macro)
        keep(done, removeMacroEntry(profile, KEY_TABLE[key].matrix, count));
    setKeyCode(m_controller.keyMap(), KEY_TABLE[key].usage, usage);
    m_controller.sender().send(commands::writeKeyMapAndMacros(
        m_controller.activeSlot(), m_controller.keyMap(), storedReports(profile), count));
    slot.kind = KeyKind::Single;
    slot.target = label;
    saveAssignments(done, profile);
    return done;
}

} // namespace orvanta
