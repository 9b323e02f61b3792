#include "UpdateProtocol.h"

#include "core/storage/AtomicFile.h"
#include "core/storage/RegularFile.h"

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QStringList>
#include <QVariantMap>

namespace orvanta
{

namespace
{

// Section `index` of a dotted version as a number; a missing or non-numeric
// section counts as 0, so a short or hand-edited text never reads past its end.
int section(const QStringList &parts, int index)
{
    if (index >= parts.size())
        return 0;
    bool ok = false;
    const int value = parts.at(index).trimmed().toInt(&ok);
    return ok ? value : 0;
}

void logStep(const int v[3], const int o[3], const char *marker)
{
    qDebug() << v[0] << v[1] << v[2] << o[0] << o[1] << o[2] << marker;
}

} // namespace

QUrl updateServiceUrl()
{
    QString base = qEnvironmentVariable("ORVANTA_UPDATE_URL");
    if (base.trimmed().isEmpty())
        base = QString::fromLatin1(UPDATE_SERVICE_BASE);
    base = base.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + QLatin1String(UPDATE_SERVICE_PATH));
}

bool compareVersion(const QString &newer, const QString &older)
{
    const int mark = newer.indexOf(QLatin1Char('V'));
    const QString bare = mark < 0 ? QString() : newer.mid(mark + 1);
    const QStringList newParts = bare.split(QLatin1Char('.'));
    const QStringList oldParts = older.split(QLatin1Char('.'));
    int v[3];
    int o[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = section(newParts, i);
        o[i] = section(oldParts, i);
    }

    if (o[0] > v[0]) {
        logStep(v, o, "11111");
        return false;
    }
    if (o[0] < v[0]) {
        logStep(v, o, "22222");
        return true;
    }
    if (o[1] > v[1]) {
        logStep(v, o, "33333");
        return false;
    }
    if (o[1] < v[1]) {
        logStep(v, o, "44444");
        return true;
    }
    if (o[2] < v[2]) {
        logStep(v, o, "55555");
        return true;
    }
    logStep(v, o, "66666");
    return false;
}

QByteArray encodeActiveData(const QJsonObject &object)
{
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    return QByteArrayLiteral("ActiveData=") + json.toBase64();
}

QByteArray versionQueryBody(const QString &productCode)
{
    QJsonObject o;
    o.insert(QStringLiteral("command_type"), productCode);
    o.insert(QStringLiteral("getUrl"), 1);
    return encodeActiveData(o);
}

QByteArray downloadQueryBody(const QString &uuid, const QString &productCode)
{
    QJsonObject o;
    o.insert(QStringLiteral("UUID"), uuid);
    o.insert(QStringLiteral("command_type"), productCode);
    return encodeActiveData(o);
}

QByteArray successReportBody(const QString &uuid, const QString &productCode,
                             const QString &recordedVersion, const QString &runningVersion)
{
    QJsonObject o;
    o.insert(QStringLiteral("UUID"), uuid);
    o.insert(QStringLiteral("command_type"), productCode);
    o.insert(QStringLiteral("currentVersion"), recordedVersion);
    o.insert(QStringLiteral("updateVersion"), runningVersion);
    o.insert(QStringLiteral("status"), QStringLiteral("ok"));
    return encodeActiveData(o);
}

UpdateReply parseUpdateReply(const QByteArray &body)
{
    const QVariantMap map = QJsonDocument::fromJson(body).object().toVariantMap();
    const QVariantMap data = map.value(QStringLiteral("Data")).toMap();
    UpdateReply r;
    r.resultCode = map.value(QStringLiteral("Result_Code")).toString();
    r.version = data.value(QStringLiteral("version")).toString();
    r.url = data.value(QStringLiteral("url")).toString();
    r.note = data.value(QStringLiteral("note")).toString();
    return r;
}

QString uuidForRequest(const QString &stored)
{
    if (!stored.startsWith(QLatin1Char('{')))
        return stored;
    const QString head = stored.section(QLatin1Char('}'), 0, 0);
    const QString inner = head.mid(head.indexOf(QLatin1Char('{')) + 1);
    return QStringLiteral("%7B") + inner + QStringLiteral("%7D");
}

bool writeSmallFile(const QString &path, const QByteArray &content)
{
    // All or nothing, and never through a link out of the data directory.
    return saveFile(path, content).ok();
}

QString readSmallFile(const QString &path, qint64 limit)
{
    const FileRead f = readRegularFile(path, limit);
    return f.ok() ? QString::fromUtf8(f.bytes).trimmed() : QString();
}

} // namespace orvanta
