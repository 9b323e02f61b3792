// The window without a mouse, through the keys a user presses: the ends of
// the Tab order (and the captions screen readers name the lists by), the key cursor and its popup on CUSTOMIZE, a key capture
// started and cancelled from the keyboard, Alt+1 .. Alt+5 (left to a running
// recording), and keys marked and painted on LIGHTING, with the reports that
// follow worked out by hand.

#include "WindowFixture.h"
#include "core/controller/ConsoleController.h"
#include "core/macro/MacroFile.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/settings/SettingsPage.h"
#include "ui/shell/KeyPopup.h"
#include "ui/shell/KeyboardAccess.h"

#include <QAccessible>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

void press(QWidget *w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(w, key, mods);
}

} // namespace

class KeyboardAccessTest : public QObject
{
    Q_OBJECT
private slots:
    // Tab from a CUSTOMIZE control that LIGHTING now covers starts the chain of
    // the page shown (SELECT PROFILE first), never goes on to covered controls;
    // a frame shows where the focus went.
    void tabFromACoveredControlEntersThePageShown()
    {
        WindowFixture f;
        f.showActive();
        QWidget *covered = f.panel().widgets().keyAssignCombo;
        covered->setFocus(Qt::TabFocusReason);
        f.w->showLightingPage();
        press(covered, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.w->profileMenu()->profileCombo());
        auto *frame = f.w->findChild<QFocusFrame *>();
        QVERIFY(frame && frame->isVisible());
        QCOMPARE(frame->widget(), f.w->profileMenu()->profileCombo());
    }

    // Screen readers on Linux read a list's entry as its name, and what the
    // list is from the caption that labels it: every list has one.
    void everyListIsLabelledByItsCaption()
    {
        WindowFixture f;
        QStringList lists, unlabelled;
        for (QComboBox *list : f.w->findChildren<QComboBox *>()) {
            lists << list->accessibleName();
            if (QAccessible::queryAccessibleInterface(list)->relations(QAccessible::Label).isEmpty())
                unlabelled << list->accessibleName();
        }
        QVERIFY2(lists.contains("SELECT MACRO") && lists.contains("LANGUAGE"), qPrintable(lists.join(", ")));
        QCOMPARE(unlabelled, QStringList());
    }

    // Buttons of one page that read the same (the two DELETEs of MACROS) are
    // told apart by their descriptions, in each of the three languages.
    void sameNamedButtonsAreToldApart()
    {
        WindowFixture f;
        const struct {
            QString code, deletesTheMacro, deletesTheEvent;
        } languages[] = {{"0", "Deletes the selected macro", "Deletes the selected event"},
                         {"1", "刪除所選的巨集", "刪除所選的事件"},
                         {"2", "删除所选的巨集", "删除所选的事件"}};
        for (const auto &[code, deletesTheMacro, deletesTheEvent] : languages) {
            f.w->switchLanguage(code);
            ConsoleContext &c = f.ctx();
            const auto description = [&c](const char *button) {
                return c.macros->findChild<QPushButton *>(button)->accessibleDescription();
            };
            QCOMPARE(description("macro_name_btn_del"), deletesTheMacro);
            QCOMPARE(description("macro_r_del"), deletesTheEvent);
            for (QWidget *page : {static_cast<QWidget *>(c.macros),
                                  static_cast<QWidget *>(c.lighting),
                                  static_cast<QWidget *>(c.settings)}) {
                QMultiMap<QString, QString> described; // name -> description
                for (QPushButton *b : page->findChildren<QPushButton *>()) {
                    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
                    described.insert(a->text(QAccessible::Name), a->text(QAccessible::Description));
                }
                for (const QString &name : described.uniqueKeys()) {
                    const QStringList d = described.values(name);
                    QVERIFY2(QSet<QString>(d.begin(), d.end()).size() == d.size(),
                             qPrintable(code + ": " + name + " / " + d.join(" | ")));
                }
            }
        }
    }

    // The status band's offers come after Close in the Tab order: TRY THE
    // VIRTUAL KEYBOARD while no keyboard is connected, UNDO after a deletion.
    void statusBandOffersAreReachedWithTab()
    {
        WindowFixture f(Plug::ByTest);
        f.unplug(); // the preloaded fake keyboard, found at start-up
        f.showActive();
        QVERIFY(RecordedMacroFile::create(2).ok());
        f.ctx().macros->showMacro("Macro 2");
        f.ctx().macros->deleteMacroClicked();
        QTRY_VERIFY(f.w->tryVirtualButton()->isVisible());
        QVERIFY(f.w->undoButton()->isVisible());
        f.w->closeButton()->setFocus(Qt::TabFocusReason);
        press(f.w->closeButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.w->tryVirtualButton());
        press(f.w->tryVirtualButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.w->undoButton());
    }

    // F chosen with the arrows and Space; Escape closes its popup and cancels
    // the capture that Single Key starts (nothing is sent); Space on ASSIGN
    // takes Tab, Enter there then B, and APPLY sends F as B.
    void keyChosenAndCapturedFromTheKeyboard()
    {
        WindowFixture f;
        f.showActive();
        CustomizePanel &p = f.panel();
        KeyCursor *cursor = f.w->keyboardAccess()->customizeCursor();
        cursor->setFocus(Qt::TabFocusReason);
        press(cursor, Qt::Key_Down, {}, 3);  // ESC, ~, Tab, Caps
        press(cursor, Qt::Key_Right, {}, 4); // A, S, D, F
        QCOMPARE(f.ctx().keyPopup->findChildren<QLabel *>().value(0)->text(), QStringLiteral("F"));
        QVERIFY(f.ctx().keyPopup->isVisible());
        QVERIFY(cursor->accessibleName().startsWith("Keyboard picture: F, Default, red "));
        press(cursor, Qt::Key_Space);
        QCOMPARE(p.selectedKey(), 45);
        QCOMPARE(p.widgets().selectedKeyLabel->text(), QStringLiteral("F"));
        press(cursor, Qt::Key_Escape);
        QVERIFY(!f.ctx().keyPopup->isVisible());
        QVERIFY(cursor->hasFocus());

        f.clear();
        p.widgets().keyAssignCombo->setFocus(Qt::TabFocusReason);
        press(p.widgets().keyAssignCombo, Qt::Key_Down, {}, 2); // Macro Key, then Single Key
        QVERIFY(p.capturingKey());
        press(f.w.get(), Qt::Key_Escape); // cancelled: nothing taken, the focus on ASSIGN
        QVERIFY(p.widgets().newKeyEdit->hasFocus());
        QCOMPARE(p.widgets().newKeyEdit->text(), QString());
        QCOMPARE(int(p.capturedUsage()), 0);
        press(p.widgets().customizeApplyButton, Qt::Key_Return);
        QVERIFY(f.sent().isEmpty());

        press(p.widgets().newKeyEdit, Qt::Key_Space);
        press(f.w.get(), Qt::Key_Tab); // Tab is a key like any other here
        QCOMPARE(p.widgets().newKeyEdit->text(), QStringLiteral("Tab"));
        QVERIFY(p.widgets().newKeyEdit->hasFocus());
        press(p.widgets().newKeyEdit, Qt::Key_Return);
        press(f.w.get(), Qt::Key_B);
        QVERIFY(p.widgets().newKeyEdit->hasFocus());
        press(p.widgets().customizeApplyButton, Qt::Key_Return);
        // select profile 1; the factory key map with F (0x09, first at 34)
        // sending B (0x05); the closing zeros
        QCOMPARE(f.sent(), (QVector<QByteArray>{selectReport(1), keyMapReport(1, 34, 0x05),
                                                QByteArray(264, 0)}));
    }

    // Alt+3 switches to profile 3 from anywhere; during a recording the keys
    // are the recording's and the profile stays.
    void altDigitsSwitchProfilesButNotDuringARecording()
    {
        WindowFixture f;
        f.showActive();
        f.panel().widgets().keyAssignCombo->setFocus();
        f.clear();
        press(f.panel().widgets().keyAssignCombo, Qt::Key_3, Qt::AltModifier);
        QCOMPARE(f.ctx().controller->bindings().active, 3);
        QCOMPARE(f.sent().value(0), selectReport(3));
        QCOMPARE(f.w->profileButtons()[2]->toolTip(),
                 QKeySequence(Qt::ALT | Qt::Key_3).toString(QKeySequence::NativeText));

        f.w->showMacrosPage();
        f.ctx().macros->startRecording();
        f.clear();
        press(f.ctx().macros, Qt::Key_2, Qt::AltModifier);
        QCOMPARE(f.ctx().controller->bindings().active, 3);
        QVERIFY(f.sent().isEmpty());
        f.ctx().macros->stopRecording();
        press(f.ctx().macros, Qt::Key_2, Qt::AltModifier);
        QCOMPARE(f.ctx().controller->bindings().active, 2);
    }

    // Static, CUSTOMIZED, colour 0000FF typed: Shift+Right twice from ESC marks
    // ESC, F1 and F2, Space paints them, APPLY sends them at LED slots 8, 16, 24.
    // Then Arrow Flow on a pattern of the user's: Right chooses the first stop,
    // 00FF00 typed colours it, and APPLY sends it as zone 0 of the zone table's
    // second table (red at 76, green at 98, blue at 120).
    void keysAndStopsPaintedAndSentFromTheKeyboard()
    {
        WindowFixture f;
        f.showActive();
        f.w->showLightingPage();
        LightingPage *page = f.ctx().lighting;
        page->findChild<QPushButton *>("btn_customized")->click();
        QLineEdit *code = page->findChild<QLineEdit *>("edit_code");
        QPushButton *apply = page->findChild<QPushButton *>("btn_apply");
        code->setText("0000FF");
        press(code, Qt::Key_Return);
        const Rgb before = page->keyColour(3);
        KeyCursor *cursor = f.w->keyboardAccess()->lightingCursor();
        cursor->setFocus(Qt::TabFocusReason);
        press(cursor, Qt::Key_Right, Qt::ShiftModifier, 2);
        QCOMPARE(cursor->selection(), (QVector<int>{0, 1, 2}));
        press(cursor, Qt::Key_Space);
        for (int key : {0, 1, 2})
            QCOMPARE(page->keyColour(key), (Rgb{0, 0, 255}));
        QCOMPARE(page->keyColour(3), before);
        QVERIFY(!cursor->marking());
        f.clear();
        press(apply, Qt::Key_Return);
        QCOMPARE(f.sent().size(), 5);
        for (int slot : {8, 16, 24}) {
            QCOMPARE(f.sent()[1][slot], char(0));    // red
            QCOMPARE(f.sent()[3][slot], char(0xFF)); // blue
        }

        page->findChild<QComboBox *>("effect_combo")->setCurrentIndex(2); // Arrow Flow
        page->findChild<QPushButton *>("btn_customized")->click();
        page->findChild<QPushButton *>("btn_pattern_add")->click();
        QVERIFY(page->model().userPatternChosen());
        auto *stops = page->findChild<QWidget *>("stopCursor");
        QVERIFY(stops->isVisible());
        QVERIFY(f.w->keyboardAccess()->tabChain().contains(stops));
        stops->setFocus(Qt::TabFocusReason);
        press(stops, Qt::Key_Right);
        QCOMPARE(page->model().stopEditor().selectedSlot(), 0);
        QVERIFY(stops->accessibleName().startsWith("STOPS CONTROL: stop 1, red "));
        code->setText("00FF00");
        press(code, Qt::Key_Return);
        QCOMPARE(page->model().stops()[0].color, (Rgb{0, 255, 0}));
        f.clear();
        press(apply, Qt::Key_Return);
        QCOMPARE(f.sent().size(), 5);
        const QByteArray zones = f.sent()[3];
        QCOMPARE(zones.left(3), QByteArray("\x07\x0d\x01", 3));
        QCOMPARE(hex(zones.mid(76, 1) + zones.mid(98, 1) + zones.mid(120, 1)), QString("00ff00"));
    }
};

QTEST_MAIN(KeyboardAccessTest)
#include "tst_keyboardaccess.moc"
