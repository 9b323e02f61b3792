// Mistakes can be undone: a factory reset, a profile Delete and a macro Delete
// each keep their files first; UNDO puts back every byte and the links, and
// the keyboard gets the restored slots again.

#include "WindowFixture.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DataPaths.h"
#include "core/storage/UndoStore.h"
#include "ui/macro/MacroPage.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/shell/ConsoleTray.h"
#include "ui/shell/StatusBand.h"

#include <QMenu>
#include <QTimer>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

constexpr int kPositionOfA = 40; // usage 0x04, first in the factory key map

// The data directory but the record of what each keyboard holds, which
// follows the keyboard rather than the user's settings.
QMap<QString, QByteArray> settingsOnDisk()
{
    QMap<QString, QByteArray> dump = dumpDataDir();
    dump.remove(SlotSync::stateFile());
    return dump;
}

} // namespace

class UndoTest : public QObject
{
    Q_OBJECT
private slots:
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
            QVERIFY(settingsOnDisk().value("system/iss_flag.ini") !=
                    before.value("system/iss_flag.ini"));
        } else if (action == "profile") {
            f.w->profileMenu()->deleteButton()->released();
            QVERIFY(!profileList().contains("Game"));
        } else {
            f.ctx().macros->deleteMacroClicked();
            QVERIFY(!QFileInfo::exists(DataPaths::macroPath("Macro 2")));
        }
        QVERIFY(f.settled());
        QVERIFY(settingsOnDisk() != before);
        QVERIFY(f.w->undoButton()->isVisible());
        QCOMPARE(tray->undoAction(), trayEntry);
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

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
