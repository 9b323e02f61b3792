// Key assignment without widgets: the key table's hit test, the new-key
// capture table and the exact files of the assignment table; the key cursor's
// moves over the pictured keyboard (the nearest key in the physical layout,
// worked out by hand from the key caps of the picture) and the keys a
// Shift+arrow marking spans.

#include "TestSupport.h"
#include "core/assign/AssignmentTable.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/keys/KeyCapture.h"
#include "core/keys/KeyNavigation.h"
#include "core/keys/KeyTable.h"
#include "core/storage/StoredList.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class KeyAssignmentTest : public QObject
{
    Q_OBJECT
private slots:
    // Where the picture's key regions meet or leave a gap (each key's own
    // picture: tst_shell, through the window).
    void hitTestAtOverlapsAndGaps()
    {
        // Where two regions overlap, the key further left in its row wins.
        QCOMPARE(hitTestKey(1012, 340) * 1000 + hitTestKey(1014, 340), 103101);
        // Between Esc and F1, the left Windows key (no region), below the keyboard.
        for (const QPoint p : {QPoint(410, 185), QPoint(413, 342), QPoint(600, 600)})
            QCOMPARE(hitTestKey(p.x(), p.y()), kNoKey);
    }

    void capturedKeys()
    {
        const struct {
            int key;
            const char *text;
            bool keypad;
            const char *label;
            int usage; // -1: the captured usage stays as it was
        } rows[] = {{Qt::Key_F12, "", false, "F12", 0x45},
                    {Qt::Key_9, "9", true, "9", 0x61},
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

    void storedFilesAreExactAndLoadBack()
    {
        TempWorkDir wd;
        AssignmentTable table;
        table[1] = {KeyKind::Macro, "Old", ""};
        table[1].kind = KeyKind::Default; // the files keep its last macro
        table[2] = {KeyKind::Macro, "Jump", "7"};
        table[2].setRepeat(RepeatMode::PressAndHold, 1); // kept in the report only
        table[5] = {KeyKind::Single, "F5", ""};
        table[107].setRepeat(RepeatMode::MultipleTimes, 99);
        std::array<quint8, 256> keyMap = DEFAULT_KEY_MAP;
        keyMap[40] = 0xB4;
        QVERIFY(AssignmentFile::write("P", table.macroFileTexts()).ok());
        QVERIFY(KeyMapFile::write("P", table.signalFileTexts(keyMap)).ok());

        const QString types = "0,0,1,0,0,2" + QString(",0").repeated(102);
        const QString files = ",Old,Jump,,,F5" + QString(",").repeated(102);
        QCOMPARE(readText("lightfile/P/macro/macro_file.ini"),
                 "[Setting]\nfile=\"" + files + "\"\nonce=\",,7" + QString(",").repeated(105) +
                     "50\"\ntype=\"" + types + "\"\n");
        QCOMPARE(readText("lightfile/P/singal/signal.ini"),
                 "[Setting]\nmacro_singal_newkey=\"" + files + "\"\nmacro_singal_oldkey=\"" +
                     types + "\"\nsignle=\"" + joinNumbers(keyMap) + "\"\n");

        AssignmentTable back;
        std::array<quint8, 256> mapBack{};
        back.loadMacroFile(AssignmentFile::read("P"));
        back.loadSignalFile(mapBack, KeyMapFile::read("P"));
        QVERIFY(back == table);
        QCOMPARE(mapBack, keyMap);
        QCOMPARE(back[2].repeat(nullptr).count, 7);
    }

    // From F: R above, V below (its centre 13 px right, C's 17 left), D and G
    // beside; nothing above ESC, ~ below it; nothing left of Caps; right of Enter
    // keypad 4 (the row kept); B above Space; Down below Up; Del above Left (the
    // column kept); keypad 0 to keypad .; F12 to PrtSc; F11 above Back; a cell
    // without a key (67) starts at ESC. Key indices: F 45, R 31, D 44, G 46, V 58,
    // ESC 0, ~ 13, Caps 41, Enter 53, keypad 4 95, Space 69, B 59, Up 83, Down 85,
    // Left 84, Del 80, keypad 0 102, keypad . 103, F12 12, PrtSc 74, Back 26, F11 11.
    void movesToTheNearestKeyThatWay()
    {
        const KeyDirection left = KeyDirection::Left, right = KeyDirection::Right,
                           up = KeyDirection::Up, down = KeyDirection::Down;
        const std::tuple<int, KeyDirection, int> cases[] = {
            {45, up, 31},  {45, down, 58},    {45, left, 44},  {45, right, 46}, {0, up, 0},
            {0, down, 13}, {41, left, 41},    {53, right, 95}, {69, up, 59},    {83, down, 85},
            {84, up, 80},  {102, right, 103}, {12, right, 74}, {26, up, 11},    {67, right, 0}};
        for (const auto &[from, direction, to] : cases)
            QVERIFY2(keyInDirection(from, direction) == to,
                     qPrintable(QStringLiteral("from %1 to %2").arg(from).arg(to)));
    }

    void markingSpansTheKeysBetween()
    {
        QCOMPARE(firstNavigableKey(), 0);
        // Q (28) to S (43): Q, W, A, S; not E, Tab or Caps.
        QCOMPARE(keysSpannedBy(28, 43), (QVector<int>{28, 29, 42, 43}));
        QCOMPARE(keysSpannedBy(43, 28), (QVector<int>{28, 29, 42, 43}));
        QCOMPARE(keysSpannedBy(45, 45), QVector<int>{45});
        QVERIFY(keysSpannedBy(28, 67).isEmpty()); // no key in that cell
        // Ctrl (66) to Alt (68) along the bottom row: the empty cell between is skipped.
        QCOMPARE(keysSpannedBy(66, 68), (QVector<int>{66, 68}));
    }
};

QTEST_GUILESS_MAIN(KeyAssignmentTest)
#include "tst_keyassignment.moc"
