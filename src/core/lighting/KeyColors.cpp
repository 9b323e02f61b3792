#include "KeyColors.h"

#include "core/keys/KeyTable.h"
#include "core/storage/IniFile.h"
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

namespace
{
const QString kKeyColorsPath = QStringLiteral("./system/light_color.ini");
const char *const kKeyColorGroups[2] = {"fully", "reactive"};

QString keyColorKey(int group, int i)
{
    return QLatin1String(kKeyColorGroups[group]) + QLatin1Char('/') + keyColorKeys(group)[i];
}
} // namespace

const QStringList &keyColorKeys(int group)
{
    static const QStringList full{"re_full_color_rgb_r", "re_full_color_rgb_g",
                                  "re_full_color_rgb_b", "re_full_UsbBuf_R",
                                  "re_full_UsbBuf_G",    "re_full_UsbBuf_B"};
    static const QStringList reactive{"re_active_color_rgb_r", "re_active_color_rgb_g",
                                      "re_active_color_rgb_b", "re_active_UsbBuf_R",
                                      "re_active_UsbBuf_G",    "re_active_UsbBuf_B"};
    return group == 0 ? full : reactive;
}

std::array<KeyColorSet, 2> readKeyColorSets()
{
    const IniFile s = IniFile::load(kKeyColorsPath);
    std::array<KeyColorSet, 2> sets;
    for (int g = 0; g < 2; ++g) {
        KeyColorSet &set = sets[std::size_t(g)];
        fillFrom(set.keyR, s.text(keyColorKey(g, 0)));
        fillFrom(set.keyG, s.text(keyColorKey(g, 1)));
        fillFrom(set.keyB, s.text(keyColorKey(g, 2)));
        fillFrom(set.ledR, s.text(keyColorKey(g, 3)));
        fillFrom(set.ledG, s.text(keyColorKey(g, 4)));
        fillFrom(set.ledB, s.text(keyColorKey(g, 5)));
    }
    return sets;
}

SaveResult writeKeyColorSets(const KeyColorSet &fully, const KeyColorSet &reactive)
{
    IniFile s = IniFile::load(kKeyColorsPath);
    const KeyColorSet *sets[2] = {&fully, &reactive};
    for (int g = 0; g < 2; ++g) {
        s.setValue(keyColorKey(g, 0), joinNumbers(sets[g]->keyR));
        s.setValue(keyColorKey(g, 1), joinNumbers(sets[g]->keyG));
        s.setValue(keyColorKey(g, 2), joinNumbers(sets[g]->keyB));
        s.setValue(keyColorKey(g, 3), joinNumbers(sets[g]->ledR));
        s.setValue(keyColorKey(g, 4), joinNumbers(sets[g]->ledG));
        s.setValue(keyColorKey(g, 5), joinNumbers(sets[g]->ledB));
    }
    return s.save(kKeyColorsPath);
}

} // namespace orvanta
