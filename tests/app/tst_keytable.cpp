// The key table, the hit test and the new-key capture table.

#include "core/keys/DefaultKeyMap.h"
#include "core/keys/KeyCapture.h"
#include "core/keys/KeyTable.h"

#include <QtTest>

using namespace orvanta;

class KeyTableTest : public QObject
{
    Q_OBJECT
private slots:
    // Every key cell is hit at its centre and sends its factory code.
    void everyKeyIsHitAtItsCentre()
    {
        for (int i = 0; i < kKeyCount; ++i) {
            const KeyRow &k = KEY_TABLE[i];
            if (k.hit.empty())
                continue;
            QCOMPARE(hitTestKey((k.hit.x0 + k.hit.x1) / 2, (k.hit.y0 + k.hit.y1) / 2), i);
            QCOMPARE(int(DEFAULT_KEY_MAP[k.matrix]), int(k.usage));
        }
        // Where two regions overlap, the key further left in its row wins.
        QCOMPARE(hitTestKey(1012, 340) * 1000 + hitTestKey(1014, 340), 103101);
        // Between Esc and F1, the left Windows key (no region), below the keyboard.
        for (const QPoint p : {QPoint(410, 185), QPoint(413, 342), QPoint(600, 600)})
            QCOMPARE(hitTestKey(p.x(), p.y()), kNoKey);
    }

    void capturedKeys()
    {
        // key, text, keypad, label, usage (-1: the captured usage stays as it was)
        const struct {
            int key;
            const char *text;
            bool keypad;
            const char *label;
            int usage;
        } rows[] = {{Qt::Key_F12, "", false, "F12", 0x45},
                    {Qt::Key_0, "0", false, "0", 0x27},
                    {Qt::Key_9, "9", true, "9", 0x61},
                    {Qt::Key_A, "a", false, "a", 0x04},
                    {Qt::Key_Return, "\r", false, "Enter", 0x28},
                    {Qt::Key_Enter, "\r", true, "Enter", 0x58},
                    {Qt::Key_Control, "", false, "Ctrl", 0xE0},
                    {Qt::Key_Ampersand, "&", false, "&", -1},
                    {Qt::Key_F13, "", false, "", -1}};
        for (const auto &r : rows) {
            const CapturedKey c = captureKey(r.key, QString::fromLatin1(r.text), r.keypad);
            QCOMPARE(c.label, QString::fromLatin1(r.label));
            QCOMPARE(c.hasUsage ? int(c.usage) : -1, r.usage);
        }
    }
};

QTEST_GUILESS_MAIN(KeyTableTest)
#include "tst_keytable.moc"
