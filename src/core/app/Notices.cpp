#include "Notices.h"

#include <QDebug>

namespace orvanta
{

void Notices::post(const QString &text, Kind kind)
{
    m_last = text;
    if (kind == Kind::Warning || kind == Kind::Error)
        qInfo().noquote() << "notice:" << text;
    emit posted(text, kind);
}

void Notices::postLasting(const QString &text)
{
    m_last = text;
    qWarning().noquote() << "notice (kept until dismissed):" << text;
    emit lastingPosted(text);
}

void Notices::fileFailed(const QString &text, const QString &path, const QString &reason)
{
    qWarning().noquote() << "file operation failed:" << path << "-" << reason;
    post(text, Kind::Error);
}

} // namespace orvanta
