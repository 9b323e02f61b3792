#include "IniFile.h"

#include "RegularFile.h"

#include <QDataStream>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QStringList>

namespace orvanta
{

namespace
{

QPair<QString, QString> splitKey(const QString &key)
{
    QString k = key;
    while (k.startsWith(QLatin1Char('/')))
        k.remove(0, 1);
    const int slash = k.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), k};
    return {k.left(slash), k.mid(slash + 1)};
}

const char kHex[] = "0123456789ABCDEF";

// Group and key names: letters, digits, "_", "-" and "." as they are; "/"
// becomes "\"; anything else is "%XX" or "%UXXXX".
void appendName(const QString &name, QByteArray &out)
{
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if (u == '/') {
            out += '\\';
        } else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                   u == '_' || u == '-' || u == '.') {
            out += char(u);
        } else if (u <= 0xFF) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(u >> shift) & 0xF];
        }
    }
}

// One text value. Control characters are escaped, a value holding ",", ";" or
// "=" or starting or ending in a blank is quoted, and everything else is UTF-8
// (except inside "@ByteArray(...)" and "@Variant(...)", whose bytes are escaped).
void appendText(const QString &text, QByteArray &out)
{
    // Most values (numbers and lists of them) need no escaping: copied whole.
    bool plain = true;
    for (const QChar ch : text) {
        const ushort c = ch.unicode();
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') {
            plain = false;
            break;
        }
    }
    if (plain) {
        const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char(';')) ||
                           text.contains(QLatin1Char('=')) || text.startsWith(QLatin1Char(' ')) ||
                           text.endsWith(QLatin1Char(' '));
        if (quote)
            out += '"';
        out += text.toLatin1();
        if (quote)
            out += '"';
        return;
    }
    const bool raw = text.startsWith(QLatin1String("@ByteArray(")) ||
                     text.startsWith(QLatin1String("@Variant("));
    const int start = out.size();
    bool quote = false;
    bool hexPending = false; // a hex digit right after "\x.." must not extend it
    for (int i = 0; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c == ';' || c == ',' || c == '=')
            quote = true;
        const bool hexDigit =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (hexPending && hexDigit) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        hexPending = false;
        switch (c) {
        case 0:
            out += "\\0";
            hexPending = true;
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1F || (c >= 0x7F && raw)) {
                out += "\\x" + QByteArray::number(c, 16);
                hexPending = true;
            } else if (c >= 0x80) {
                // A surrogate pair is one character: encoded together.
                if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                    text.at(i + 1).isLowSurrogate()) {
                    out += text.mid(i, 2).toUtf8();
                    ++i;
                } else {
                    out += QString(text.at(i)).toUtf8();
                }
            } else {
                out += char(c);
            }
        }
    }
    if (quote || (out.size() > start && (out.at(start) == ' ' || out.at(out.size() - 1) == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// A value as the settings library stores it: a text holding a NUL character is
// marked "@String(...)", one starting with "@" gets a second "@"; other types
// are marked with their "@Type(...)".
QString valueText(const QVariant &v)
{
    switch (v.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QStringLiteral("@ByteArray(") + QString::fromLatin1(v.toByteArray()) +
               QLatin1Char(')');
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool: {
        const QString s = v.toString();
        if (s.contains(QChar::Null))
            return QStringLiteral("@String(") + s + QLatin1Char(')');
        return s.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + s : s;
    }
    case QMetaType::QRect: {
        const QRect r = v.toRect();
        return QStringLiteral("@Rect(%1 %2 %3 %4)")
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height());
    }
    case QMetaType::QSize:
        return QStringLiteral("@Size(%1 %2)").arg(v.toSize().width()).arg(v.toSize().height());
    case QMetaType::QPoint:
        return QStringLiteral("@Point(%1 %2)").arg(v.toPoint().x()).arg(v.toPoint().y());
    default: {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_4_0);
        stream << v;
        return QStringLiteral("@Variant(") + QString::fromLatin1(bytes) + QLatin1Char(')');
    }
    }
}

void appendValue(const QVariant &v, QByteArray &out)
{
    if (v.userType() == QMetaType::QStringList ||
        (v.userType() == QMetaType::QVariantList && v.toList().size() != 1)) {
        const QVariantList items = v.toList();
        if (items.isEmpty())
            out += "@Invalid()";
        for (int i = 0; i < items.size(); ++i) {
            if (i)
                out += ", ";
            appendText(valueText(items[i]), out);
        }
        return;
    }
    appendText(valueText(v), out);
}

} // namespace

IniFile IniFile::load(const QString &path)
{
    IniFile file;
    // Checked on the opened file first: the settings library opens files by
    // name and would wait forever on a FIFO.
    if (!checkRegularFile(path, kIniSizeLimit).ok())
        return file;
    QSettings s(path, QSettings::IniFormat);
    s.setIniCodec("UTF-8");
    for (const QString &key : s.allKeys())
        file.setValue(key, s.value(key));
    return file;
}

QVariant IniFile::value(const QString &key) const
{
    const auto k = splitKey(key);
    return m_groups.value(k.first).value(k.second);
}

QString IniFile::text(const QString &key) const
{
    const QVariant v = value(key);
    if (v.userType() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

void IniFile::setValue(const QString &key, const QVariant &value)
{
    const auto k = splitKey(key);
    m_groups[k.first][k.second] = value;
}

void IniFile::removeGroup(const QString &group)
{
    m_groups.remove(group);
}

QByteArray IniFile::render() const
{
    QByteArray out;
    bool first = true;
    for (auto g = m_groups.constBegin(); g != m_groups.constEnd(); ++g) {
        if (g.value().isEmpty())
            continue;
        if (!first)
            out += '\n';
        first = false;
        QByteArray name;
        appendName(g.key(), name);
        if (name.isEmpty())
            out += "[General]";
        else if (name.compare("general", Qt::CaseInsensitive) == 0)
            out += "[%General]";
        else
            out += '[' + name + ']';
        out += '\n';
        for (auto k = g.value().constBegin(); k != g.value().constEnd(); ++k) {
            appendName(k.key(), out);
            out += '=';
            appendValue(k.value(), out);
            out += '\n';
        }
    }
    return out;
}

} // namespace orvanta
