#pragma once
// CUSTOMIZE on the key assignments of the profile shown: reading them, with
// the key map and the instant-shift targets, from the saved profile's files,
// and APPLY of one key's new assignment (its default, a macro with a repeat
// mode, or another key's code). APPLY sends the key map, with the profile's
// macro commands when the key needs them, to the active on-board profile and
// saves the macro commands, the key map and the assignment files once each,
// as applied. Failures are told to the notices and returned.

#include "core/assign/KeyAssignment.h"
#include "core/storage/AtomicFile.h"

#include <QString>

namespace orvanta
{

class ConsoleController;

// What an APPLY came to.
struct [[nodiscard]] AssignmentApplied {
    // False: the request was incomplete (no such key, no macro, no key
    // captured) and nothing changed or was sent.
    bool applied = false;
    // The files that kept their old content (already told to the notices).
    SaveResult saves;

    bool ok() const { return applied && saves.ok(); }
};

class KeyAssignmentEditor
{
public:
    // Works on `controller`'s key map, assignments and instant-shift targets.
    explicit KeyAssignmentEditor(ConsoleController &controller) : m_controller(controller) {}
    KeyAssignmentEditor(const KeyAssignmentEditor &) = delete;
    KeyAssignmentEditor &operator=(const KeyAssignmentEditor &) = delete;

    // Which keys of `profile` play which macro (macro/macro_file.ini).
    void loadMacroKeys(const QString &profile);
    // The single keys of `profile`, into the key map too (signal.ini).
    void loadSingleKeys(const QString &profile);
    // The instant-shift targets of every on-board profile (system/iss_flag.ini).
    void loadInstantShift();
    // The repeat of macro key `key` as the keyboard has it: from the key's
    // stored macro report in `profile`.
    RepeatSetting storedRepeat(int key, const QString &profile) const;

    // Key `key` (a cell of the key table) sends its own code again; a macro it
    // played leaves the profile's macro commands.
    AssignmentApplied applyDefault(int key, const QString &profile);
    // Key `key` plays the saved macro `macro`, repeated as `mode` says (`times`
    // for Multiple Times, 1 to 50); a macro key keeps its entry in the macro
    // commands, another key gets a new one.
    AssignmentApplied applyMacro(int key, const QString &macro, RepeatMode mode, int times,
                                 const QString &profile);
    // Key `key` sends the code `usage` of the key labelled `label`.
    AssignmentApplied applySingle(int key, quint8 usage, const QString &label,
                                  const QString &profile);

private:
    // Reports `result` to the notices and keeps it in `into`.
    void keep(AssignmentApplied &into, const SaveResult &result);
    void saveAssignments(AssignmentApplied &into, const QString &profile);

    ConsoleController &m_controller;
};

} // namespace orvanta
