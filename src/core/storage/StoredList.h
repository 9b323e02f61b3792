#pragma once
// Stored lists: items joined by "," with no blanks and no trailing ",".
// Every reader is bounded: it yields exactly the items asked for, with a default
// for each one that is missing or not a number, and never reads past the end.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <charconv>

namespace orvanta {

QString joinList(const QStringList &items);

template <typename Container>
QString joinNumbers(const Container &values)
{
    // Built as Latin-1 bytes: APPLY joins a few thousand numbers each time.
    QByteArray out;
    out.reserve(int(values.size()) * 4);
    char digits[16];
    bool first = true;
    for (const auto &v : values) {
        if (!first)
            out += ',';
        const auto end = std::to_chars(digits, digits + sizeof digits, int(v)).ptr;
        out.append(digits, int(end - digits));
        first = false;
    }
    return QString::fromLatin1(out);
}

// The items of a stored list; an empty text is an empty list.
QStringList splitList(const QString &text);

// Exactly `count` items: missing ones are empty texts.
QStringList takeItems(const QString &text, int count);

// Exactly `count` integers: missing or non-numeric items give `fallback`.
QVector<int> takeNumbers(const QString &text, int count, int fallback = 0);

// A decimal integer, or `fallback` when the text is not one.
int toNumber(const QString &text, int fallback = 0);

} // namespace orvanta
