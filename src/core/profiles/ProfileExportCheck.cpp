#include "ProfileExportCheck.h"

#include "core/storage/IniFile.h"
#include "core/storage/KeyMapFile.h"
#include "core/storage/PatternFile.h"
#include "core/storage/StoredList.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTextCodec>

namespace orvanta
{

bool isProfileExport(const QString &path)
{
    const FileRead read = readRegularFile(path, kIniSizeLimit);
    if (!read.ok() || read.bytes.isEmpty())
        return false;
    const QByteArray &bytes = read.bytes;
    // Text only: a picture or an archive holds zero bytes or breaks UTF-8.
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (bytes.contains('\0') || state.invalidChars > 0)
        return false;
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return false;
    bool ok = false;
    const int patterns = ini.value(QStringLiteral("Setting/pattern")).toString().toInt(&ok);
    if (!ok || patterns < 0 || patterns > 16)
        return false;
    const QStringList groups = ini.childGroups();
    for (int i = 1; i <= patterns; ++i) {
        const QString group = QStringLiteral("pattern") + QString::number(i);
        if (!groups.contains(group))
            return false;
        for (const QString &key : PatternFile::keys())
            if (!ini.contains(group + QLatin1Char('/') + key))
                return false;
    }
    return ini.contains(QStringLiteral("signal/") + KeyMapFile::keys()[0]);
}

SaveResult importProfileExport(const QString &source, const QString &folder)
{
    const IniFile in = IniFile::load(source);
    SaveResult result;
    // An export holds at most 16 patterns; a larger count in a foreign file is clipped.
    const int n = qBound(0, toNumber(in.text(QStringLiteral("Setting/pattern")), 0), 16);
    for (int i = 1; i <= n; ++i) {
        const QString group = QStringLiteral("pattern") + QString::number(i) + QLatin1Char('/');
        QStringList texts;
        for (const QString &k : PatternFile::keys())
            texts << in.text(group + k);
        result += PatternFile::writeInFolder(folder, i, texts);
    }
    const auto signal = [&](int k) {
        return in.text(QStringLiteral("signal/") + KeyMapFile::keys()[k]);
    };
    result += KeyMapFile::writeInFolder(folder, {signal(0), signal(1), signal(2)});
    return result;
}

QString exportFileName(const QString &typed)
{
    if (typed.isEmpty() || !QFileInfo(typed).suffix().isEmpty())
        return typed;
    return typed + QStringLiteral(".ini");
}

} // namespace orvanta
