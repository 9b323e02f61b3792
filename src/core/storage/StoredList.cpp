#include "StoredList.h"

namespace orvanta {

QString joinList(const QStringList &items)
{
    return items.join(QLatin1Char(','));
}

QStringList splitList(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char(','));
}

QStringList takeItems(const QString &text, int count)
{
    QStringList items = splitList(text);
    if (count < 0)
        count = 0;
    while (items.size() > count)
        items.removeLast();
    while (items.size() < count)
        items.append(QString());
    return items;
}

QVector<int> takeNumbers(const QString &text, int count, int fallback)
{
    QVector<int> out(qMax(count, 0), fallback);
    int index = 0;
    int start = 0;
    const int n = text.size();
    // Walks the text once instead of splitting it, so a huge hand-edited list
    // costs no more than the items asked for.
    while (index < out.size() && start <= n) {
        int end = text.indexOf(QLatin1Char(','), start);
        if (end < 0)
            end = n;
        if (!(start == n && end == n && index == 0 && n == 0)) {
            bool ok = false;
            const int v = text.midRef(start, end - start).trimmed().toInt(&ok);
            if (ok)
                out[index] = v;
        }
        ++index;
        start = end + 1;
    }
    return out;
}

int toNumber(const QString &text, int fallback)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

} // namespace orvanta
