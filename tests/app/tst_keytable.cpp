// The key table, the hit test and the new-key capture table.

#include "core/keys/DefaultKeyMap.h"
#include "core/keys/KeyCapture.h"
#include "core/keys/KeyTable.h"

#include <QSet>
#include <QtTest>

using namespace orvanta;

class KeyTableTest : public QObject
{
    Q_OBJECT
private slots:
    void everyKeyMatchesTheFactoryKeyMap()
    {
        QSet<int> matrices;
        for (int i = 0; i < kKeyCount; ++i) {
            const KeyRow &k = KEY_TABLE[i];
            if (i == 67 || i == 71) { // no key in these cells
                QVERIFY(k.label == nullptr && k.hit.empty());
                continue;
            }
            QVERIFY2(k.matrix >= 0 && k.matrix < 128, qPrintable(QString::number(i)));
            QCOMPARE(int(DEFAULT_KEY_MAP[k.matrix]), int(k.usage));
            matrices.insert(k.matrix);
        }
        QCOMPARE(matrices.size(), 102);
    }

    void hitTestAtCentresGapsAndOutside()
    {
        for (int i = 0; i < kKeyCount; ++i) {
            const KeyRange &r = KEY_TABLE[i].hit;
            if (!r.empty())
                QCOMPARE(hitTestKey((r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2), i);
        }
        // Where two regions overlap, the key further left in its row wins.
        QCOMPARE(hitTestKey(1012, 340), 103);
        QCOMPARE(hitTestKey(1014, 340), 101);
        // Between Esc and F1, the left Windows key (no region), left of and below the keyboard.
        for (const QPoint p :
             {QPoint(410, 185), QPoint(413, 342), QPoint(100, 300), QPoint(600, 600)})
            QCOMPARE(hitTestKey(p.x(), p.y()), kNoKey);
    }

    void capturedKeys()
    {
        struct Row {
            int key;
            const char *text;
            bool keypad;
            const char *label;
            int usage; // -1: the captured usage stays as it was
        };
        const Row rows[] = {
            {Qt::Key_F1, "", false, "F1", 0x3A},
            {Qt::Key_F12, "", false, "F12", 0x45},
            {Qt::Key_0, "0", false, "0", 0x27},
            {Qt::Key_1, "1", true, "1", 0x59},
            {Qt::Key_9, "9", true, "9", 0x61},
            {Qt::Key_A, "a", false, "a", 0x04},
            {Qt::Key_Equal, "=", false, "=", 0x2E},
            {Qt::Key_Return, "\r", false, "Enter", 0x28},
            {Qt::Key_Enter, "\r", true, "Enter", 0x58},
            {Qt::Key_Control, "", false, "Ctrl", 0xE0},
            {Qt::Key_Ampersand, "&", false, "&", -1},
            {Qt::Key_F13, "", false, "", -1},
        };
        for (const Row &r : rows) {
            const CapturedKey c = captureKey(r.key, QString::fromLatin1(r.text), r.keypad);
            QCOMPARE(c.label, QString::fromLatin1(r.label));
            QCOMPARE(c.hasUsage ? int(c.usage) : -1, r.usage);
        }
    }
};

QTEST_GUILESS_MAIN(KeyTableTest)
#include "tst_keytable.moc"
