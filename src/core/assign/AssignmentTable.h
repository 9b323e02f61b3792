#pragma once
// What each of the 108 key slots does in one saved profile, as "macro_file.ini"
// and "signal.ini" keep it: its factory code, a macro (by name, with its
// repeat), or another key's code (by that key's label).

#include "KeyAssignment.h"
#include "core/storage/AssignmentFile.h"
#include "core/storage/KeyMapFile.h"

#include <QString>
#include <QStringList>
#include <array>

namespace orvanta
{

enum class KeyKind { Default, Macro, Single };

struct SlotAssignment {
    KeyKind kind = KeyKind::Default;
    // The macro's name (Macro) or the label of the key sent instead (Single).
    // A slot set back to Default keeps it: the files carry the last one.
    QString target;
    // A macro key's repeat as the "once" list keeps it: "1" Once, n times, "0"
    // until pressed next time. When Perss & Hold lives only in the key's macro
    // report and leaves this as it was.
    QString once;

    void setRepeat(RepeatMode mode, int count);
    // The repeat of a macro key, from its stored report when it has one.
    RepeatSetting repeat(const Report *stored) const { return storedRepeat(stored, once); }
    bool operator==(const SlotAssignment &o) const
    {
        return kind == o.kind && target == o.target && once == o.once;
    }
};

class AssignmentTable
{
public:
    SlotAssignment &operator[](int slot) { return m_slots[std::size_t(slot)]; }
    const SlotAssignment &operator[](int slot) const { return m_slots[std::size_t(slot)]; }
    bool operator==(const AssignmentTable &o) const { return m_slots == o.m_slots; }

    // macro_file.ini's type, file and once lists; missing entries are empty,
    // a type other than 1 (macro) or 2 (single key) is the default.
    void loadMacroFile(const AssignmentTexts &texts);
    // signal.ini's key map (a damaged or missing number keeps the factory code)
    // and its single keys; its macro keys are macro_file.ini's.
    void loadSignalFile(std::array<quint8, 256> &keyMap, const KeyMapTexts &texts);
    // macro_file.ini's texts: type, file and once.
    AssignmentTexts macroFileTexts() const;
    // signal.ini's texts: the key map as 256 numbers, then the type and file lists.
    KeyMapTexts signalFileTexts(const std::array<quint8, 256> &keyMap) const;

private:
    std::array<SlotAssignment, kKeySlots> m_slots{};
};

} // namespace orvanta
