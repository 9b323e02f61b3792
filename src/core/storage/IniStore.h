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
    static const QStringList &effectGroups(); // "fully", "reactive", "arrow", "wave", "ripple"
    static const QStringList &effectKeys();   // the sixteen keys of one record
    static const QStringList &lightColorKeys(int group); // 6 keys of "fully" (0) or "reactive" (1)
    static const QStringList &macroKeys();   // the five keys of a macro file, reading order
    static const QStringList &patternKeys(); // RColor, GColor, BColor, VColor, YValue
    static const QStringList &signalKeys();  // signle, macro_singal_oldkey, macro_singal_newkey

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
    static QString readLanguage();
    static SaveResult writeLanguage(int index);

    // ./system/light_flag.ini: 5 x 16 texts, groups then keys in their fixed order.
    static QStringList readLightFile();
    static SaveResult writeIniFile(const IniGroupMap &map);

    // ./system/light_color.ini: 2 x 6 texts.
    static QStringList readLightColorFile();
    static SaveResult writeLightColorFile(const IniGroupMap &map);

    // ./system/iss_flag.ini: "shift", "ctrl", "alt".
    static QStringList readFlagFile();
    static SaveResult writeFlagFile(const IniGroupMap &map);

    // ./system/profile_connect.ini: profiles bound to on-board profiles 1..5.
    static QStringList readProfileConnect();
    static SaveResult writeProfileConnect(const IniGroupMap &map);

    // Pattern files of a profile.
    static SaveResult createPatternFile(int number, const QString &profile);
    static QStringList readLightFile(int index, const QString &profile);
    static SaveResult writeIniFile(int index, const IniGroupMap &map, const QString &profile);

    // cmd/light_cmd.ini: the type, then the stored reports.
    static QStringList readLightCmd(const QString &profile);
    static SaveResult writeLightCmd(const IniGroupMap &map, const QString &profile);

    // cmd/macro.ini: macro reports assigned to keys.
    static SaveResult createMacroCmdFile(const QString &profile);
    static int readMacroCmdCount(const QString &profile);
    static QStringList readMacroCmdFile(const QString &profile);
    static QString readMacroCmdNumber(const QString &profile);
    static SaveResult writeMacroCmdFile(const IniGroupMap &map, const QString &profile, int number,
                                        int index, int count);
    static SaveResult removeMacroCmdEntry(const QString &profile, int index, int count);

    // macro/macro_file.ini: type, file, once.
    static QStringList readMacroAssignFile(const QString &profile);
    static SaveResult writeMacroAssignFile(const IniGroupMap &map, const QString &profile);

    // singal/signal.ini: key map, assignment types and texts.
    static QStringList readFlagFile(const QString &profile);
    static SaveResult writeFlagFile(const IniGroupMap &map, const QString &profile);

    // ./macrofile/<name>.ini
    static SaveResult createMacroFile(int number);
    static QStringList readMacroFile(const QString &macro);
    static SaveResult writeIniFile(const QString &macro, const IniGroupMap &map);
    static SaveResult importMacroFile(const QString &source, const QString &macro);

    // A profile export file into the profile folder `dir` (a staging folder
    // until the import is whole).
    static SaveResult importProfileInto(const QString &source, const QString &dir);

    // The empty macro's command string: 264 zeros.
    static QString emptyCommandString();
};
