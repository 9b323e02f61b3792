#include "ProfileExportCheck.h"

#include "core/storage/IniFile.h"
#include "core/storage/IniStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTextCodec>

namespace orvanta
{

bool isProfileExport(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0 || info.size() > kIniSizeLimit)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
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
        for (const QString &key : IniStore::patternKeys())
            if (!ini.contains(group + QLatin1Char('/') + key))
                return false;
    }
    return ini.contains(QStringLiteral("signal/") + IniStore::signalKeys()[0]);
}

QString exportFileName(const QString &typed)
{
    if (typed.isEmpty() || !QFileInfo(typed).suffix().isEmpty())
        return typed;
    return typed + QStringLiteral(".ini");
}

} // namespace orvanta
