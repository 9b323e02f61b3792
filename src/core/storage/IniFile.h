#pragma once
// An INI file edited in memory and saved all or nothing. Files are read with
// the settings library and written in its INI format (UTF-8 texts), groups and
// keys in name order, as the library writes a file it fills from scratch. The
// text is rendered here rather than by the library, which would write through
// links and commit a cleared file before its new keys.

#include "AtomicFile.h"
#include "RegularFile.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

namespace orvanta
{

class IniFile
{
public:
    // Every key of the file at `path`; none when it is missing, unreadable or
    // larger than any file the console writes (see kIniSizeLimit).
    static IniFile load(const QString &path);

    // Keys are "Group/key" (a leading "/" is ignored); a key without a group
    // belongs to the file's [General] group.
    QVariant value(const QString &key) const;
    // A value as text; a list (a hand-written value with commas but without
    // quotes) is joined back with ",".
    QString text(const QString &key) const;
    void setValue(const QString &key, const QVariant &value);
    void removeGroup(const QString &group);
    void clear() { m_groups.clear(); }
    bool isEmpty() const { return m_groups.isEmpty(); }

    QByteArray render() const;
    SaveResult save(const QString &path) const { return saveFile(path, render()); }

private:
    QMap<QString, QMap<QString, QVariant>> m_groups; // "" holds the [General] keys
};

// No file the console writes comes near this size (the largest, a full
// cmd/macro.ini, holds about 120 kB). A larger one is not ours: parsing it
// whole would take seconds and gigabytes, so it reads as an empty file.
constexpr qint64 kIniSizeLimit = kSettingsFileLimit;

} // namespace orvanta
