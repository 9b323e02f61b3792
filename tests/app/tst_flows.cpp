// The user's sequences across profiles, pages and the factory reset, through
// the window and its keyboard link.

#include "WindowFixture.h"
#include "core/controller/ConsoleController.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/macro/MacroFile.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/RecordedMacroFile.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/shell/ConsoleTray.h"
#include "ui/shell/Shell.h"
#include "ui/shell/StatusBand.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// PROFILE 1's user pattern: green at both ends and in the middle; PROFILE 2's:
// blue at both ends.
const QByteArray kGreenPattern = "[Setting]\n"
                                 "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                 "GColor=\"255,0,0,0,0,255,0,0,0,0,255\"\n"
                                 "RColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                 "VColor=\"0,0,0\"\n"
                                 "YValue=\"1,0,0,0,0,1,0,0,0,0,1\"\n";
const QByteArray kBluePattern = "[Setting]\n"
                                "BColor=\"255,0,0,0,0,0,0,0,0,0,255\"\n"
                                "GColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                "RColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                "VColor=\"0,0,0\"\n"
                                "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n";
const char kGreenStrip[] =
    "stop : 0.0 rgb(0,255,0), stop : 0.5 rgb(0,255,0), stop : 1 rgb(0,255,0)); ";
const char kBlueStrip[] = "stop : 0.0 rgb(0,0,255), stop : 1 rgb(0,0,255)); ";

QString patternFile(int profile)
{
    return QStringLiteral("lightfile/PROFILE %1/light/pattern6.ini").arg(profile);
}

template <typename T> T *child(QWidget *page, const char *name)
{
    return page->findChild<T *>(QLatin1String(name));
}

// Chooses an entry of a combo box as the user does with the keyboard: the
// box takes the focus, the arrow keys move to the entry.
void choose(QComboBox *combo, int index)
{
    QVERIFY(index >= 0 && index < combo->count());
    combo->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(combo->hasFocus());
    for (int guard = 0; combo->currentIndex() != index && guard < 40; ++guard)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(combo->currentIndex(), index);
}

// Arrow Flow, CUSTOMIZED, the user pattern (entry 6) on the LIGHTING page.
void editUserArrowPattern(WindowFixture &f)
{
    f.w->showLightingPage();
    QWidget *page = f.ctx().lighting;
    choose(child<QComboBox>(page, "effect_combo"), 2);
    QTest::mouseClick(child<QPushButton>(page, "btn_customized"), Qt::LeftButton);
    choose(child<QComboBox>(page, "pattern_combo"), 5);
}

// Clicks the key, chooses "Macro Key" and `macro`, or (no macro) "Single Key"
// and types `key` on the computer's keyboard (to whatever has the focus), and
// presses APPLY.
void assignByHand(WindowFixture &f, int cell, const QString &macro, Qt::Key key = Qt::Key_B)
{
    CustomizePanel &p = f.panel();
    QTest::mouseClick(f.w.get(), Qt::LeftButton, {}, WindowFixture::centreOf(cell));
    choose(p.widgets().keyAssignCombo, macro.isEmpty() ? 2 : 1);
    if (macro.isEmpty())
        QTest::keyClick(f.w->windowHandle(), key);
    else
        choose(p.widgets().assignMacroCombo, p.widgets().assignMacroCombo->findText(macro));
    QTest::mouseClick(p.widgets().customizeApplyButton, Qt::LeftButton);
}

// One key of a layout as X11 reports it: its key code, what it types alone and
// with Shift (Qt key, text), the code it sends and the names the rows give it.
struct LayoutKey {
    quint32 x11;
    int key;
    QString text;
    int shiftedKey; // 0: the key is recorded alone only
    QString shiftedText;
    int code;
    QString label, shiftedLabel;
};
using Layout = QVector<LayoutKey>;

// The keys every layout shares: the same code and name alone, no shifted case.
Layout commonKeys()
{
    Layout keys{{9, Qt::Key_Escape, "\x1b", 0, {}, 0x29, "Esc", {}},
                {22, Qt::Key_Backspace, "\b", 0, {}, 0x2A, "Backspace", {}},
                {23, Qt::Key_Tab, "\t", 0, {}, 0x2B, "Tab", {}},
                {36, Qt::Key_Return, "\r", 0, {}, 0x28, "Enter", {}},
                {37, Qt::Key_Control, {}, 0, {}, 0xE0, "Ctrl", {}},
                {50, Qt::Key_Shift, {}, 0, {}, 0xE1, "Shift", {}},
                {62, Qt::Key_Shift, {}, 0, {}, 0xE5, "Shift", {}},
                {64, Qt::Key_Alt, {}, 0, {}, 0xE2, "Alt", {}},
                {65, Qt::Key_Space, " ", 0, {}, 0x2C, "Space", {}},
                {66, Qt::Key_CapsLock, {}, 0, {}, 0x39, "Caps", {}},
                {95, Qt::Key_F11, {}, 0, {}, 0x44, "F11", {}},
                {96, Qt::Key_F12, {}, 0, {}, 0x45, "F12", {}},
                {77, Qt::Key_NumLock, {}, 0, {}, 0x53, "Num", {}},
                {78, Qt::Key_ScrollLock, {}, 0, {}, 0x47, "Scroll", {}},
                {105, Qt::Key_Control, {}, 0, {}, 0xE4, "Ctrl", {}},
                {107, Qt::Key_Print, {}, 0, {}, 0x46, "PrtSc", {}},
                {110, Qt::Key_Home, {}, 0, {}, 0x4A, "Home", {}},
                {111, Qt::Key_Up, {}, 0, {}, 0x52, "Up", {}},
                {112, Qt::Key_PageUp, {}, 0, {}, 0x4B, "PageUp", {}},
                {113, Qt::Key_Left, {}, 0, {}, 0x50, "Left", {}},
                {114, Qt::Key_Right, {}, 0, {}, 0x4F, "Right", {}},
                {115, Qt::Key_End, {}, 0, {}, 0x4D, "End", {}},
                {116, Qt::Key_Down, {}, 0, {}, 0x51, "Down", {}},
                {117, Qt::Key_PageDown, {}, 0, {}, 0x4E, "PageDown", {}},
                {118, Qt::Key_Insert, {}, 0, {}, 0x49, "Insert", {}},
                {119, Qt::Key_Delete, {}, 0, {}, 0x4C, "Del", {}},
                {127, Qt::Key_Pause, {}, 0, {}, 0x48, "Pause", {}},
                {133, Qt::Key_Meta, {}, 0, {}, 0xE3, "Win", {}},
                {134, Qt::Key_Meta, {}, 0, {}, 0xE7, "Win", {}},
                {135, Qt::Key_Menu, {}, 0, {}, 0x65, "Menu", {}},
                {63, Qt::Key_Asterisk, "*", 0, {}, 0x55, "*", {}},
                {82, Qt::Key_Minus, "-", 0, {}, 0x56, "-", {}},
                {86, Qt::Key_Plus, "+", 0, {}, 0x57, "+", {}},
                {106, Qt::Key_Slash, "/", 0, {}, 0x54, "/", {}},
                {104, Qt::Key_Enter, "\r", 0, {}, 0x58, "Enter", {}}};
    // F1..F10, and the keypad's digits with Num Lock on (X11 codes 79..90 but 82 and 86).
    const quint32 pad[10] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
    for (int n = 0; n < 10; ++n) {
        const QString f = QStringLiteral("F%1").arg(n + 1), digit = QString::number(n);
        keys.append({quint32(67 + n), Qt::Key_F1 + n, {}, 0, {}, 0x3A + n, f, {}});
        keys.append({pad[n], Qt::Key_0 + n, digit, 0, {}, n ? 0x58 + n : 0x62, digit, {}});
    }
    return keys;
}

// Letters of a row from its first X11 key code; HID codes run a = 4 .. z = 29.
void addLetters(Layout &keys, quint32 first, const QString &letters, const QString &physical)
{
    for (int i = 0; i < letters.size(); ++i) {
        const QChar c = letters[i];
        keys.append({first + quint32(i), Qt::Key_A + (c.unicode() - 'a'), QString(c),
                     Qt::Key_A + (c.unicode() - 'a'), QString(c.toUpper()),
                     4 + (physical[i].unicode() - 'a'), QString(c), QString(c)});
    }
}

Layout usLayout()
{
    Layout keys = commonKeys();
    const char *shifted = "!@#$%^&*()";
    const int shiftedKeys[10] = {Qt::Key_Exclam,    Qt::Key_At,       Qt::Key_NumberSign,
                                 Qt::Key_Dollar,    Qt::Key_Percent,  Qt::Key_AsciiCircum,
                                 Qt::Key_Ampersand, Qt::Key_Asterisk, Qt::Key_ParenLeft,
                                 Qt::Key_ParenRight};
    for (int i = 0; i < 10; ++i) { // 1..9, 0
        const int digit = (i + 1) % 10;
        keys.append({quint32(10 + i), Qt::Key_0 + digit, QString::number(digit), shiftedKeys[i],
                     QString(QChar(shifted[i])), 0x1E + i, QString::number(digit),
                     QString::number(digit)});
    }
    keys += Layout{{20, Qt::Key_Minus, "-", Qt::Key_Underscore, "_", 0x2D, "-", "-"},
                   {21, Qt::Key_Equal, "=", Qt::Key_Plus, "+", 0x2E, "=", "="},
                   {34, Qt::Key_BracketLeft, "[", Qt::Key_BraceLeft, "{", 0x2F, "[", "["},
                   {35, Qt::Key_BracketRight, "]", Qt::Key_BraceRight, "}", 0x30, "]", "]"},
                   {47, Qt::Key_Semicolon, ";", Qt::Key_Colon, ":", 0x33, ";", ";"},
                   {48, Qt::Key_Apostrophe, "'", Qt::Key_QuoteDbl, "\"", 0x34, "'", "'"},
                   {49, Qt::Key_QuoteLeft, "`", Qt::Key_AsciiTilde, "~", 0x35, "~", "~"},
                   {51, Qt::Key_Backslash, "\\", Qt::Key_Bar, "|", 0x31, "|", "|"},
                   {59, Qt::Key_Comma, ",", Qt::Key_Less, "<", 0x36, ",", ","},
                   {60, Qt::Key_Period, ".", Qt::Key_Greater, ">", 0x37, ".", "."},
                   {61, Qt::Key_Slash, "/", Qt::Key_Question, "?", 0x38, "/", "/"},
                   {91, Qt::Key_Period, ".", 0, {}, 0x63, ".", {}},
                   {108, Qt::Key_Alt, {}, 0, {}, 0xE6, "Alt", {}}};
    addLetters(keys, 24, "qwertyuiop", "qwertyuiop");
    addLetters(keys, 38, "asdfghjkl", "asdfghjkl");
    addLetters(keys, 52, "zxcvbnm", "zxcvbnm");
    return keys;
}

Layout germanLayout()
{
    Layout keys = commonKeys();
    const QString shifted = QStringLiteral("!\"\u00a7$%&/()=");
    const int shiftedKeys[10] = {
        Qt::Key_Exclam,    Qt::Key_QuoteDbl, Qt::Key_section,   Qt::Key_Dollar,     Qt::Key_Percent,
        Qt::Key_Ampersand, Qt::Key_Slash,    Qt::Key_ParenLeft, Qt::Key_ParenRight, Qt::Key_Equal};
    for (int i = 0; i < 10; ++i) {
        const int digit = (i + 1) % 10;
        keys.append({quint32(10 + i), Qt::Key_0 + digit, QString::number(digit), shiftedKeys[i],
                     shifted.mid(i, 1), 0x1E + i, QString::number(digit), QString::number(digit)});
    }
    const QString sz = QStringLiteral("\u00df"), ue = QStringLiteral("\u00fc"),
                  oe = QStringLiteral("\u00f6"), ae = QStringLiteral("\u00e4");
    keys += Layout{
        {20, Qt::Key_ssharp, sz, Qt::Key_Question, "?", 0x2D, sz, "-"},
        {21, Qt::Key_Dead_Acute, {}, Qt::Key_Dead_Grave, {}, 0x2E, "=", "="},
        {34, Qt::Key_Udiaeresis, ue, Qt::Key_Udiaeresis, ue.toUpper(), 0x2F, ue, ue},
        {35, Qt::Key_Plus, "+", Qt::Key_Asterisk, "*", 0x30, "+", "]"},
        {47, Qt::Key_Odiaeresis, oe, Qt::Key_Odiaeresis, oe.toUpper(), 0x33, oe, oe},
        {48, Qt::Key_Adiaeresis, ae, Qt::Key_Adiaeresis, ae.toUpper(), 0x34, ae, ae},
        {49, Qt::Key_Dead_Circumflex, {}, Qt::Key_degree, QStringLiteral("\u00b0"), 0x35, "~", "~"},
        {51, Qt::Key_NumberSign, "#", Qt::Key_Apostrophe, "'", 0x31, "#", "|"},
        {59, Qt::Key_Comma, ",", Qt::Key_Semicolon, ";", 0x36, ",", ","},
        {60, Qt::Key_Period, ".", Qt::Key_Colon, ":", 0x37, ".", "."},
        {61, Qt::Key_Minus, "-", Qt::Key_Underscore, "_", 0x38, "-", "/"},
        {94, Qt::Key_Less, "<", Qt::Key_Greater, ">", 0x64, "<", "<"},
        {91, Qt::Key_Comma, ",", 0, {}, 0x63, ",", {}},
        {108, Qt::Key_AltGr, {}, 0, {}, 0xE6, "Alt", {}}};
    // Z and Y swap places: the key typing z is where a US keyboard has Y.
    addLetters(keys, 24, "qwertzuiop", "qwertyuiop");
    addLetters(keys, 38, "asdfghjkl", "asdfghjkl");
    addLetters(keys, 52, "yxcvbnm", "zxcvbnm");
    return keys;
}

void sendKey(QEvent::Type type, int key, Qt::KeyboardModifiers mods, quint32 x11,
             const QString &text)
{
    QWidget *grabber = QWidget::keyboardGrabber();
    QVERIFY(grabber);
    QKeyEvent e(type, key, mods, x11, 0, 0, text);
    QApplication::sendEvent(grabber, &e);
}

} // namespace

class FlowsTest : public QObject
{
    Q_OBJECT

private slots:
    void switchShowsTheNewProfilesStops_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("slot");    // the on-board profile active afterwards
        QTest::addColumn<int>("profile"); // the saved profile shown afterwards
        for (const char *route : {"button", "tray", "socket"})
            QTest::newRow(route) << route << 2 << 2;
        QTest::newRow("saved profile") << "saved profile" << 1 << 2;
        QTest::newRow("factory reset") << "factory reset" << 1 << 1;
    }
    // The editor shows the new profile's entry; APPLY sends its stops; a stop
    // click saves only that profile's file.
    void switchShowsTheNewProfilesStops()
    {
        QFETCH(QString, route);
        QFETCH(int, slot);
        QFETCH(int, profile);
        WindowFixture f(Plug::Attached, [] {
            QVERIFY(writeText(patternFile(1), kGreenPattern));
            QVERIFY(writeText(patternFile(2), kBluePattern));
        });
        MainWindow &w = *f.w;
        w.show();
        const bool reset = route == "factory reset";
        if (reset)
            w.profileButtons()[1]->click(); // the reset starts on PROFILE 2
        editUserArrowPattern(f);
        QWidget *page = f.ctx().lighting;
        auto *strip = child<QSlider>(page, "stops_slider");
        QVERIFY(strip->styleSheet().contains(reset ? kBlueStrip : kGreenStrip));

        if (route == "button") {
            QTest::mouseClick(w.profileButtons()[1], Qt::LeftButton);
        } else if (route == "tray") {
            QAction *second = nullptr;
            for (QAction *a : w.createTray()->menu()->actions())
                if (a->text() == profileButtonText(2))
                    second = a;
            QVERIFY(second);
            second->trigger();
        } else if (route == "socket") {
            f.ctx().controller->runSocketCommand(socketActionFor({{"command", 7}, {"Data", 2}}));
        } else if (route == "saved profile") {
            choose(f.menu().profileCombo(), f.menu().profileCombo()->findText("PROFILE 2"));
        } else {
            QSignalSpy done(&w, &MainWindow::factoryResetFinished);
            w.factoryResetClicked();
            QVERIFY(done.wait(10000));
            f.w->showLightingPage();
        }
        QCOMPARE(f.ctx().controller->bindings().active, slot);
        QVERIFY2(strip->styleSheet().contains(profile == 2 ? kBlueStrip : kGreenStrip),
                 qPrintable(strip->styleSheet()));

        // APPLY: the active slot's Arrow Flow zones all take the profile's colour.
        f.clear();
        QTest::mouseClick(child<QPushButton>(page, "btn_apply"), Qt::LeftButton);
        const ZoneTable zones = decode(f.sent()).profile(slot).zoneTables[1];
        const int expected[3] = {0, profile == 1 ? 255 : 0, profile == 2 ? 255 : 0};
        for (int c = 0; c < 3; ++c)
            for (int z = 0; z < kZoneCount; ++z)
                QCOMPARE(int(zones[size_t(c)][size_t(z)]), expected[c]);

        // A click on the first stop saves the shown profile's file as it was,
        // and no other.
        const QString other = readText(patternFile(3 - profile));
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(529, 377));
        QCOMPARE(readText(patternFile(profile)).toLatin1(),
                 profile == 1 ? kGreenPattern : kBluePattern);
        QCOMPARE(readText(patternFile(3 - profile)), other);
    }

    // Edits made while the factory reset's files are still being saved end in
    // the files: the same bytes as when they are made after the reset settled.
    void editsAfterAFactoryResetOutlastItsSaves()
    {
        const QStringList files{
            "lightfile/PROFILE 1/singal/signal.ini", "lightfile/PROFILE 1/macro/macro_file.ini",
            "lightfile/PROFILE 1/cmd/macro.ini", "lightfile/PROFILE 1/cmd/light_cmd.ini"};
        auto run = [&files](bool waitForTheReset) {
            WindowFixture f;
            const SlowDisk disk(20); // the reset's 21 saves take a while
            MainWindow &w = *f.w;
            f.showActive();
            w.showCustomizePage();
            QSignalSpy done(&w, &MainWindow::factoryResetFinished);
            w.factoryResetClicked();
            if (waitForTheReset)
                (void)done.wait(10000);
            // A sends b; then the LIGHTING page applies Wave.
            assignByHand(f, 42, {}, Qt::Key_B);
            w.showLightingPage();
            child<QComboBox>(f.ctx().lighting, "effect_combo")->setCurrentIndex(3);
            QTest::mouseClick(child<QPushButton>(f.ctx().lighting, "btn_apply"), Qt::LeftButton);
            if (!done.count())
                (void)done.wait(10000);
            (void)f.settled();
            QStringList contents;
            for (const QString &file : files)
                contents << readText(file);
            contents << QString::number(done.count());
            return contents;
        };
        const QStringList raced = run(false), settled = run(true);
        QCOMPARE(raced.last(), QStringLiteral("1"));
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(raced[i], settled[i]);
        // The settled run holds the edits: A's entry (matrix 40) is b, the lighting is Wave.
        const QString keyMap = settled[0].section("signle=\"", 1).section('"', 0, 0);
        QCOMPARE(keyMap.section(',', 40, 40), QStringLiteral("5"));
        QVERIFY2(settled[3].contains("type=3"), qPrintable(settled[3]));
    }

    void recorderTakesThePhysicalKey_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("US") << false;
        QTest::newRow("German") << true;
    }
    // New, Copy and Delete in the left menu choose their result for the active
    // slot at once.
    void newCopyAndDeleteChooseTheirResult()
    {
        WindowFixture f;
        const QVector<QPair<void (ProfileMenu::*)(), QString>> steps{
            {&ProfileMenu::newProfileClicked, "PROFILE 6"},
            {&ProfileMenu::copyProfileClicked, "PROFILE 6_01"},
            {&ProfileMenu::deleteProfileClicked, "PROFILE 1"}};
        for (const auto &[action, chosen] : steps) {
            (f.menu().*action)();
            QCOMPARE(f.menu().profileCombo()->currentText(), chosen);
            QCOMPARE(iniText("system/profile_connect.ini", "Setting/1"), chosen);
        }
    }

    // A key that plays a macro still shows it in ASSIGN MACRO once the macro is
    // renamed on the MACROS page. (The files of every profile: tst_controller.)
    void renamedMacroStaysOnItsKey()
    {
        WindowFixture f(Plug::Attached, [] {
            QVERIFY(RecordedMacroFile::write("Jump", macro::macroTexts({}, zeroReport())).ok());
        });
        f.showActive();
        f.w->showCustomizePage();
        assignByHand(f, 42, "Jump"); // A
        f.w->showMacrosPage();
        auto *list = f.ctx().macros->findChild<QComboBox *>("macro_name_combo");
        choose(list, list->findText("Jump"));
        auto *name = f.ctx().macros->findChild<QLineEdit *>("macro_name_edit");
        name->setText("Leap");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(list->currentText(), QStringLiteral("Leap"));
        f.w->showCustomizePage();
        QTest::mouseClick(f.w.get(), Qt::LeftButton, {}, WindowFixture::centreOf(42));
        QCOMPARE(f.panel().widgets().assignMacroCombo->currentText(), QStringLiteral("Leap"));
    }

    // Each key alone, then with Shift held around it, recorded on the MACROS
    // page of the window: the key's own code and name on every row. On the
    // German layout the key typing z sits where a US keyboard has Y: the rows
    // name what the key types, the code says where it sits.
    void recorderTakesThePhysicalKey()
    {
        QFETCH(bool, german);
        const Layout layout = german ? germanLayout() : usLayout();
        WindowFixture f;
        f.showActive();
        f.w->showMacrosPage();
        MacroPage *page = f.ctx().macros;
        page->useManualClock(true);
        auto *record = page->findChild<QPushButton *>("macro_r_record");
        auto *stop = page->findChild<QPushButton *>("macro_r_stop");
        auto *tree = page->findChild<QTreeWidget *>("treeWidget");
        for (const LayoutKey &k : layout) {
            QTest::mouseClick(record, Qt::LeftButton);
            QVERIFY(!page->isIdle());
            sendKey(QEvent::KeyPress, k.key, Qt::NoModifier, k.x11, k.text);
            sendKey(QEvent::KeyRelease, k.key, Qt::NoModifier, k.x11, k.text);
            QStringList expected{k.label + " down", k.label + " up"};
            QVector<int> codes{k.code, k.code};
            if (k.shiftedKey) {
                sendKey(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 50, {});
                sendKey(QEvent::KeyPress, k.shiftedKey, Qt::ShiftModifier, k.x11, k.shiftedText);
                sendKey(QEvent::KeyRelease, k.shiftedKey, Qt::ShiftModifier, k.x11, k.shiftedText);
                sendKey(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier, 50, {});
                expected << "Shift down" << k.shiftedLabel + " down" << k.shiftedLabel + " up"
                         << "Shift up";
                codes << 0xE1 << k.code << k.code << 0xE1;
            }
            QTest::mouseClick(stop, Qt::LeftButton);
            QStringList rows;
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                rows << tree->topLevelItem(i)->text(0) + ' ' + tree->topLevelItem(i)->text(1);
            const QString which = QStringLiteral("key %1").arg(k.x11);
            QCOMPARE(rows, expected);
            const Report &image = page->recorder().commandImage();
            QVector<int> recorded;
            for (int e = 0; e < codes.size(); ++e)
                recorded << image[size_t(12 + 3 * e)];
            QVERIFY2(recorded == codes, qPrintable(which));
        }
    }
};

QTEST_MAIN(FlowsTest)
#include "tst_flows.moc"
