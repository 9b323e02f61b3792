#include "KeyColors.h"

#include "core/keys/KeyTable.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <QDebug>

namespace orvanta
{

namespace
{

template <std::size_t N> void fillFrom(std::array<int, N> &out, const QString &text)
{
    const QVector<int> v = takeNumbers(text, int(N));
    for (std::size_t i = 0; i < N; ++i)
        out[i] = v[int(i)];
}

} // namespace

void LedPlanes::clear()
{
    ledR.fill(0);
    ledG.fill(0);
    ledB.fill(0);
}

QRect keyWidgetRect(int key)
{
    if (key < 0 || key >= kKeyCount)
        return {};
    const KeyRect c = keyCapRect(key);
    return QRect(c.x + kKeyCellOffset.x(), c.y + kKeyCellOffset.y(), c.w, c.h);
}

bool inKeyPressArea(const QPoint &p)
{
    return p.x() >= 83 && p.x() <= 872 && p.y() >= 1 && p.y() <= 228;
}

bool inKeyReleaseArea(const QPoint &p)
{
    return p.x() >= 83 && p.x() <= 872 && p.y() >= 1 && p.y() <= 278;
}

int keyAtPoint(const QPoint &p)
{
    for (int k = 0; k < kKeyLightCount; ++k)
        if (keyWidgetRect(k).contains(p))
            return k;
    return -1;
}

QVector<int> keysInBand(const QPoint &press, const QPoint &release)
{
    QVector<int> keys;
    for (int k = 0; k < kKeyLightCount; ++k) {
        const QPoint tl = keyWidgetRect(k).topLeft();
        if (tl.x() > press.x() && tl.x() < release.x() && tl.y() > press.y() &&
            tl.y() < release.y())
            keys.append(k);
    }
    return keys;
}

void paintKey(int key, const Rgb &colour, LedPlanes &working, KeyColorSet *remembered)
{
    if (key < 0 || key >= kKeyLightCount)
        return;
    const int slot = keyToLedSlot[key];
    working.ledR[slot] = colour.r;
    working.ledG[slot] = colour.g;
    working.ledB[slot] = colour.b;
    qDebug("UsbBuf_R::%d", colour.r);
    qDebug("UsbBuf_G::%d", colour.g);
    qDebug("UsbBuf_B::%d", colour.b);
    if (!remembered)
        return;
    remembered->keyR[key] = colour.r;
    remembered->keyG[key] = colour.g;
    remembered->keyB[key] = colour.b;
    remembered->ledR[slot] = colour.r;
    remembered->ledG[slot] = colour.g;
    remembered->ledB[slot] = colour.b;
}

void fillAll(const Rgb &colour, LedPlanes &working, KeyColorSet *remembered)
{
    working.ledR.fill(colour.r);
    working.ledG.fill(colour.g);
    working.ledB.fill(colour.b);
    if (!remembered)
        return;
    remembered->keyR.fill(colour.r);
    remembered->keyG.fill(colour.g);
    remembered->keyB.fill(colour.b);
    remembered->ledR = working.ledR;
    remembered->ledG = working.ledG;
    remembered->ledB = working.ledB;
}

std::array<KeyColorSet, 2> readKeyColorSets()
{
    const QStringList t = IniStore::readLightColorFile();
    std::array<KeyColorSet, 2> sets;
    for (int g = 0; g < 2; ++g) {
        auto at = [&](int i) { return 6 * g + i < t.size() ? t[6 * g + i] : QString(); };
        fillFrom(sets[g].keyR, at(0));
        fillFrom(sets[g].keyG, at(1));
        fillFrom(sets[g].keyB, at(2));
        fillFrom(sets[g].ledR, at(3));
        fillFrom(sets[g].ledG, at(4));
        fillFrom(sets[g].ledB, at(5));
    }
    return sets;
}

SaveResult writeKeyColorSets(const KeyColorSet &fully, const KeyColorSet &reactive)
{
    IniGroupMap map;
    const KeyColorSet *sets[2] = {&fully, &reactive};
    const char *groups[2] = {"fully", "reactive"};
    for (int g = 0; g < 2; ++g) {
        const QStringList &keys = IniStore::lightColorKeys(g);
        auto &inner = map[QLatin1String(groups[g])];
        inner.insert(keys.value(0), joinNumbers(sets[g]->keyR));
        inner.insert(keys.value(1), joinNumbers(sets[g]->keyG));
        inner.insert(keys.value(2), joinNumbers(sets[g]->keyB));
        inner.insert(keys.value(3), joinNumbers(sets[g]->ledR));
        inner.insert(keys.value(4), joinNumbers(sets[g]->ledG));
        inner.insert(keys.value(5), joinNumbers(sets[g]->ledB));
    }
    return IniStore::writeLightColorFile(map);
}

} // namespace orvanta
