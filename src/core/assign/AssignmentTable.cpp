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

void AssignmentTable::loadMacroFile(const QStringList &texts)
{
    const QStringList types = takeItems(texts.value(0), kKeySlots);
    const QStringList files = takeItems(texts.value(1), kKeySlots);
    const QStringList onces = takeItems(texts.value(2), kKeySlots);
    for (int i = 0; i < kKeySlots; ++i)
        m_slots[std::size_t(i)] = {kindOf(types[i]), files[i], onces[i]};
}

void AssignmentTable::loadSignalFile(std::array<quint8, 256> &keyMap, const QStringList &texts)
{
    const QStringList parts = splitList(texts.value(0));
    for (int i = 0; i < 256; ++i) {
        bool ok = false;
        const int v = i < parts.size() ? parts[i].trimmed().toInt(&ok) : 0;
        keyMap[std::size_t(i)] = ok ? quint8(v & 0xFF) : DEFAULT_KEY_MAP[std::size_t(i)];
    }
    const QStringList types = takeItems(texts.value(1), kKeySlots);
    const QStringList labels = takeItems(texts.value(2), kKeySlots);
    for (int i = 0; i < kKeySlots; ++i) {
        if (kindOf(types[i]) == KeyKind::Single) {
            m_slots[std::size_t(i)].kind = KeyKind::Single;
            m_slots[std::size_t(i)].target = labels[i];
        }
    }
}

IniGroupMap AssignmentTable::macroFileMap() const
{
    QStringList type, file, once;
    for (const SlotAssignment &slot : m_slots) {
        type << typeText(slot.kind);
        file << slot.target;
        once << slot.once;
    }
    IniGroupMap m;
    m["macro_file"]["type"] = joinList(type);
    m["macro_file"]["file"] = joinList(file);
    m["macro_file"]["once"] = joinList(once);
    return m;
}

IniGroupMap AssignmentTable::signalFileMap(const std::array<quint8, 256> &keyMap) const
{
    const IniGroupMap system = macroFileMap();
    IniGroupMap m;
    m["singal"]["macro_singal"] = joinNumbers(keyMap);
    m["singal"]["macro_singal_oldkey"] = system["macro_file"]["type"];
    m["singal"]["macro_singal_newkey"] = system["macro_file"]["file"];
    return m;
}

} // namespace orvanta
