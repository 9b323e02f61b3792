// The keyboard is brought up to date: what was saved while it was away (or
// while the other keyboard was in use) follows when it appears, slot by slot,
// then the active slot is selected; an unplug in the middle leaves the rest
// for the next time; slots never changed are never sent. Mistakes can be
// undone: a factory reset, a profile Delete and a macro Delete each keep their
// files first; UNDO puts back every byte and the links, and the keyboard gets
// the restored slots again.

#include "WindowFixture.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/UndoStore.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "ui/macro/MacroPage.h"
#include "ui/shell/ConsoleTray.h"
#include "ui/shell/StatusBand.h"
#include "ui/virtual/VirtualKeyboardHost.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <atomic>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// Matrix positions (first match in the factory key map) of the keys used here.
constexpr int kPositionOfA = 40; // usage 0x04
constexpr int kPositionOfB = 37; // usage 0x05

// The record of which slots each keyboard still misses.
QString marks(const QString &usb, const QString &virt)
{
    QString text;
    for (const auto &[group, missing] : {std::pair{"usb", usb}, {"virtual", virt}}) {
        text += QString(text.isEmpty() ? "[%1]\n" : "\n[%1]\n").arg(group);
        for (int n = 1; n <= 5; ++n)
            text += QString("%1=%2\n").arg(n).arg(missing.contains(QString::number(n)) ? 1 : 0);
    }
    return text;
}

// Slot 3 gets the Wave, slot 2 (left active) A typing b.
void changeSlotsTwoAndThree(WindowFixture &f)
{
    f.activate(3);
    f.lighting().findChild<QComboBox *>("effect_combo")->setCurrentIndex(EffectWave);
    f.lighting().applyClicked();
    f.activate(2);
    f.assignSingle(cellOfUsage(0x04), Qt::Key_B);
    QVERIFY(f.settled());
}

// The data directory but the record of what each keyboard holds, which
// follows the keyboard rather than the user's settings.
QMap<QString, QByteArray> settingsOnDisk()
{
    QMap<QString, QByteArray> dump = filesBelow(".");
    dump.remove(SlotSync::stateFile());
    return dump;
}

} // namespace

class KeyboardSyncTest : public QObject
{
    Q_OBJECT
private slots:
    // What changed while the keyboard was away follows, slot by slot, when it is
    // back, then the selection; an unplug in the middle leaves the rest for the
    // next time; an up-to-date keyboard gets the selection only.
    void changesMadeWhileUnpluggedFollowOnReplug()
    {
        WindowFixture f(Plug::ByTest);
        QVERIFY(f.plug());
        // Nothing was changed: the keyboard only gets the active slot.
        QCOMPARE(f.keyboard.take(), QVector<QByteArray>{selectReport(1)});

        f.unplug();
        changeSlotsTwoAndThree(f);
        QCOMPARE(f.sent().size(), 0);
        QTRY_COMPARE(readText(SlotSync::stateFile()), marks("23", "23"));

        // Back, but it goes away again just after slot 3's first report.
        f.keyboard.afterPause = [&f] {
            {
                QMutexLocker lock(&f.keyboard.mutex);
                const QByteArray last = f.keyboard.reports.value(f.keyboard.reports.size() - 1);
                if (quint8(last[1]) != 0x02 || quint8(last[2]) != 3)
                    return;
                f.keyboard.afterPause = nullptr;
            }
            f.unplug();
        };
        QStringList notices;
        connect(f.sync(), &SlotSync::progress, this,
                [&] { notices << f.w->statusBand()->noticeText(); });
        QSignalSpy finished(f.sync(), &SlotSync::updateFinished);
        QVERIFY(f.plug());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first(), (QVariantList{1, 1}));
        QVector<unsigned> pauses = f.keyboard.pauses;
        const QVector<QByteArray> log = f.keyboard.take();
        const int at = expectSlot(log, pauses, 0, 2, EffectReactive, // PROFILE 2's factory set
                                  keyMapReport(2, kPositionOfA, 0x05));
        QCOMPARE(at, log.size() - 1); // and slot 3's first report
        QCOMPARE(notices,
                 (QStringList{"Updating the keyboard: 1 of 2", "Updating the keyboard: 2 of 2"}));
        QCOMPARE(f.w->statusBand()->noticeText(),
                 QString("The keyboard went away during its update: 1 profiles follow when it "
                         "is back"));
        QTRY_COMPARE(f.link()->state(), KeyboardLink::State::Absent);
        QTRY_COMPARE(readText(SlotSync::stateFile()), marks("3", "23"));

        // Back for good: slot 3 whole, then the selection.
        QVERIFY(f.plug());
        pauses = f.keyboard.pauses;
        const QVector<QByteArray> rest = f.keyboard.take();
        QCOMPARE(expectSlot(rest, pauses, 0, 3, EffectWave, keyMapReport(3)), rest.size() - 1);
        QCOMPARE(rest.last(), selectReport(2));
        QCOMPARE(pauses.last(), 100u);
        QCOMPARE(f.w->statusBand()->noticeText(), QString("The keyboard is up to date"));
        QTRY_COMPARE(readText(SlotSync::stateFile()), marks("", "23"));
    }

    void switchingKeyboardsBringsEachUpToDate()
    {
        WindowFixture f(Plug::ByTest);
        QVERIFY(f.plug());
        changeSlotsTwoAndThree(f);
        // What the USB keyboard received, read as the keyboard reads it.
        const VirtualKeyboardState usb = decode(f.keyboard.take(), factoryState());
        QTRY_COMPARE(readText(SlotSync::stateFile()), marks("", "23"));

        // USB -> virtual: the virtual keyboard gets slots 2 and 3, nothing else.
        const VirtualKeyboardState before = f.w->virtualKeyboard()->device()->state();
        f.w->virtualKeyboard()->use();
        QCOMPARE(f.link()->state(), KeyboardLink::State::Virtual);
        QVERIFY(f.settled());
        const VirtualKeyboardState virt = f.w->virtualKeyboard()->device()->state();
        QVERIFY(virt.profile(3) == usb.profile(3));
        QCOMPARE(virt.profile(3).mode.effect, int(EffectWave));
        QVERIFY(virt.profile(2).keyMap == usb.profile(2).keyMap);
        QCOMPARE(int(virt.profile(2).keyMap[kPositionOfA]), 0x05);
        for (int n : {1, 4, 5})
            QVERIFY(virt.profile(n) == before.profile(n));
        QCOMPARE(virt.activeProfile, 2);
        QTRY_COMPARE(readText(SlotSync::stateFile()), marks("", ""));

        // A change on the virtual keyboard, then back to the USB one: it follows.
        f.assignSingle(cellOfUsage(0x05), Qt::Key_C);
        QVERIFY(f.settled());
        QTRY_COMPARE(readText(SlotSync::stateFile()), marks("2", ""));
        QCOMPARE(f.sent().size(), 0);
        f.w->useKeyboardButton()->click();
        QCOMPARE(f.link()->state(), KeyboardLink::State::Connected);
        QVERIFY(f.settled());
        QVector<unsigned> pauses = f.keyboard.pauses;
        const QVector<QByteArray> log = f.keyboard.take();
        QByteArray keyMap = keyMapReport(2, kPositionOfA, 0x05);
        keyMap[8 + kPositionOfB] = 0x06;
        const int at = expectSlot(log, pauses, 0, 2, EffectReactive, keyMap);
        QVERIFY(at > 0);
        QCOMPARE(log.mid(at), QVector<QByteArray>{selectReport(2)});
        QTRY_COMPARE(readText(SlotSync::stateFile()), marks("", ""));
    }

    // The end with a keyboard too slow for the wait: the user's operations it
    // did not get are counted, and their slot is marked out of date on both
    // keyboards, so the next start brings it up to date.
    void theEndMarksWhatTheKeyboardDidNotGet()
    {
        WindowFixture f;
        // The keyboard stays in the switch's pause until the end has given up
        // on the APPLY waiting behind it (the queue then holds only the switch).
        std::atomic<bool> applied{false};
        f.keyboard.afterPause = [&f, &applied] {
            (void)QTest::qWaitFor([&] { return applied && f.link()->pending() <= 1; }, 30000);
        };
        f.activate(3); // the switch, then slot 3's lighting
        f.lighting().findChild<QComboBox *>("effect_combo")->setCurrentIndex(EffectWave);
        f.lighting().applyClicked();
        applied = true;
        QCOMPARE(f.ctx().controller->finishKeyboard(*f.link(), *f.sync(), 20), 2);
        QCOMPARE(readText(SlotSync::stateFile()), marks("3", "3"));
    }

    void undoPutsEverythingBack_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("trayEntry");
        QTest::addColumn<QVector<int>>("restoredSlots");
        QTest::addColumn<bool>("throughTray"); // once the UNDO button has gone
        QTest::newRow("factory reset") << "reset"
                                       << "Undo factory reset" << QVector<int>{1, 2, 3, 4, 5}
                                       << false;
        QTest::newRow("profile delete") << "profile"
                                        << "Undo delete Game" << QVector<int>{1} << true;
        QTest::newRow("macro delete") << "macro"
                                      << "Undo delete Macro 2" << QVector<int>{} << false;
    }

    void undoPutsEverythingBack()
    {
        QFETCH(QString, action);
        QFETCH(QString, trayEntry);
        QFETCH(QVector<int>, restoredSlots);
        QFETCH(bool, throughTray);
        // Instant shift set on PROFILE 4 (the reset turns it off).
        WindowFixture f(Plug::ByTest, [] {
            QVERIFY(writeText("system/iss_flag.ini", "[Setting]\nalt=\"0,0,0,0,0\"\n"
                                                     "ctrl=\"0,0,0,0,0\"\nshift=\"0,0,0,2,0\"\n"));
        });
        ConsoleTray *tray = f.w->createTray();
        QVERIFY(f.plug());
        // Work worth keeping: a saved profile of its own on slot 1 with a key
        // changed, and a macro of the user's.
        QVERIFY(copyProfile("PROFILE 1", "Game"));
        QVERIFY(RecordedMacroFile::create(2).ok());
        f.w->profileMenu()->refillProfileList();
        f.w->profileMenu()->profileCombo()->setCurrentText("Game");
        f.assignSingle(cellOfUsage(0x04), Qt::Key_B);
        f.ctx().macros->showMacro("Macro 2");
        QVERIFY(f.settled());
        f.keyboard.take();
        const auto before = settingsOnDisk();
        const QStringList links = f.ctx().controller->bindings().names;

        if (action == "reset") {
            QSignalSpy done(f.w.get(), &MainWindow::factoryResetFinished);
            f.w->resetButton()->released();
            QVERIFY(done.wait(10000));
        } else if (action == "profile") {
            f.w->profileMenu()->deleteButton()->released();
            QCOMPARE(f.menu().profileCombo()->currentText(), QStringLiteral("PROFILE 1"));
        } else {
            f.ctx().macros->deleteMacroClicked();
        }
        QVERIFY(f.settled());
        QVERIFY(settingsOnDisk() != before);
        QVERIFY(f.w->undoButton()->isVisible());
        QCOMPARE(tray->undoAction(), trayEntry);
        QCOMPARE(f.w->undoButton()->toolTip(), trayEntry); // what it undoes, after the notice
        // The UNDO button is offered for 30 s; the tray keeps its entry after that.
        auto *offer = f.w->findChild<QTimer *>("undo_offer");
        QVERIFY(offer && offer->isActive());
        QCOMPARE(offer->interval(), 30000);

        f.keyboard.take();
        if (throughTray) {
            offer->start(0); // the 30 s are over
            QTRY_VERIFY(f.w->undoButton()->isHidden());
            QCOMPARE(tray->undoAction(), trayEntry);
            QAction *entry = nullptr;
            for (QAction *a : tray->menu()->actions())
                entry = a->text() == trayEntry ? a : entry;
            QVERIFY(entry && entry->isVisible());
            entry->trigger();
        } else {
            f.w->undoButton()->released();
        }
        QVERIFY(f.settled());
        QCOMPARE(settingsOnDisk(), before);
        QCOMPARE(f.ctx().controller->bindings().names, links);
        QVERIFY(!QFileInfo::exists(UndoStore::folder()));
        QVERIFY(f.w->undoButton()->isHidden());
        QCOMPARE(tray->undoAction(), QString());

        // The keyboard gets each restored slot whole, then the active one; slot n
        // holds the factory effect n - 1 (Game is a copy of PROFILE 1).
        const QVector<unsigned> pauses = f.keyboard.pauses;
        const QVector<QByteArray> log = f.keyboard.take();
        int at = 0;
        for (int slot : restoredSlots) {
            const QString profile = f.ctx().controller->bindings().linked(slot);
            const QByteArray keyMap =
                profile == "Game" ? keyMapReport(slot, kPositionOfA, 0x05) : keyMapReport(slot);
            at = expectSlot(log, pauses, at, slot, slot - 1, keyMap);
            QVERIFY2(at > 0, qPrintable(QString("slot %1").arg(slot)));
        }
        QCOMPARE(log.mid(at),
                 QVector<QByteArray>{selectReport(f.ctx().controller->bindings().active)});
    }
};

QTEST_MAIN(KeyboardSyncTest)
#include "tst_keyboardsync.moc"
