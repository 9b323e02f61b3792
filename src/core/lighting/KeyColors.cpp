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
    led_r.fill(0);
    led_g.fill(0);
    led_b.fill(0);
}

QRect keyWidgetRect(int key)
{
    if (key < 0 || key >= kKeyCount)
        return {};
    const KeyRect &c = KEY_TABLE[key].cell;
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
    const int slot = key_to_led_slot[key];
    working.led_r[slot] = colour.r;
    working.led_g[slot] = colour.g;
    working.led_b[slot] = colour.b;
    qDebug("UsbBuf_R::%d", colour.r);
    qDebug("UsbBuf_G::%d", colour.g);
    qDebug("UsbBuf_B::%d", colour.b);
    if (!remembered)
        return;
    remembered->key_r[key] = colour.r;
    remembered->key_g[key] = colour.g;
    remembered->key_b[key] = colour.b;
    remembered->led_r[slot] = colour.r;
    remembered->led_g[slot] = colour.g;
    remembered->led_b[slot] = colour.b;
}

void fillAll(const Rgb &colour, LedPlanes &working, KeyColorSet *remembered)
{
    working.led_r.fill(colour.r);
    working.led_g.fill(colour.g);
    working.led_b.fill(colour.b);
    if (!remembered)
        return;
    remembered->key_r.fill(colour.r);
    remembered->key_g.fill(colour.g);
    remembered->key_b.fill(colour.b);
    remembered->led_r = working.led_r;
    remembered->led_g = working.led_g;
    remembered->led_b = working.led_b;
}

std::array<KeyColorSet, 2> readKeyColorSets()
{
    const QStringList t = IniStore::readini_light_system_color_file();
    std::array<KeyColorSet, 2> sets;
    for (int g = 0; g < 2; ++g) {
        auto at = [&](int i) { return 6 * g + i < t.size() ? t[6 * g + i] : QString(); };
        fillFrom(sets[g].key_r, at(0));
        fillFrom(sets[g].key_g, at(1));
        fillFrom(sets[g].key_b, at(2));
        fillFrom(sets[g].led_r, at(3));
        fillFrom(sets[g].led_g, at(4));
        fillFrom(sets[g].led_b, at(5));
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
        inner.insert(keys.value(0), joinNumbers(sets[g]->key_r));
        inner.insert(keys.value(1), joinNumbers(sets[g]->key_g));
        inner.insert(keys.value(2), joinNumbers(sets[g]->key_b));
        inner.insert(keys.value(3), joinNumbers(sets[g]->led_r));
        inner.insert(keys.value(4), joinNumbers(sets[g]->led_g));
        inner.insert(keys.value(5), joinNumbers(sets[g]->led_b));
    }
    return IniStore::writeini_light_system_color_file(map);
}

} // namespace orvanta
