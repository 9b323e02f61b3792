#pragma once
// Every INI file of the data directory is read and written here. Each write
// has reached the disk when the call returns, or has left the file as it was:
// every writer saves its file all or nothing and returns the failure (also
// logged), so the caller can tell the user.
// Paths are relative to the working directory (the data directory).

#include "AtomicFile.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

// Two-level text map taken by the writers: record name -> key -> text.
using IniGroupMap = QMap<QString, QMap<QString, QString>>;

using orvanta::SaveResult;

class IniStore : public QObject
{
    Q_OBJECT
public:
    // Fixed names of the lighting records and their keys.
    static const QStringList &effectGroups();     // "fully", "reactive", "arrow", "wave", "ripple"
    static const QStringList &effectKeys();       // the sixteen keys of one record
    static const QStringList &lightColorKeys(int group); // 6 keys of "fully" (0) or "reactive" (1)
    static const QStringList &macroKeys();        // the five keys of a macro file, reading order
    static const QStringList &patternKeys();      // RColor, GColor, BColor, VColor, YValue
    static const QStringList &signalKeys();       // signle, macro_singal_oldkey, macro_singal_newkey

    static QString profileDir(const QString &profile);
    static QString patternPath(int number, const QString &profile);
    static QString lightCmdPath(const QString &profile);
    static QString macroCmdPath(const QString &profile);
    static QString macroSystemPath(const QString &profile);
    static QString signalPath(const QString &profile);
    static QString macroPath(const QString &macro);

    // Reports stored per lighting command type: 5 for 0, 1, 3; 7 for 2, 4; 0 otherwise.
    static int lightCmdReportCount(int type);

    // ./system/language.ini
    static QString read_language();
    static SaveResult write_language(int index);

    // ./system/light_flag.ini: 5 x 16 texts, groups then keys in their fixed order.
    static QStringList readini_light_pattern_file();
    static SaveResult writeini_file(const IniGroupMap &map);

    // ./system/light_color.ini: 2 x 6 texts.
    static QStringList readini_light_system_color_file();
    static SaveResult writeini_light_system_color_file(const IniGroupMap &map);

    // ./system/iss_flag.ini: "shift", "ctrl", "alt".
    static QStringList readini_ini_file();
    static SaveResult writeini_ini_file(const IniGroupMap &map);

    // ./system/profile_connect.ini: profiles bound to on-board profiles 1..5.
    static QStringList readini_profile_connect();
    static SaveResult write_profile_connect(const IniGroupMap &map);

    // Pattern files of a profile.
    static SaveResult newini_lightfile(int number, const QString &profile);
    static QStringList readini_light_pattern_file(int index, const QString &profile);
    static SaveResult writeini_file(int index, const IniGroupMap &map, const QString &profile);

    // cmd/light_cmd.ini: the type, then the stored reports.
    static QStringList readini_profile_light_cmd(const QString &profile);
    static SaveResult write_profile_light_cmd(const IniGroupMap &map, const QString &profile);

    // cmd/macro.ini: macro reports assigned to keys.
    static SaveResult def_macro_ini_cmd_file(const QString &profile);
    static int read_macro_count_ini_cmd_file(const QString &profile);
    static QStringList read_macro_ini_cmd_file(const QString &profile);
    static QString read_macro_number_ini_cmd_file(const QString &profile);
    static SaveResult write_macro_ini_cmd_file(const IniGroupMap &map, const QString &profile,
                                               int number, int index, int count);
    static SaveResult remove_macro_ini_cmd_file(const QString &profile, int index, int count);

    // macro/macro_file.ini: type, file, once.
    static QStringList readini_macro_system_file(const QString &profile);
    static SaveResult writeini_macro_system_file(const IniGroupMap &map, const QString &profile);

    // singal/signal.ini: key map, assignment types and texts.
    static QStringList readini_ini_file(const QString &profile);
    static SaveResult writeini_ini_file(const IniGroupMap &map, const QString &profile);

    // ./macrofile/<name>.ini
    static SaveResult newini_file(int number);
    static QStringList readini_macro_file(const QString &macro);
    static SaveResult writeini_file(const QString &macro, const IniGroupMap &map);
    static SaveResult import_macro_file(const QString &source, const QString &macro);

    // Profile export files.
    static SaveResult import_profile_file(const QString &source, const QString &profile);
    // The same into the profile folder `dir` (a staging folder until the import is whole).
    static SaveResult importProfileInto(const QString &source, const QString &dir);

    // The empty macro's command string: 264 zeros.
    static QString emptyCommandString();
};
