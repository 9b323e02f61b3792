// The main window: its shell, its left profile menu on real directories, and
// its CUSTOMIZE panel, against an in-memory keyboard; the user's sequences
// across profiles, pages and the factory reset.

#include "WindowFixture.h"
#include "core/controller/ConsoleController.h"
#include "core/device/KeyboardLink.h"
#include "core/macro/MacroFile.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/DataPaths.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/RecordedMacroFile.h"
#include "core/storage/StoredList.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/shell/ConsoleTray.h"
#include "ui/shell/ResetProgressView.h"
#include "ui/shell/Shell.h"
#include "ui/shell/WindowScale.h"

#include <QApplication>
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSemaphore>
#include <QSlider>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// A macro file whose image holds one marker byte at 10.
void assignMacro(WindowFixture &f, int cell, const QString &macro, int repeat,
                 const char *count = "1")
{
    CustomizePanel &p = f.panel();
    QVERIFY(RecordedMacroFile::write(macro, macro::macroTexts({}, reportOf({{10, 0x80}}))).ok());
    f.select(cell, 1);
    p.widgets().assignMacroCombo->setCurrentIndex(p.widgets().assignMacroCombo->findText(macro));
    p.widgets().repeatCombo->setCurrentIndex(repeat);
    p.widgets().repeatCountEdit->setText(count);
    p.applyKeyAssignment();
}

// The panel as shown: assignment / CURRENT / ASSIGN MACRO / REPATE OPTION /
// count, each blank while hidden.
QString shown(const CustomizePanel &p)
{
    auto text = [](const QWidget *w, const QString &t) { return w->isVisible() ? t : QString(); };
    return QStringList{
        p.widgets().keyAssignCombo->currentText(),
        text(p.widgets().currentAssignment, p.widgets().currentAssignment->text()),
        text(p.widgets().assignMacroCombo, p.widgets().assignMacroCombo->currentText()),
        text(p.widgets().repeatCombo, p.widgets().repeatCombo->currentText()),
        text(p.widgets().repeatCountEdit, p.widgets().repeatCountEdit->text())}
        .join('/');
}

// The see-through cap of the keyboard picture around `seed` (picture
// coordinates): the bounding box of the fully transparent pixels joined to it.
// A seed on a legend stroke moves down to the first clear pixel.
QRect drawnCap(const QImage &art, QPoint seed)
{
    for (int down = 0; down < 8 && art.rect().contains(seed) && qAlpha(art.pixel(seed)) != 0;
         ++down)
        seed.ry() += 1;
    if (!art.rect().contains(seed) || qAlpha(art.pixel(seed)) != 0)
        return {};
    QVector<bool> seen(art.width() * art.height());
    QVector<QPoint> todo{seed};
    seen[seed.y() * art.width() + seed.x()] = true;
    QRect box(seed, seed);
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        box |= QRect(p, p);
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + step;
            if (!art.rect().contains(q) || seen[q.y() * art.width() + q.x()] ||
                qAlpha(art.pixel(q)) != 0)
                continue;
            seen[q.y() * art.width() + q.x()] = true;
            todo.append(q);
        }
    }
    return box;
}

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

// A handful of the keys every layout shares (the same code and name alone, no
// shifted case): twins on the left and right, and keypad keys that type what
// another key types.
Layout commonKeys()
{
    return {{9, Qt::Key_Escape, "\x1b", 0, {}, 0x29, "Esc", {}},
            {23, Qt::Key_Tab, "\t", 0, {}, 0x2B, "Tab", {}},
            {36, Qt::Key_Return, "\r", 0, {}, 0x28, "Enter", {}},
            {62, Qt::Key_Shift, {}, 0, {}, 0xE5, "Shift", {}},
            {65, Qt::Key_Space, " ", 0, {}, 0x2C, "Space", {}},
            {67, Qt::Key_F1, {}, 0, {}, 0x3A, "F1", {}},
            {105, Qt::Key_Control, {}, 0, {}, 0xE4, "Ctrl", {}},
            {133, Qt::Key_Meta, {}, 0, {}, 0xE3, "Win", {}},
            {90, Qt::Key_0, "0", 0, {}, 0x62, "0", {}},
            {104, Qt::Key_Enter, "\r", 0, {}, 0x58, "Enter", {}},
            {106, Qt::Key_Slash, "/", 0, {}, 0x54, "/", {}}};
}

// The digit row 1..9, 0 (codes 0x1E..0x27), each with the symbol Shift gives it.
void addDigits(Layout &keys, const QString &shifted, const QVector<int> &shiftedKeys)
{
    for (int i = 0; i < 10; ++i) {
        const QString digit = QString::number((i + 1) % 10);
        keys.append({quint32(10 + i), Qt::Key_0 + (i + 1) % 10, digit, shiftedKeys[i],
                     shifted.mid(i, 1), 0x1E + i, digit, digit});
    }
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
    addDigits(keys, "!@#$%^&*()",
              {Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign, Qt::Key_Dollar, Qt::Key_Percent,
               Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk, Qt::Key_ParenLeft,
               Qt::Key_ParenRight});
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
    addDigits(keys, QStringLiteral("!\"\u00a7$%&/()="),
              {Qt::Key_Exclam, Qt::Key_QuoteDbl, Qt::Key_section, Qt::Key_Dollar, Qt::Key_Percent,
               Qt::Key_Ampersand, Qt::Key_Slash, Qt::Key_ParenLeft, Qt::Key_ParenRight,
               Qt::Key_Equal});
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

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    // The LIGHTING page built anew for another language shows the effect entered.
    void languageSwitchKeepsTheEnteredEffect()
    {
        WindowFixture f;
        f.w->showLightingPage();
        auto effects = [&f] { return child<QComboBox>(f.ctx().lighting, "effect_combo"); };
        effects()->setCurrentIndex(EffectArrowFlow);
        f.w->switchLanguage("1");
        QCOMPARE(effects()->currentIndex(), int(EffectArrowFlow));
    }

    // The control socket's light pulse through the keyboard link: while the
    // keyboard is busy only the newest tick waits, and "stop" withdraws it.
    void lightPulseTicksWaitOneAtATimeUntilTheStop()
    {
        QSemaphore gate; // the first pause waits there (the link's worker outlives a failed check)
        WindowFixture f;
        const auto release = qScopeGuard([&gate] { gate.release(1000); });
        f.keyboard.afterPause = [&f, &gate] {
            {
                const QMutexLocker lock(&f.keyboard.mutex);
                f.keyboard.afterPause = nullptr; // the first pause only
            }
            gate.acquire();
        };
        const auto paused = [&f] {
            const QMutexLocker lock(&f.keyboard.mutex);
            return f.keyboard.pauses.size();
        };
        KeyboardLink *link = f.link();
        QSignalSpy finished(link, &KeyboardLink::operationFinished);
        const auto withdrawn = [&] {
            return std::count_if(finished.begin(), finished.end(), [](const QList<QVariant> &a) {
                return a[1].value<KeyboardLink::Outcome>() == KeyboardLink::Outcome::Withdrawn;
            });
        };
        const auto message = [&](const QVariantMap &map) {
            f.ctx().controller->runSocketCommand(socketActionFor(map));
        };

        f.w->profileButtons()[1]->click(); // the keyboard is busy with PROFILE 2
        QTRY_COMPARE(paused(), 1);
        message({{"command", 7}, {"Data", 7}, {"app_cmd", 3}});
        QTRY_VERIFY_WITH_TIMEOUT(withdrawn() >= 2, 5000); // three ticks came meanwhile
        QCOMPARE(link->pending(), 2);
        message({{"command", 7}, {"Data", 8}}); // stop
        QCOMPARE(link->pending(), 1);
        gate.release();
        f.w->profileButtons()[2]->click(); // proves the queue moved on
        QCOMPARE(f.sent(), QVector<QByteArray>({selectReport(2), selectReport(3)}));
        QCOMPARE(f.paused(), QVector<unsigned>({100, 100}));
    }

    // Every key of the key table, clicked at the middle of its cap as the
    // keyboard picture draws it and 2 px inside its left edge (the legend's
    // side), selects that key on CUSTOMIZE and paints it on LIGHTING, in the
    // window at full size and scaled down.
    void everyPicturedKeySelectsItselfOnBothPages_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("full size") << 1.0;
        QTest::newRow("scaled to 0.9") << 0.9;
    }
    void everyPicturedKeySelectsItselfOnBothPages()
    {
        QFETCH(double, scale);
        WindowFixture f;
        const QImage art(QStringLiteral("Image/^C123EE04E9FA79AD51A70EB85EDC4904B9A42220E25096A89F"
                                        "^pimgpsh_fullsize_distr.png"));
        QCOMPARE(art.size(), QSize(699, 242));
        // Each key's drawn cap, found from the middle of its region in the key table.
        // Key, then its cap's centre and left edge point in picture coordinates.
        QVector<QPair<int, QVector<QPoint>>> caps;
        for (int k = 0; k < kKeyCount; ++k) {
            const KeyRange &h = KEY_TABLE[k].hit;
            if (!KEY_TABLE[k].label)
                continue;
            const QRect cap =
                drawnCap(art, QPoint((h.x0 + h.x1) / 2 - 351, (h.y0 + h.y1) / 2 - 140));
            QVERIFY2(cap.width() >= 16 && cap.height() >= 16, KEY_TABLE[k].label);
            caps.append({k, {cap.center(), QPoint(cap.left() + 2, cap.center().y())}});
        }
        QCOMPARE(caps.size(), 102);

        std::unique_ptr<QWidget> view; // shows the window scaled, as on a small screen
        if (scale < 1.0)
            view = scaledView(*f.w, scale);
        f.w->show();
        if (view)
            view->show();
        QWindow *shown = (view ? view.get() : f.w.get())->windowHandle();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        const auto click = [&](QPoint at) { // a window point, through the window as shown
            if (view)
                at = static_cast<QGraphicsView *>(view.get())->mapFromScene(QPointF(at));
            QTest::mouseClick(shown, Qt::LeftButton, {}, at);
        };

        QStringList misses;
        QCOMPARE(f.panel().widgets().keyboardPicture->mapTo(f.w.get(), QPoint(0, 0)),
                 QPoint(351, 140));
        // Point by point across all keys: a click that selects nothing leaves the
        // key before selected.
        for (int point = 0; point < 2; ++point)
            for (const auto &[key, points] : caps) {
                click(QPoint(351, 140) + points[point]);
                if (f.panel().selectedKey() != key)
                    misses << QStringLiteral("CUSTOMIZE %1.%2").arg(key).arg(point);
            }

        f.w->showLightingPage();
        LightingPage &page = *f.ctx().lighting;
        page.findChild<QComboBox *>(QStringLiteral("effect_combo"))->setCurrentIndex(0);
        emit page.findChild<QPushButton *>(QStringLiteral("btn_customized"))->released();
        QVERIFY(page.model().perKeyEditing());
        const auto *shownPicture = f.w->findChild<QLabel *>(QStringLiteral("keyboard_picture"));
        QVERIFY(shownPicture && shownPicture->isVisible());
        const QPoint picture = shownPicture->mapTo(f.w.get(), QPoint(0, 0));
        auto *code = page.findChild<QLineEdit *>(QStringLiteral("edit_code"));
        for (const auto &[key, points] : caps)
            for (int point = 0; point < 2; ++point) {
                const Rgb mark{key, 201, 7 + 40 * point}; // a colour of this click alone
                code->setText(QString::asprintf("%02x%02x%02x", mark.r, mark.g, mark.b));
                emit code->returnPressed();
                click(picture + points[point]);
                int others = 0;
                for (int k = 0; k < kKeyCount; ++k)
                    others += k != key && page.keyColour(k) == mark ? 1 : 0;
                if (!(page.keyColour(key) == mark) || others != 0)
                    misses << QStringLiteral("LIGHTING %1.%2").arg(key).arg(point);
            }
        QVERIFY2(misses.isEmpty(), qPrintable(misses.join(", ")));
    }

    // The key being assigned comes only from keys pressed for it, not from keys
    // typed into another field (Enter, Tab); while assigning, Tab is a key too.
    // The panel shows what the selected key does in the profile shown after
    // every change; choosing a saved profile binds it to the active slot; an
    // APPLY writes the shown profile's own tables.
    void keyCaptureProfilesAndThePanel()
    {
        WindowFixture f;
        MainWindow &w = *f.w;
        QComboBox *list = f.menu().profileCombo();
        w.show();
        assignMacro(f, 43, "Jump", 2);      // S: When Perss & Hold
        assignMacro(f, 44, "Jump", 1, "7"); // D: Multiple Times 7
        const auto pending = [&] {
            return f.panel().widgets().newKeyEdit->text() +
                   QString::number(f.panel().capturedUsage());
        };
        f.select(42, 2);
        QCOMPARE(f.panel().widgets().newKeyEdit->placeholderText(),
                 QStringLiteral("Waiting for a key: press it now"));
        QTest::keyClick(&w, Qt::Key_Tab);
        QCOMPARE(pending(), QStringLiteral("Tab43"));
        f.select(42, 2);
        QTest::keyClick(&w, Qt::Key_B);
        f.menu().profileNameEdit()->setFocus();
        QTest::keyClick(f.menu().profileNameEdit(), Qt::Key_Return);
        QTest::keyClick(f.menu().profileNameEdit(), Qt::Key_Tab);
        QCOMPARE(pending(), QStringLiteral("b5"));
        f.panel().applyKeyAssignment(); // A sends b
        const QByteArray bindings = readText("system/profile_connect.ini").toUtf8();
        w.activateProfile(2); // binds nothing
        QCOMPARE(readText("system/profile_connect.ini").toUtf8(), bindings);
        const QVector<QPair<std::function<void()>, QString>> steps{
            {[] {}, "Default////"},
            {[&] { w.activateProfile(1); }, "Single Key/b///"},
            {[&] { QTest::mousePress(&w, Qt::LeftButton, {}, f.centreOf(43)); },
             "Macro Key//Jump/When Perss & Hold/"},
            {[&] { list->setCurrentText("PROFILE 3"); }, "Default////"},
            {[&] { f.assignSingle(0, Qt::Key_Q); }, "Single Key/q///"},
            {[&] { list->setCurrentText("PROFILE 1"); }, "Default////"},
            {[&] { QTest::mousePress(&w, Qt::LeftButton, {}, f.centreOf(44)); },
             "Macro Key//Jump/Multiple Times/7"}};
        for (const auto &step : steps) {
            step.first();
            QCOMPARE(shown(f.panel()), step.second);
        }
        QCOMPARE(takeItems(AssignmentFile::read("PROFILE 3").kinds, 108).mid(42, 3),
                 QStringList({"0", "0", "0"}));
        list->setCurrentText("PROFILE 3"); // chosen for slot 1
        QCOMPARE(iniText("system/profile_connect.ini", "Setting/1"), QStringLiteral("PROFILE 3"));
        f.clear(); // the factory Wave's red and blue zones, replayed as shipped
        list->setCurrentText("PROFILE 4");
        QCOMPARE(hex(f.sent().value(1).mid(8, 22)) + hex(f.sent().value(1).mid(52, 22)),
                 QStringLiteral("ffc899220000000000003800"
                                "1a4b81b587999981816e"
                                "0000000066b7fff8fff6c7f4"
                                "c7c7c7c7762e0018182b"));
        f.ctx().controller->bindings().names[3] =
            "Gone"; // a slot whose folder is gone gets its own back
        w.activateProfile(4);
        QCOMPARE(f.ctx().controller->bindings().names[3], QStringLiteral("PROFILE 4"));
        QCOMPARE(iniText("system/profile_connect.ini", "Setting/4"), QStringLiteral("PROFILE 4"));
    }

    void instantShiftAndFactoryReset()
    {
        WindowFixture f;
        CustomizePanel &p = f.panel();
        auto target = [&](const char *t) { p.widgets().shiftCombo->setCurrentText(t); };
        target("PROFILE 3");
        f.clear();
        emit p.widgets().shiftButtons[0]->released(); // left SHIFT (121) sends 184 + 3
        QCOMPARE(f.sent(), (QVector<QByteArray>{selectReport(1), keyMapReport(1, 121, 187),
                                                QByteArray(264, 0)}));
        QCOMPARE(f.paused(), QVector<unsigned>(3, 300));
        QCOMPARE(readText("system/iss_flag.ini"),
                 "[Setting]\nalt=\"0,0,0,0,0\"\nctrl=\"0,0,0,0,0\"\nshift=\"3,0,0,0,0\"\n");
        target("PROFILE 2"); // bound elsewhere: disabled for another target
        QVERIFY(!p.shiftEnabled(0));
        target("PROFILE 3"); // off again restores the modifier
        emit p.widgets().shiftButtons[0]->released();
        QCOMPARE(int(f.ctx().controller->keyMap()[121]), 225);
        QCOMPARE(iniText("system/iss_flag.ini", "Setting/shift"), QStringLiteral("0,0,0,0,0"));

        MainWindow &w = *f.w;
        w.show();
        assignMacro(f, 42, "Jump", 0);
        emit p.widgets().shiftButtons[2]->released();
        w.activateProfile(3);
        f.clear();
        QSignalSpy resetDone(&w, &MainWindow::factoryResetFinished);
        w.factoryResetClicked();
        QVERIFY(!f.ctx().resetView->isHidden()); // its bar closes when the keyboard has it all
        QVERIFY(resetDone.wait());
        QTRY_VERIFY(f.ctx().resetView->isHidden());
        // Lighting resets (5+5+5+3+8), 25 default reports, then the select of slot 1.
        const int lighting = 5 + 5 + 5 + 3 + 8;
        QCOMPARE(f.sent().size(), lighting + 25 + 1);
        QCOMPARE(f.paused(), QVector<unsigned>(lighting + 25 + 1, 100));
        QCOMPARE(f.sent().last(), selectReport(1));
        QCOMPARE(shown(f.panel()), QStringLiteral("////")); // nothing selected, nothing stale
        // Each slot's factory effect on the keyboard and stored with the profile
        // linked to it; no macro key and no instant shift left.
        const VirtualKeyboardState keyboard = decode(f.sent());
        for (int n = 1; n <= 5; ++n) {
            const QString profile = QStringLiteral("PROFILE %1").arg(n);
            QCOMPARE(keyboard.profile(n).mode.effect, n - 1);
            QCOMPARE(iniText(DataPaths::lightCmdPath(profile), "Setting/type"),
                     QString::number(n - 1));
            QCOMPARE(MacroReportsFile::count(profile), 0);
        }
        QCOMPARE(readText("system/iss_flag.ini"),
                 "[Setting]\nalt=\"0,0,0,0,0\"\nctrl=\"0,0,0,0,0\"\nshift=\"0,0,0,0,0\"\n");
    }

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
            // A sends b (Single Key chosen, b typed, APPLY); then the LIGHTING page applies Wave.
            QTest::mouseClick(&w, Qt::LeftButton, {}, WindowFixture::centreOf(42));
            choose(f.panel().widgets().keyAssignCombo, 2);
            QTest::keyClick(w.windowHandle(), Qt::Key_B);
            QTest::mouseClick(f.panel().widgets().customizeApplyButton, Qt::LeftButton);
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
    // A key that plays a macro still shows it in ASSIGN MACRO once the macro is
    // renamed on the MACROS page. (The files of every profile: tst_controller.)
    void renamedMacroStaysOnItsKey()
    {
        WindowFixture f(Plug::Attached, [] {
            QVERIFY(RecordedMacroFile::write("Jump", macro::macroTexts({}, zeroReport())).ok());
        });
        f.showActive();
        f.w->showCustomizePage();
        // A plays Jump (Macro Key chosen, Jump chosen, APPLY).
        CustomizePanel &p = f.panel();
        QTest::mouseClick(f.w.get(), Qt::LeftButton, {}, WindowFixture::centreOf(42));
        choose(p.widgets().keyAssignCombo, 1);
        choose(p.widgets().assignMacroCombo, p.widgets().assignMacroCombo->findText("Jump"));
        QTest::mouseClick(p.widgets().customizeApplyButton, Qt::LeftButton);
        f.w->showMacrosPage();
        auto *list = f.ctx().macros->findChild<QComboBox *>("macro_name_combo");
        choose(list, list->findText("Jump"));
        auto *name = f.ctx().macros->findChild<QLineEdit *>("macro_name_edit");
        name->setText("Leap");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(list->currentText(), QStringLiteral("Leap"));
        f.w->showCustomizePage();
        QTest::mouseClick(f.w.get(), Qt::LeftButton, {}, WindowFixture::centreOf(42));
        QCOMPARE(p.widgets().assignMacroCombo->currentText(), QStringLiteral("Leap"));
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

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
