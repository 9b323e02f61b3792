#pragma once
// Stored lists: items joined by "," with no blanks and no trailing ",".
// Every reader is bounded: it yields exactly the items asked for, with a default
// for each one that is missing or not a number, and never reads past the end.

#include <QString>
#include <QStringList>
#include <QVector>

namespace orvanta {

QString joinList(const QStringList &items);

template <typename Container>
QString joinNumbers(const Container &values)
{
    QString out;
    out.reserve(int(values.size()) * 4);
    bool first = true;
    for (const auto &v : values) {
        if (!first)
            out += QLatin1Char(',');
        out += QString::number(int(v));
        first = false;
    }
    return out;
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
