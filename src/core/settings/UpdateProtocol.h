#pragma once
// The conversation with the vendor's update service: version comparison, the
// three request bodies and the reading of a reply. Pure functions, no network.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

namespace orvanta
{

// Product code sent with every request.
inline constexpr const char PRODUCT_CODE[] = "Zo009";
// Compiled-in service address; ORVANTA_UPDATE_URL in the environment replaces it.
inline constexpr const char UPDATE_SERVICE_BASE[] = "https://update.orvanta-rgb.com";
inline constexpr const char UPDATE_SERVICE_PATH[] = "/download/getVersionV1";

// Address every request is posted to: the base address (environment or
// compiled-in) with the fixed path.
QUrl updateServiceUrl();

// True when `newer` (text after its first "V") is a higher version than `older`
// (bare dotted numbers). Sections that are missing or not numbers count as 0.
bool compareVersion(const QString &newer, const QString &older);

// "ActiveData=" + Base64 of the object's indented JSON text.
QByteArray encodeActiveData(const QJsonObject &object);

QByteArray versionQueryBody(const QString &productCode);
QByteArray downloadQueryBody(const QString &uuid, const QString &productCode);
QByteArray successReportBody(const QString &uuid, const QString &productCode,
                             const QString &recordedVersion, const QString &runningVersion);

// What the console reads from a reply: "Result_Code" and the three texts of
// "Data". A body that is not a JSON object gives empty texts.
struct UpdateReply {
    QString resultCode;
    QString version;
    QString url;
    QString note;
};
UpdateReply parseUpdateReply(const QByteArray &body);

// The installation id as sent: an id stored with braces goes out as
// "%7B" + inner text + "%7D", anything else as stored.
QString uuidForRequest(const QString &stored);

// Whole-file helpers for the updater's small text files (written with truncation).
bool writeSmallFile(const QString &path, const QByteArray &content);
// The file's text (UTF-8) with surrounding blanks and line ends removed; empty when
// the file cannot be read. Reads at most `limit` bytes.
QString readSmallFile(const QString &path, qint64 limit = 4096);

} // namespace orvanta
