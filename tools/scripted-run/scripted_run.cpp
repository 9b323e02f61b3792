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
#include "core/socket/SocketHelper.h"
#include "ui/macro/MacroPage.h"

#include <QDirIterator>
#include <QKeySequence>
#include <QLineEdit>
#include <QSlider>
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

// One step of the session: what the user does (actions separated by ", ", each
// a verb and its argument, see Run::act), then the step's name once the
// keyboard has everything queued (none: the actions name their own steps).
struct Step {
    const char *actions, *name;
};

// Every effect of the LIGHTING page, applied, with a pattern of its own.
const Step kLighting[] = {
    {"window.showKeyboardPage, window.showLightingPage, effect 0, press btn_customized, "
     "enter edit_r 10, enter edit_g 200, enter edit_b 30, paint 30, press btn_pulse, "
     "slide speed_slider 2, press btn_apply",
     "static apply"},
    {"press btn_full, enter edit_code FF8000, press btn_spectrum, press btn_apply",
     "static full spectrum apply"},
    {"effect 1, enter edit_code 0080FF, press btn_apply", "reactive apply"},
    {"effect 2, press btn_left, press btn_no, surface, press btn_pattern_add, "
     "press btn_add_stop, enter edit_code 00FF00, press btn_apply",
     "arrow apply"},
    {"effect 3, slide speediness_slider 1, press btn_right, press btn_apply", "wave apply"},
    {"effect 4, surface, press btn_full, enter edit_code 123456, press btn_apply",
     "ripple full apply"},
    {"press btn_customized, press btn_apply", "ripple apply"},
    {"press btn_pattern_del, press btn_led_reset", "ripple led reset"},
    {"effect 2, press btn_led_reset", "arrow led reset"}};

const Step kSession[] = {
    {"lighting", nullptr},
    {"macros", "macros"},
    // CUSTOMIZE: single keys, macro keys, a default again, instant shift, the bulk resets.
    {"window.showKeyboardPage, window.showCustomizePage, focus, key 20 2, type B, "
     "panel.applyKeyAssignment",
     "single key apply"},
    {"key 40 1, macro Rec, repeat 1, count 3, panel.applyKeyAssignment", "macro key apply"},
    {"key 41 1, macro Default Macro, repeat 2, panel.applyKeyAssignment", "second macro key apply"},
    {"key 20 0, panel.applyKeyAssignment", "default key apply"},
    {"key 21 2, type Tab, panel.applyKeyAssignment", "second single key apply"},
    {"target 2, shift 0", "shift on"},
    {"target 1, shift 1, shift 1", "ctrl on and off"},
    {"slot 2", "profile 2"},
    {"key 50 2, type C, panel.applyKeyAssignment, key 51 1, macro Rec, repeat 3, "
     "panel.applyKeyAssignment",
     "profile 2 assignments"},
    {"panel.resetMacroAssignments", "macro reset"},
    {"panel.resetSingleAssignments", "single reset"},
    {"slot 1", "profile 1"},
    // The saved profiles.
    {"menu.newProfileClicked", "new profile"},
    {"choose PROFILE 2, menu.copyProfileClicked", "copy profile"},
    {"rename Game", "rename profile"},
    {"slot 3, choose PROFILE 1", "profile 1 into slot 3"},
    {"file exports/Game.Profile.ini, choose Game", "choose Game"},
    {"menu.exportProfileClicked, menu.importProfileClicked", "export and import"},
    {"choose PROFILE 6, menu.deleteProfileClicked", "delete profile"},
    {"slot 1", "back to profile 1"},
    {"socket", nullptr},
    {"window.switchLanguage 1", "traditional Chinese"},
    {"window.switchLanguage 2", "simplified Chinese"},
    {"window.switchLanguage 0", "English"},
    {"lighting", nullptr},
    {"factoryReset", "factory reset"},
    {"slot 4", "profile 4 after the reset"}};

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

    template <typename T> T *child(QWidget *page, const QString &name)
    {
        T *w = page->findChild<T *>(name);
        if (!w)
            qFatal("no %s on the page", qPrintable(name));
        return w;
    }
    void play(const Step *steps, std::size_t count)
    {
        for (const Step &step : QVector<Step>(steps, steps + count)) {
            for (const QString &action : QString(step.actions).split(", "))
                act(action.section(' ', 0, 0), action.section(' ', 1));
            if (step.name)
                settle(step.name);
        }
    }

    // One action of a step: a verb and its argument.
    void act(const QString &verb, const QString &arg)
    {
        LightingPage &light = f.lighting();
        const CustomizeWidgets &ui = f.panel().widgets();
        ProfileMenu &m = f.menu();
        const QString first = arg.section(' ', 0, 0), second = arg.section(' ', 1);
        if (verb.contains('.')) { // OBJECT.SLOT [TEXT]: a slot of the window, menu or panel
            QObject *target = verb.startsWith("window.") ? static_cast<QObject *>(f.w.get())
                              : verb.startsWith("menu.") ? static_cast<QObject *>(&m)
                                                         : &f.panel();
            const QByteArray slot = verb.section('.', 1).toLatin1();
            if (!(arg.isEmpty() ? QMetaObject::invokeMethod(target, slot)
                                : QMetaObject::invokeMethod(target, slot, Q_ARG(QString, arg))))
                qFatal("no slot %s", qPrintable(verb));
        } else if (verb == "lighting") {
            play(kLighting, std::size(kLighting));
        } else if (verb == "focus") { // the window active, with the focus
            f.w->activateWindow();
            f.w->setFocus();
        } else if (verb == "effect") { // LIGHTING's effect N
            child<QComboBox>(&light, "effect_combo")->setCurrentIndex(arg.toInt());
        } else if (verb == "press") { // a LIGHTING button
            emit child<QPushButton>(&light, arg)->released();
        } else if (verb == "enter") { // FIELD TEXT, then Enter
            child<QLineEdit>(&light, first)->setText(second);
            emit child<QLineEdit>(&light, first)->returnPressed();
        } else if (verb == "paint") { // a click on the key CELL
            QTest::mouseClick(&light, Qt::LeftButton, {},
                              f.centreOf(arg.toInt()) - QPoint(230, 140));
        } else if (verb == "slide") { // SLIDER POSITION
            child<QSlider>(&light, first)->setValue(second.toInt());
        } else if (verb == "surface") { // on, unless it is (it stays on across a language switch)
            if (!light.model().surfaceOn())
                emit child<QPushButton>(&light, "btn_surface")->released();
        } else if (verb == "key") { // CUSTOMIZE: the key CELL and Default, Macro Key or Single Key
            QTest::mousePress(f.w.get(), Qt::LeftButton, {}, f.centreOf(first.toInt()));
            ui.keyAssignCombo->setCurrentIndex(second.toInt());
        } else if (verb == "type") { // a key on the computer's keyboard
            QTest::keyClick(f.w.get(), Qt::Key(QKeySequence(arg)[0]));
        } else if (verb == "macro") {
            ui.assignMacroCombo->setCurrentIndex(ui.assignMacroCombo->findText(arg));
        } else if (verb == "repeat") {
            ui.repeatCombo->setCurrentIndex(arg.toInt());
        } else if (verb == "count") {
            ui.repeatCountEdit->setText(arg);
        } else if (verb == "target") { // the instant shift's target
            ui.shiftCombo->setCurrentIndex(arg.toInt());
        } else if (verb == "shift") { // SHIFT, CTRL or ALT pressed
            emit ui.shiftButtons[size_t(arg.toInt())]->released();
        } else if (verb == "slot") { // a profile button
            f.w->profileButtons()[size_t(arg.toInt() - 1)]->click();
        } else if (verb == "choose") { // a saved profile
            m.profileCombo()->setCurrentText(arg);
        } else if (verb == "rename") {
            m.profileNameEdit()->setText(arg);
            m.profileNameEntered();
        } else if (verb == "file") { // the name the file dialog answers
            f.desktop.fileName = QDir::current().filePath(arg);
        } else if (verb == "macros") {
            macroSteps();
        } else if (verb == "socket") {
            socketSteps();
        } else if (verb == "factoryReset") {
            QSignalSpy done(f.w.get(), &MainWindow::factoryResetFinished);
            f.w->factoryResetClicked();
            if (!QTest::qWaitFor([&] { return done.count() == 1; }, 20000))
                qFatal("the factory reset did not finish");
        } else {
            qFatal("unknown action %s", qPrintable(verb));
        }
    }

    template <typename T> T *macroChild(const char *name) { return child<T>(f.ctx().macros, name); }
    void macroKey(QEvent::Type type, int key, const QString &text)
    {
        QKeyEvent e(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(f.ctx().macros, &e);
    }

    // A macro recorded with a delay edited, copied, a new one deleted, exported and imported.
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
        auto *names = macroChild<QComboBox>("macro_name_combo");
        names->setCurrentIndex(names->findText("Rec"));
        page.exportMacroClicked();
        f.desktop.fileName = QDir::current().filePath("exports/Imported.ini");
        QFile::copy("exports/Rec.ini", "exports/Imported.ini");
        page.importMacroClicked();
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
        const QByteArray json[] = {
            R"({"command":7,"Data":2,"x":{}})",
            R"({"command":"7","Data":"6","Color_r":255,"Color_g":128,"Color_b":0,"Color":{"name":"orange"}})"};
        for (const QByteArray &m : {QByteArray("074"), QByteArray("076#00#FF#7F"),
                                    json[0].toBase64(), json[1].toBase64()}) {
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
    run.play(kSession, std::size(kSession));
    return run.write(outDir) ? 0 : 1;
}
