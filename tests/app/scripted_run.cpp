// A scripted session of the whole console for refactoring: every page, every
// effect, macros, key assignments, instant shift, saved profiles, the control
// socket, a language switch and the factory reset, all through the keyboard
// link to an in-memory keyboard with recorded pauses. It writes what a user,
// the stored files and the keyboard see into OUTDIR:
//   reports.log  every report in the order the keyboard got it, with its pause
//   data.txt     every file of the data directory (links left out), by path
//   notices.log  the status band's notices and the desktop requests
// Two runs of the same build give the same files; a refactoring keeps them.
//
//   orvanta_scripted_run OUTDIR

#include "WindowFixture.h"
#include "core/device/KeyboardLink.h"
#include "core/socket/SocketHelper.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTreeWidget>
#include <cstdio>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

void quiet(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The window with the keyboard in memory; the reports and pauses it gets go
// to one log, each report followed by its pause, step by step.
struct Run {
    WindowFixture f;
    QList<QByteArray> log;
    int logged = 0; // reports in the log
    QStringList notices;
    QTcpSocket socket;
    bool pulsing = false;
    QByteArray lastHex;
    int sameInARow = 0;

    Run()
    {
        // The pages built anew take the recording desktop services.
        f.w->switchLanguage(QStringLiteral("0"));
        f.w->show();
        settle("start");
    }

    // Waits until the keyboard has everything queued so far.
    void settle(const char *step)
    {
        QApplication::processEvents();
        if (!QTest::qWaitFor([this] { return f.link()->isIdle(); }, 10000))
            qFatal("step %s: the keyboard queue did not empty", step);
        QApplication::processEvents();
        QMutexLocker lock(&f.keyboard.mutex);
        for (const auto &k = f.keyboard; logged < k.reports.size(); ++logged) {
            const QByteArray hex = k.reports[logged].toHex();
            sameInARow = hex == lastHex ? sameInARow + 1 : 1;
            lastHex = hex;
            // The pulse ticks on while the machine is busy: two ticks stand for all.
            if (pulsing && sameInARow > 2)
                continue;
            log << hex << "pause " + QByteArray::number(k.pauses.value(logged));
        }
        log << QByteArray("# ") + step;
        notices << QStringLiteral("%1: %2").arg(step, f.w->statusBand()->noticeText());
    }
    void waitForReports(int atLeast, const char *step)
    {
        if (!QTest::qWaitFor([&] { return reports() >= atLeast; }, 10000))
            qFatal("step %s: the keyboard did not get its reports", step);
        settle(step);
    }

    int reports()
    {
        QMutexLocker lock(&f.keyboard.mutex);
        return f.keyboard.reports.size();
    }

    LightingPage &lighting() { return f.lighting(); }
    template <typename T> T *child(QWidget *page, const char *name)
    {
        T *w = page->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no %s on the page", name);
        return w;
    }
    template <typename T> T *lightingChild(const char *name) { return child<T>(&lighting(), name); }
    void lightingClick(const char *name) { emit lightingChild<QPushButton>(name)->released(); }
    void lightingEnter(const char *name, const QString &text)
    {
        lightingChild<QLineEdit>(name)->setText(text);
        emit lightingChild<QLineEdit>(name)->returnPressed();
    }
    void lightingPress(QPoint windowPoint)
    {
        const QPoint p = windowPoint - QPoint(230, 140);
        QMouseEvent press(QEvent::MouseButtonPress, p, lighting().mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&lighting(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, lighting().mapToGlobal(p),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&lighting(), &release);
    }

    void lightingSteps()
    {
        f.w->showKeyboardPage();
        f.w->showLightingPage();
        auto *effect = lightingChild<QComboBox>("effect_combo");
        // Static: customized keys, one painted, then pulse at a speed.
        effect->setCurrentIndex(0);
        lightingClick("btn_customized");
        lightingEnter("edit_r", "10");
        lightingEnter("edit_g", "200");
        lightingEnter("edit_b", "30");
        lightingPress(f.centreOf(30));
        lightingClick("btn_pulse");
        lightingChild<QSlider>("speed_slider")->setValue(2);
        lightingClick("btn_apply");
        settle("static apply");
        lightingClick("btn_full");
        lightingEnter("edit_code", "FF8000");
        lightingClick("btn_spectrum");
        lightingClick("btn_apply");
        settle("static full spectrum apply");
        // Reactive.
        effect->setCurrentIndex(1);
        lightingEnter("edit_code", "0080FF");
        lightingClick("btn_apply");
        settle("reactive apply");
        // Arrow Flow: direction, rolling, surface, a pattern of its own with a stop.
        effect->setCurrentIndex(2);
        lightingClick("btn_left");
        lightingClick("btn_no");
        if (!lighting().model().surfaceOn()) // it stays on across a language switch
            lightingClick("btn_surface");
        lightingClick("btn_pattern_add");
        lightingClick("btn_add_stop");
        lightingEnter("edit_code", "00FF00");
        lightingClick("btn_apply");
        settle("arrow apply");
        // Wave at another speed.
        effect->setCurrentIndex(3);
        lightingChild<QSlider>("speediness_slider")->setValue(1);
        lightingClick("btn_right");
        lightingClick("btn_apply");
        settle("wave apply");
        // Ripple: surface on, full colour, then a gradient.
        effect->setCurrentIndex(4);
        if (!lighting().model().surfaceOn())
            lightingClick("btn_surface");
        lightingClick("btn_full");
        lightingEnter("edit_code", "123456");
        lightingClick("btn_apply");
        settle("ripple full apply");
        lightingClick("btn_customized");
        lightingClick("btn_apply");
        settle("ripple apply");
        lightingClick("btn_pattern_del");
        lightingClick("btn_led_reset");
        settle("ripple led reset");
        effect->setCurrentIndex(2);
        lightingClick("btn_led_reset");
        settle("arrow led reset");
    }

    void customizeSteps()
    {
        f.w->showKeyboardPage();
        f.w->showCustomizePage();
        f.w->activateWindow();
        f.w->setFocus();
        CustomizePanel &p = f.panel();
        // A single key: the key at cell 20 sends B.
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(20));
        p.widgets().keyAssignCombo->setCurrentIndex(2);
        QTest::keyClick(f.w.get(), Qt::Key_B);
        p.applyKeyAssignment();
        settle("single key apply");
        // A macro key: cell 40 plays the Default Macro three times.
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(40));
        p.widgets().keyAssignCombo->setCurrentIndex(1);
        p.widgets().assignMacroCombo->setCurrentIndex(
            p.widgets().assignMacroCombo->findText("Rec"));
        p.widgets().repeatCombo->setCurrentIndex(1);
        p.widgets().repeatCountEdit->setText("3");
        p.applyKeyAssignment();
        settle("macro key apply");
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(41));
        p.widgets().keyAssignCombo->setCurrentIndex(1);
        p.widgets().assignMacroCombo->setCurrentIndex(
            p.widgets().assignMacroCombo->findText("Default Macro"));
        p.widgets().repeatCombo->setCurrentIndex(2);
        p.applyKeyAssignment();
        settle("second macro key apply");
        // Back to its default.
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(20));
        p.widgets().keyAssignCombo->setCurrentIndex(0);
        p.applyKeyAssignment();
        settle("default key apply");
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(21));
        p.widgets().keyAssignCombo->setCurrentIndex(2);
        QTest::keyClick(f.w.get(), Qt::Key_Tab);
        p.applyKeyAssignment();
        settle("second single key apply");
        // Instant shift: SHIFT to profile 3, CTRL to 2 and off again.
        p.widgets().shiftCombo->setCurrentIndex(2);
        emit p.widgets().shiftButtons[0]->released();
        settle("shift on");
        p.widgets().shiftCombo->setCurrentIndex(1);
        emit p.widgets().shiftButtons[1]->released();
        emit p.widgets().shiftButtons[1]->released();
        settle("ctrl on and off");
        // The same key assignments in another slot, then the bulk resets.
        f.w->profileButtons()[1]->click();
        settle("profile 2");
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(50));
        p.widgets().keyAssignCombo->setCurrentIndex(2);
        QTest::keyClick(f.w.get(), Qt::Key_C);
        p.applyKeyAssignment();
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(51));
        p.widgets().keyAssignCombo->setCurrentIndex(1);
        p.widgets().assignMacroCombo->setCurrentIndex(
            p.widgets().assignMacroCombo->findText("Rec"));
        p.widgets().repeatCombo->setCurrentIndex(3);
        p.applyKeyAssignment();
        settle("profile 2 assignments");
        p.resetMacroAssignments();
        settle("macro reset");
        p.resetSingleAssignments();
        settle("single reset");
        f.w->profileButtons()[0]->click();
        settle("profile 1");
    }

    template <typename T> T *macroChild(const char *name) { return child<T>(f.ctx().macros, name); }
    void macroKey(QEvent::Type type, int key, const QString &text)
    {
        QKeyEvent e(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(f.ctx().macros, &e);
    }

    void macroSteps()
    {
        f.w->showMacrosPage();
        MacroPage &page = *f.ctx().macros;
        page.useManualClock(true);
        f.desktop.answerYes = true;
        QTest::mouseClick(macroChild<QPushButton>("macro_time_edit_btn"), Qt::LeftButton);
        page.newMacroClicked();
        macroChild<QLineEdit>("macro_name_edit")->setText("Rec");
        page.macroNameEntered();
        QTest::mouseClick(macroChild<QPushButton>("macro_r_record"), Qt::LeftButton);
        macroKey(QEvent::KeyPress, Qt::Key_Shift, {});
        macroKey(QEvent::KeyPress, Qt::Key_O, "O");
        macroKey(QEvent::KeyRelease, Qt::Key_O, "O");
        macroKey(QEvent::KeyRelease, Qt::Key_Shift, {});
        QTest::mousePress(&page, Qt::RightButton, {}, QPoint(3, 3));
        QTest::mouseRelease(&page, Qt::RightButton, {}, QPoint(3, 3));
        QTest::mouseClick(macroChild<QPushButton>("macro_r_stop"), Qt::LeftButton);
        auto *tree = macroChild<QTreeWidget>("treeWidget");
        tree->setCurrentItem(tree->topLevelItem(1));
        page.rowClicked();
        page.editRow();
        if (auto *edit = tree->findChild<QLineEdit *>()) {
            edit->setText("55");
            emit edit->returnPressed();
        }
        page.closeDelayEditor();
        page.copyMacroClicked();
        page.newMacroClicked();
        page.deleteMacroClicked();
        f.desktop.fileName = QDir::current().filePath("exports/Rec.ini");
        QDir().mkpath("exports");
        macroChild<QComboBox>("macro_name_combo")
            ->setCurrentIndex(macroChild<QComboBox>("macro_name_combo")->findText("Rec"));
        page.exportMacroClicked();
        f.desktop.fileName = QDir::current().filePath("exports/Imported.ini");
        QFile::copy("exports/Rec.ini", "exports/Imported.ini");
        page.importMacroClicked();
        settle("macros");
    }

    void profileSteps()
    {
        ProfileMenu &m = f.menu();
        m.newProfileClicked();
        settle("new profile");
        m.profileCombo()->setCurrentText("PROFILE 2");
        m.copyProfileClicked();
        settle("copy profile");
        m.profileNameEdit()->setText("Game");
        m.profileNameEntered();
        settle("rename profile");
        f.w->profileButtons()[2]->click();
        m.profileCombo()->setCurrentText("PROFILE 1");
        settle("profile 1 into slot 3");
        f.desktop.fileName = QDir::current().filePath("exports/Game.Profile.ini");
        m.profileCombo()->setCurrentText("Game");
        settle("choose Game");
        m.exportProfileClicked();
        m.importProfileClicked();
        settle("export and import");
        m.profileCombo()->setCurrentText("PROFILE 6");
        m.deleteProfileClicked();
        settle("delete profile");
        f.w->profileButtons()[0]->click();
        settle("back to profile 1");
    }

    void send(const QByteArray &message)
    {
        socket.write(message);
        socket.flush();
    }
    void status()
    {
        send("?status");
        if (!QTest::qWaitFor([this] { return socket.canReadLine(); }, 5000))
            qFatal("no status reply");
        notices << QString::fromUtf8(socket.readLine());
    }
    void socketSteps()
    {
        socket.connectToHost(QHostAddress::LocalHost, f.ctx().socket->serverPort());
        if (!socket.waitForConnected(5000) ||
            !QTest::qWaitFor([this] { return socket.bytesAvailable() > 0; }, 5000))
            qFatal("no greeting on the control socket");
        socket.readAll();
        int expected = reports();
        for (
            const QByteArray &m :
            {QByteArray("074"), QByteArray("076#00#FF#7F"),
             QByteArray(R"({"command":7,"Data":2,"x":{}})").toBase64(),
             QByteArray(
                 R"({"command":"7","Data":"6","Color_r":255,"Color_g":128,"Color_b":0,"Color":{"name":"orange"}})")
                 .toBase64()}) {
            send(m);
            waitForReports(++expected, m.constData());
            expected = reports();
        }
        send("0775");
        pulsing = true;
        waitForReports(expected + 2, "pulse");
        status();
        send("078");
        if (!QTest::qWaitFor([this] { return !f.ctx().controller->isPulsing(); }, 5000))
            qFatal("step pulse stop: the pulse went on");
        send("073");
        waitForReports(reports() + 1, "pulse stop, then profile 3");
        pulsing = false;
        if (!QTest::qWaitFor([this] { return f.link()->isIdle(); }, 5000))
            qFatal("the keyboard link never became idle");
        status();
        send("071");
        waitForReports(reports() + 1, "profile 1 from the socket");
    }

    void languageSteps()
    {
        f.w->switchLanguage("1");
        settle("traditional Chinese");
        f.w->switchLanguage("2");
        settle("simplified Chinese");
        f.w->switchLanguage("0");
        settle("English");
    }

    void factoryReset()
    {
        QSignalSpy done(f.w.get(), &MainWindow::factoryResetFinished);
        f.w->factoryResetClicked();
        if (!QTest::qWaitFor([&] { return done.count() == 1; }, 20000))
            qFatal("the factory reset did not finish");
        settle("factory reset");
        f.w->profileButtons()[3]->click();
        settle("profile 4 after the reset");
    }

    bool write(const QString &outDir)
    {
        QDir().mkpath(outDir);
        QFile reports(outDir + "/reports.log");
        QFile data(outDir + "/data.txt");
        QFile notes(outDir + "/notices.log");
        if (!reports.open(QIODevice::WriteOnly) || !data.open(QIODevice::WriteOnly) ||
            !notes.open(QIODevice::WriteOnly))
            return false;
        for (const QByteArray &line : log)
            reports.write(line + '\n');
        QStringList files;
        QDirIterator it(".", QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.startsWith("./Image/") && !path.startsWith("./Language/"))
                files << path;
        }
        files.sort();
        for (const QString &path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            data.write("=== " + path.toUtf8() + '\n' + file.readAll() + '\n');
        }
        for (const QString &n : notices)
            notes.write(n.toUtf8() + '\n');
        notes.write(("files: " + f.desktop.files.join(" | ")).toUtf8() + '\n');
        notes.write(("questions: " + f.desktop.questions.join(" | ")).toUtf8() + '\n');
        notes.write(("notes: " + f.desktop.notes.join(" | ")).toUtf8() + '\n');
        return true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ORVANTA_DATA_DIR", ORVANTA_SCRIPTED_RUN_DATA_DIR);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvanta_scripted_run OUTDIR\n");
        return 2;
    }
    const QString outDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    qInstallMessageHandler(quiet);
    Run run;
    run.lightingSteps();
    run.macroSteps();
    run.customizeSteps();
    run.profileSteps();
    run.socketSteps();
    run.languageSteps();
    run.lightingSteps();
    run.factoryReset();
    return run.write(outDir) ? 0 : 1;
}
