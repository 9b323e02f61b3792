#pragma once
// Where each file of the data directory lives. Paths are relative to the
// working directory (the data directory).

#include <QString>

namespace orvanta
{

class DataPaths
{
public:
    static QString profileDir(const QString &profile);               // ./lightfile/<profile>
    static QString patternPath(int number, const QString &profile);  // light/pattern<n>.ini
    static QString patternPathIn(const QString &folder, int number); // in a profile folder
    static QString lightCmdPath(const QString &profile);             // cmd/light_cmd.ini
    static QString macroCmdPath(const QString &profile);             // cmd/macro.ini
    static QString macroSystemPath(const QString &profile);          // macro/macro_file.ini
    static QString signalPath(const QString &profile);               // singal/signal.ini
    static QString signalPathIn(const QString &folder);              // in a profile folder
    static QString macroPath(const QString &macro);                  // ./macrofile/<macro>.ini
};

} // namespace orvanta
