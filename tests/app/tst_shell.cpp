// The main window: its shell, its left profile menu on real directories, and
// its CUSTOMIZE panel, against an in-memory keyboard; and the diagnostic log.

#include "WindowFixture.h"
#include "core/app/ConsoleLog.h"
#include "core/controller/ConsoleController.h"
#include "core/device/KeyboardLink.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DataPaths.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/LanguageFile.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/PatternFile.h"
#include "core/storage/StoredList.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/settings/SettingsPage.h"
#include "ui/shell/ResetProgressView.h"
#include "ui/shell/WindowScale.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QtTest>
#include <functional>
#include <limits>

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

} // namespace

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpLanguagePagesAndGating()
    {
        WindowFixture f;
        MainWindow &w = *f.w;
        const ConsoleContext &c = f.ctx();
        // LIGHTING's edits are the controller's: the page built anew for another
        // language shows them, and its APPLY sends what the old page's sent.
        w.activateProfile(2);
        w.showLightingPage();
        auto light = [&c](const char *name) { return c.lighting->findChild<QWidget *>(name); };
        qobject_cast<QComboBox *>(light("effect_combo"))->setCurrentIndex(EffectArrowFlow);
        for (const char *button :
             {"btn_customized", "btn_no", "btn_surface", "btn_pattern_add", "btn_add_stop"})
            emit qobject_cast<QPushButton *>(light(button))->released();
        qobject_cast<QLineEdit *>(light("edit_code"))->setText("00ff7f");
        emit qobject_cast<QLineEdit *>(light("edit_code"))->returnPressed();
        f.clear();
        c.lighting->applyClicked();
        const QVector<QByteArray> applied = f.sent();
        // The language switch relabels moved texts from the shipped catalogs.
        f.w->switchLanguage("1");
        QCOMPARE(f.w->tabs()->macrosTab()->text(), QStringLiteral("巨集設定"));
        QCOMPARE(light("edit_code")->property("text").toString() +
                     light("effect_combo")->property("currentIndex").toString() +
                     light("pattern_combo")->property("currentIndex").toString(),
                 QString("00ff7f25")); // Arrow Flow's user pattern, CUSTOMIZED, NO, SURFACE on
        QVERIFY(!light("btn_full")->property("lit").toBool());
        for (const char *lit : {"btn_customized", "btn_left", "btn_right", "btn_no", "btn_surface"})
            QVERIFY2(light(lit)->property("lit").toBool(), lit);
        f.clear();
        c.lighting->applyClicked();
        QCOMPARE(f.sent(), applied);                     // with the red SURFACE switched on
        QCOMPARE(f.paused(), QVector<unsigned>(5, 100)); // to the active slot:
        QVERIFY(applied[0][2] == 2 && applied[1].mid(8, 128) == QByteArray(128, '\xff'));
        f.w->switchLanguage("0");
        QCOMPARE(f.panel().widgets().captionRepeat->text(), QStringLiteral("REPEAT OPTION"));
        QCOMPARE(LanguageFile::read(), QStringLiteral("0"));
        w.show();
        const QVector<QPair<void (MainWindow::*)(), QWidget *>> steps{
            {&MainWindow::showLightingPage, c.lighting},
            {&MainWindow::showCustomizePage, nullptr},
            {&MainWindow::showMacrosPage, c.macros},
            {&MainWindow::showLightingPage, c.macros}, // MACROS in front: changes nothing
            {&MainWindow::showKeyboardPage, nullptr},
            {&MainWindow::showSettingsPage, c.settings}};
        for (const auto &step : steps) {
            (w.*step.first)();
            for (QWidget *page : QList<QWidget *>{c.lighting, c.macros, c.settings})
                QCOMPARE(page->isVisible(), page == step.second);
            QCOMPARE(w.tabs()->lightingTab()->isVisible(),
                     step.second != c.macros && step.second != c.settings);
        }
        // While a macro is recorded every page, profile and menu button is gated.
        c.macros->startRecording();
        f.clear();
        for (auto action : {&MainWindow::showLightingPage, &MainWindow::showKeyboardPage,
                            &MainWindow::factoryResetClicked, &MainWindow::openProductInformation})
            (w.*action)();
        w.activateProfile(3);
        f.menu().newProfileClicked();
        QVERIFY(c.lighting->isHidden() && c.settings->isVisible());
        QVERIFY(f.desktop.urls.isEmpty() && f.sent().isEmpty() && profileList().size() == 5);
        c.macros->stopRecording();
        w.openProductInformation();
        QCOMPARE(f.desktop.urls, QStringList{"https://www.orvanta-rgb.com/products/orvanta-rgb"});
    }

    void statusAndNoticesFollowTheKeyboardLink()
    {
        WindowFixture f;
        KeyboardLink *link = f.link();
        f.w->profileButtons()[1]->click();
        QCOMPARE(f.ctx().controller->bindings().active, 2); // at once, before the keyboard has it
        QTRY_COMPARE(f.w->statusBand()->noticeText(), QStringLiteral("Sent to PROFILE 2"));
        QCOMPARE(f.sent(), QVector<QByteArray>{selectReport(2)});
        QCOMPARE(f.paused(), QVector<unsigned>{100});
        QCOMPARE(f.w->statusReply(), QByteArray(R"({"keyboard":"virtual","profile":2,)"
                                                R"("profileName":"PROFILE 2","queued":0})"
                                                "\n"));

        link->useVirtualDevice(nullptr);
        QTRY_COMPARE(f.w->statusBand()->stateText(), QStringLiteral("No keyboard connected"));
        f.w->profileButtons()[2]->click();
        QTRY_COMPARE(f.w->statusBand()->noticeText(),
                     QStringLiteral("Saved; the keyboard is not connected"));
        // A failed save is told, and the keyboard's outcome does not cover it.
        emit f.w->saveFailed("./system/light_color.ini", "No space left on device");
        QSignalSpy outcome(link, &KeyboardLink::operationFinished);
        f.w->profileButtons()[3]->click();
        QVERIFY(outcome.wait());
        QCOMPARE(outcome.first().at(1).value<KeyboardLink::Outcome>(),
                 KeyboardLink::Outcome::NotConnected);
        QCOMPARE(f.w->statusBand()->noticeText(),
                 QStringLiteral("Not saved: light_color.ini (No space left on device). It keeps "
                                "its earlier content."));
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
    // keyboard picture draws it and 2 px inside its left and right edges (the
    // legend's side), selects that key on CUSTOMIZE and paints it on LIGHTING,
    // in the window at full size and scaled down.
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
        // Key, then its cap's centre, left and right edge points in picture coordinates.
        QVector<QPair<int, QVector<QPoint>>> caps;
        for (int k = 0; k < kKeyCount; ++k) {
            const KeyRange &h = KEY_TABLE[k].hit;
            if (!KEY_TABLE[k].label)
                continue;
            const QRect cap =
                drawnCap(art, QPoint((h.x0 + h.x1) / 2 - 351, (h.y0 + h.y1) / 2 - 140));
            QVERIFY2(cap.width() >= 16 && cap.height() >= 16, KEY_TABLE[k].label);
            const int y = cap.center().y();
            caps.append({k, {cap.center(), QPoint(cap.left() + 2, y), QPoint(cap.right() - 2, y)}});
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
        for (int point = 0; point < 3; ++point)
            for (const auto &[key, points] : caps) {
                click(QPoint(351, 140) + points[point]);
                if (f.panel().selectedKey() != key)
                    misses << QStringLiteral("CUSTOMIZE %1.%2 %3")
                                  .arg(key)
                                  .arg(point)
                                  .arg(f.panel().selectedKey());
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
            for (int point = 0; point < 3; ++point) {
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
    void keyCaptureAndApply()
    {
        WindowFixture f;
        f.w->show();
        QLineEdit *name = f.menu().profileNameEdit();
        const auto pending = [&] {
            return f.panel().widgets().newKeyEdit->text() +
                   QString::number(f.panel().capturedUsage());
        };
        f.select(42, 2);
        QCOMPARE(f.panel().widgets().newKeyEdit->placeholderText(),
                 QStringLiteral("Waiting for a key: press it now"));
        QTest::keyClick(f.w.get(), Qt::Key_B);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(name, Qt::Key_Tab);
        QCOMPARE(pending(), QStringLiteral("b5"));
        f.select(42, 2); // the window has the focus again
        QTest::keyClick(f.w.get(), Qt::Key_Tab);
        QCOMPARE(pending(), QStringLiteral("Tab43"));
    }

    // Activation sends a select only; the panel shows what the selected key does
    // in the profile shown after every change; choosing a saved profile binds it
    // and replays its lighting; an APPLY writes the shown profile's own tables.
    void profilesAndThePanel()
    {
        WindowFixture f;
        MainWindow &w = *f.w;
        QComboBox *list = f.menu().profileCombo();
        w.show();
        assignMacro(f, 43, "Jump", 2);      // S: When Perss & Hold
        assignMacro(f, 44, "Jump", 1, "7"); // D: Multiple Times 7
        f.assignSingle(42, Qt::Key_B);      // A sends b
        const QByteArray bindings = readText("system/profile_connect.ini").toUtf8();
        w.activateProfile(2); // a select only (see the status band's test)
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
        // PROFILE 3 (the factory Arrow Flow set) chosen in slot 1 is sent there.
        f.clear();
        list->setCurrentText("PROFILE 3");
        QCOMPARE(f.sent().size(), 5);
        QCOMPARE(f.paused(), QVector<unsigned>(5, 100));
        QCOMPARE(int(f.sent()[3][1]) * 100 + f.sent()[3][2] * 10 + f.sent()[4][13],
                 0x0D * 100 + 10 + 4);
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
        for (int slot = 1; slot <= 5; ++slot) {
            QCOMPARE(f.sent()[lighting + 5 * (slot - 1)], selectReport(slot));
            QCOMPARE(f.sent()[lighting + 5 * (slot - 1) + 2].mid(8),
                     QByteArray(reinterpret_cast<const char *>(DEFAULT_KEY_MAP.data()), 256));
        }
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

    void linesGoToARotatedBoundedFile()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("state/console.log"); // its folder is made
        installConsoleLog(log, false, 2000, 3);
        for (int i = 0; i < 200; ++i) {
            qInfo() << "sand_cmd()" << i;
            qDebug() << "keyboard_touch_compute()" << i; // a debugging line: not without --verbose
        }
        qInstallMessageHandler(nullptr);
        QCOMPARE(QDir(dir.filePath("state")).entryList(QDir::Files),
                 (QStringList{"console.log", "console.log.1", "console.log.2"}));
        for (const QString &f : {log, log + ".1", log + ".2"})
            QVERIFY2(QFileInfo(f).size() <= 2000, qPrintable(f));
        // The newest line is last in console.log, unchanged after its time and level.
        const QStringList lines = readText(log).trimmed().split('\n');
        QVERIFY2(lines.last().endsWith(" info sand_cmd() 199"), qPrintable(lines.last()));
        for (const QString &f : {log, log + ".1", log + ".2"})
            QVERIFY(!readText(f).contains("keyboard_touch_compute()"));
        QVERIFY(readText(log + ".1").contains("sand_cmd() " + QString::number(199 - lines.size())));
        qputenv("XDG_STATE_HOME", "/tmp/state here");
        QCOMPARE(consoleLogFile(), QStringLiteral("/tmp/state here/orvanta-console/console.log"));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
