#include "AssignmentTable.h"

#include "core/keys/DefaultKeyMap.h"
#include "core/storage/StoredList.h"

namespace orvanta
{

namespace
{

KeyKind kindOf(const QString &type)
{
    if (type == QLatin1String("1"))
        return KeyKind::Macro;
    if (type == QLatin1String("2"))
        return KeyKind::Single;
    return KeyKind::Default;
}

QString typeText(KeyKind kind)
{
    switch (kind) {
    case KeyKind::Macro:
        return QStringLiteral("1");
    case KeyKind::Single:
        return QStringLiteral("2");
    case KeyKind::Default:
        break;
    }
    return QStringLiteral("0");
}

} // namespace

void SlotAssignment::setRepeat(RepeatMode mode, int count)
{
    switch (mode) {
    case RepeatMode::Once:
        once = QStringLiteral("1");
        break;
    case RepeatMode::MultipleTimes:
        once = QString::number(qBound(1, count, 50));
        break;
    case RepeatMode::PressAndHold:
        break;
    case RepeatMode::UntilPressedNextTime:
        once = QStringLiteral("0");
        break;
    }
}

void AssignmentTable::loadMacroFile(const AssignmentTexts &texts)
{
    const QStringList types = takeItems(texts.kinds, kKeySlots);
    const QStringList files = takeItems(texts.targets, kKeySlots);
    const QStringList onces = takeItems(texts.repeats, kKeySlots);
    for (int i = 0; i < kKeySlots; ++i)
        m_slots[std::size_t(i)] = {kindOf(types[i]), files[i], onces[i]};
}

void AssignmentTable::loadSignalFile(std::array<quint8, 256> &keyMap, const KeyMapTexts &texts)
{
    const QStringList parts = splitList(texts.keyMap);
    for (int i = 0; i < 256; ++i) {
        bool ok = false;
        const int v = i < parts.size() ? parts[i].trimmed().toInt(&ok) : 0;
        keyMap[std::size_t(i)] = ok ? quint8(v & 0xFF) : DEFAULT_KEY_MAP[std::size_t(i)];
    }
    const QStringList types = takeItems(texts.kinds, kKeySlots);
    const QStringList labels = takeItems(texts.targets, kKeySlots);
    for (int i = 0; i < kKeySlots; ++i) {
        if (kindOf(types[i]) == KeyKind::Single) {
            m_slots[std::size_t(i)].kind = KeyKind::Single;
            m_slots[std::size_t(i)].target = labels[i];
        }
    }
}

AssignmentTexts AssignmentTable::macroFileTexts() const
{
    QStringList type, file, once;
    for (const SlotAssignment &slot : m_slots) {
        type << typeText(slot.kind);
        file << slot.target;
        once << slot.once;
    }
    return {joinList(type), joinList(file), joinList(once)};
}

KeyMapTexts AssignmentTable::signalFileTexts(const std::array<quint8, 256> &keyMap) const
{
    const AssignmentTexts macros = macroFileTexts();
    return {joinNumbers(keyMap), macros.kinds, macros.targets};
}

} // namespace orvanta
