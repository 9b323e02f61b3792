// The MACROS page driven as a user drives it: recording in each delay mode with
// synthetic key and mouse events (the delay clock driven by hand), inserting,
// deleting and editing rows, and the collection buttons with their files.

#include "TestSupport.h"
#include "app/FileDialogs.h"
#include "macro/MacroCodec.h"
#include "macro/MacroFile.h"
#include "macro/micro_view.h"
#include "storage/readini.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::macro;
using namespace orvanta::test;

namespace
{

using Rows = QVector<MacroRow>;

QString slice(const Report &r, int from, int to)
{
    return hex(toBytes(r).mid(from, to - from + 1));
}

// "a" down 100 ms, "a" up 200 ms, "b" down 50 ms, "b" up.
Rows fourRows()
{
    return {{"a", "down", "100"}, {"a", "up", "200"}, {"b", "down", "50"}, {"b", "up", "0"}};
}

Report fourImage()
{
    Report r = zeroReport();
    writeEvent(r, 0, 100, 4, true);
    writeEvent(r, 3, 200, 4, false);
    writeEvent(r, 6, 50, 5, true);
    writeEvent(r, 9, 0, 5, false);
    return r;
}

void storeMacro(const QString &name, const Rows &rows, const Report &image)
{
    readini::writeini_file(name, buildMacroMap(rows, image));
}

MacroRecord stored(const QString &name)
{
    return parseMacro(readini::readini_macro_file(name));
}

template <typename T> T *child(micro_view &page, const char *name)
{
    T *w = page.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("missing widget %s", name);
    return w;
}

void key(micro_view &page, QEvent::Type type, int k, const QString &text, bool repeat = false)
{
    QKeyEvent e(type, k, Qt::NoModifier, text, repeat);
    QApplication::sendEvent(&page, &e);
}

void tap(micro_view &page, int k, const QString &text)
{
    key(page, QEvent::KeyPress, k, text);
    key(page, QEvent::KeyRelease, k, text);
}

void ticks(micro_view &page, int count)
{
    for (int i = 0; i < count; ++i)
        page.count_add();
}

void selectRow(micro_view &page, int row)
{
    auto *tree = child<QTreeWidget>(page, "treeWidget");
    tree->setCurrentItem(tree->topLevelItem(row));
    page.compute_keycount();
}

QString look(micro_view &page, const char *button)
{
    return child<QPushButton>(page, button)->property("look").toString();
}

// A data directory with the protected macro holding the four rows.
struct Workspace {
    TempWorkDir wd;
    Workspace() { storeMacro(QStringLiteral("Default Macro"), fourRows(), fourImage()); }
};

} // namespace

class MicroViewTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { FileDialogs::restoreDefaults(); }

    void pageLoadsTheFirstMacroWhenBuilt()
    {
        Workspace ws;
        storeMacro(QStringLiteral("Macro 1"), {}, zeroReport());
        micro_view page;
        QCOMPARE(page.size(), QSize(960, 620));
        auto *list = child<QComboBox>(page, "macro_name_combo");
        QCOMPARE(list->count(), 2);
        QCOMPARE(page.selectedMacro(), QStringLiteral("Default Macro"));
        QCOMPARE(page.rows(), fourRows());
        QVERIFY(page.commandImage() == fourImage());
        QCOMPARE(child<QLineEdit>(page, "macro_name_edit")->text(),
                 QStringLiteral("Default Macro"));
        QVERIFY(page.isIdle());
        QCOMPARE(look(page, "macro_r_record"), QStringLiteral("normal"));
        QCOMPARE(look(page, "macro_r_stop"), QStringLiteral("inactive"));
    }

    void recordingInEachDelayMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("delays");
        QTest::addColumn<QString>("bytes"); // 10..22
        QTest::newRow("auto-detect")
            << 0 << QStringList{"100", "150", "50", "0"} << "80000400020480 03cf0001cf00";
        QTest::newRow("default delay")
            << 1 << QStringList{"10", "10", "10", "0"} << "80000400000480 00cf0000cf00";
        QTest::newRow("no delay") << 2 << QStringList{"0", "0", "0", "0"}
                                  << "80000400000480 00cf0000cf00";
    }
    void recordingInEachDelayMode()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, delays);
        QFETCH(QString, bytes);
        Workspace ws;
        micro_view page;
        page.useManualClock(true);
        page.show();
        const char *modeButtons[] = {"macro_time_auto_btn", "macro_time_edit_btn",
                                     "macro_time_lgn_btn"};
        QTest::mouseClick(child<QPushButton>(page, modeButtons[mode]), Qt::LeftButton);
        QCOMPARE(page.delayMode(), mode);

        QTest::mouseClick(child<QPushButton>(page, "macro_r_record"), Qt::LeftButton);
        QVERIFY(page.isRecording());
        QVERIFY(!page.isIdle());
        QCOMPARE(look(page, "macro_r_record"), QStringLiteral("red"));
        QVERIFY(!child<QComboBox>(page, "macro_name_combo")->isEnabled());
        QVERIFY(!child<QPushButton>(page, "macro_time_auto_btn")->isEnabled());
        QCOMPARE(page.rows().size(), 0);

        key(page, QEvent::KeyPress, Qt::Key_A, "a");
        ticks(page, 1);
        key(page, QEvent::KeyPress, Qt::Key_A, "a", true); // auto-repeat: no row
        key(page, QEvent::KeyPress, Qt::Key_A, "a", true);
        ticks(page, 1);
        key(page, QEvent::KeyRelease, Qt::Key_A, "a");
        ticks(page, 3);
        QTest::mousePress(&page, Qt::RightButton, {}, QPoint(3, 3));
        ticks(page, 1);
        QTest::mouseRelease(&page, Qt::RightButton, {}, QPoint(3, 3));
        ticks(page, 7);
        QTest::mouseClick(child<QPushButton>(page, "macro_r_stop"), Qt::LeftButton);

        QVERIFY(!page.isRecording());
        QVERIFY(page.isIdle());
        QVERIFY(child<QComboBox>(page, "macro_name_combo")->isEnabled());
        const Rows expected{{"a", "down", delays[0]},
                            {"a", "up", delays[1]},
                            {"Mouse R", "down", delays[2]},
                            {"Mouse R", "up", delays[3]}};
        QCOMPARE(page.rows(), expected);
        QCOMPARE(slice(page.commandImage(), 10, 22), bytes.remove(QLatin1Char(' ')));
        QCOMPARE(slice(page.commandImage(), 23, 263), QString(241 * 2, QLatin1Char('0')));
        const MacroRecord file = stored(QStringLiteral("Default Macro"));
        QCOMPARE(file.rows, expected);
        QVERIFY(file.image == page.commandImage());
    }

    void longPauseIsCappedAtTwelveSeconds()
    {
        Workspace ws;
        micro_view page;
        page.useManualClock(true);
        page.macro_r_record_function();
        key(page, QEvent::KeyPress, Qt::Key_Return, "\r");
        ticks(page, 400); // 20 s
        key(page, QEvent::KeyRelease, Qt::Key_Return, "\r");
        page.macro_r_stop_function();
        QCOMPARE(page.rows(), (Rows{{"Enter", "down", "12000"}, {"Enter", "up", "0"}}));
        QCOMPARE(slice(page.commandImage(), 10, 16),
                 QStringLiteral("800058 00f05800").remove(QLatin1Char(' ')));
    }

    void releaseWithoutItsPressAndTabAreHandled()
    {
        Workspace ws;
        micro_view page;
        page.useManualClock(true);
        page.macro_time_lgn_btn_function();
        page.macro_r_record_function();
        key(page, QEvent::KeyRelease, Qt::Key_B, "b"); // held down before RECORD
        QTest::mouseRelease(&page, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(page.rows().size(), 0);
        QTest::mousePress(&page, Qt::BackButton, {}, QPoint(3, 3)); // not playable: ignored
        QCOMPARE(page.rows().size(), 0);
        tap(page, Qt::Key_Tab, "\t");
        key(page, QEvent::KeyPress, Qt::Key_F13, "");
        page.macro_r_stop_function();
        QCOMPARE(page.rows(), (Rows{{"Tab", "down", "0"}, {"Tab", "up", "0"}, {"", "down", "0"}}));
        QCOMPARE(slice(page.commandImage(), 10, 19),
                 QStringLiteral("80002b00002b0000 0000").remove(QLatin1Char(' ')));
    }

    void recorderStopsTakingEventsWhenTheImageIsFull()
    {
        Workspace ws;
        micro_view page;
        page.useManualClock(true);
        page.macro_time_lgn_btn_function();
        page.macro_r_record_function();
        for (int i = 0; i < 43; ++i) // 86 events
            tap(page, Qt::Key_A + (i % 26), QString(QChar('a' + i % 26)));
        page.macro_r_stop_function();
        const Rows rows = page.rows();
        QCOMPARE(rows.size(), kMaxEvents);
        QCOMPARE(rows.last().state, QStringLiteral("up"));
        QCOMPARE(rows.last().delay, QStringLiteral("0"));
        // Event 83 is the release of the 42nd tap ("p"): state 0, code 19, no delay.
        QCOMPARE(slice(page.commandImage(), 259, 263), QStringLiteral("0000130000"));
        QCOMPARE(stored(QStringLiteral("Default Macro")).rows.size(), kMaxEvents);
    }

    void defaultDelayFieldRoundsToTen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("1235") << "1235" << 1240;
        QTest::newRow("4") << "4" << 0;
    }
    void defaultDelayFieldRoundsToTen()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        Workspace ws;
        micro_view page;
        auto *field = child<QLineEdit>(page, "macro_time_edit_edit");
        QCOMPARE(field->text(), QStringLiteral("10"));
        field->setText(typed);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), QString::number(value));
        QCOMPARE(page.defaultDelay(), value);
    }

    void exactlyOneDelayModeIsMarked()
    {
        Workspace ws;
        micro_view page;
        const char *names[] = {"macro_time_auto_btn", "macro_time_edit_btn", "macro_time_lgn_btn"};
        for (int pressed : {2, 1, 0, 1}) {
            QTest::mouseClick(child<QPushButton>(page, names[pressed]), Qt::LeftButton);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(child<QPushButton>(page, names[i])->property("marked").toBool(),
                         i == pressed);
        }
    }

    void insertAfterRowTwoPutsTheRecordingAtRowThree()
    {
        Workspace ws;
        micro_view page;
        page.useManualClock(true);
        page.macro_time_lgn_btn_function();
        selectRow(page, 2);
        page.macro_r_insert_function();
        QVERIFY(page.isInsertMode());
        QVERIFY(child<QCheckBox>(page, "macro_r_after")->isVisibleTo(&page));
        QVERIFY(child<QCheckBox>(page, "macro_r_after")->isChecked());
        page.macro_r_record_function();
        tap(page, Qt::Key_C, "c");
        page.macro_r_stop_function();
        const Rows expected{{"a", "down", "100"}, {"a", "up", "200"}, {"b", "down", "50"},
                            {"c", "down", "0"},   {"c", "up", "0"},   {"b", "up", "0"}};
        QCOMPARE(page.rows(), expected);
        // a down, a up, b down (its 50 ms kept), c down, c up, b up.
        QCOMPARE(slice(page.commandImage(), 10, 29),
                 QStringLiteral("8000040002048004058001060000060000050000"));
        QCOMPARE(stored(QStringLiteral("Default Macro")).rows, expected);
    }

    void deletingARowRemovesItsPartner_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("left"); // keys and states of the rows left
        QTest::addColumn<QString>("bytes");    // 10..18
        QTest::newRow("down with the up below")
            << 0 << QStringList{"b down", "b up"} << "800005000105000000";
        QTest::newRow("up with the down above")
            << 3 << QStringList{"a down", "a up"} << "800004000204000400";
    }
    void deletingARowRemovesItsPartner()
    {
        QFETCH(int, row);
        QFETCH(QStringList, left);
        QFETCH(QString, bytes);
        Workspace ws;
        micro_view page;
        selectRow(page, row);
        page.macro_r_del_function();
        QStringList got;
        for (const MacroRow &r : page.rows())
            got << r.key + QLatin1Char(' ') + r.state;
        QCOMPARE(got, left);
        QCOMPARE(slice(page.commandImage(), 10, 18), bytes);
        const MacroRecord file = stored(QStringLiteral("Default Macro"));
        QCOMPARE(file.rows, page.rows());
        QVERIFY(file.image == page.commandImage());
    }

    void delayEditsAreCappedAndSaved()
    {
        Workspace ws;
        micro_view page;
        auto *tree = child<QTreeWidget>(page, "treeWidget");
        page.treeWidget_openEditor(tree->topLevelItem(2), 0); // only the delay column edits
        QVERIFY(!tree->itemWidget(tree->topLevelItem(2), 0));
        selectRow(page, 1);
        page.macro_r_edit_function();
        auto *editor = qobject_cast<QLineEdit *>(tree->itemWidget(tree->topLevelItem(1), 2));
        QVERIFY(editor);
        editor->setText("12345");
        page.treeWidget_close();
        QVERIFY(!tree->itemWidget(tree->topLevelItem(1), 2));
        page.treeWidget_openEditor(tree->topLevelItem(2), 2);
        editor = qobject_cast<QLineEdit *>(tree->itemWidget(tree->topLevelItem(2), 2));
        QVERIFY(editor);
        editor->setText("300");
        tree->setCurrentItem(tree->topLevelItem(0)); // selection change closes the editor
        QCOMPARE(page.rows()[1].delay, QStringLiteral("12000"));
        QCOMPARE(page.rows()[2].delay, QStringLiteral("300"));
        // the delays after rows 1 and 2 are bytes 17 and 20
        QCOMPARE(slice(page.commandImage(), 10, 22), QStringLiteral("80000400020480f00500060500"));
        const MacroRecord file = stored(QStringLiteral("Default Macro"));
        QCOMPARE(file.rows, page.rows());
        QVERIFY(file.image == page.commandImage());
    }

    void newAndCopySelectTheirFiles()
    {
        Workspace ws;
        storeMacro(QStringLiteral("Macro 1"), {}, zeroReport());
        micro_view page;
        page.macro_name_btn_copy_function();
        QCOMPARE(page.selectedMacro(), QStringLiteral("Default Macro_01"));
        QCOMPARE(page.rows(), fourRows());
        QCOMPARE(readText("macrofile/Default Macro_01.ini"),
                 readText("macrofile/Default Macro.ini"));
        page.macro_name_btn_new_function();
        QCOMPARE(page.selectedMacro(), QStringLiteral("Macro 2"));
        QVERIFY(page.rows().isEmpty());
        QVERIFY(QFile::exists("macrofile/Macro 2.ini"));
        for (int i = 0; i < 20; ++i)
            page.macro_name_btn_new_function();
        QCOMPARE(QDir("macrofile").entryList(QDir::Files).size(), 15);
        QCOMPARE(child<QComboBox>(page, "macro_name_combo")->count(), 15);
    }

    void deleteKeepsTheProtectedMacroAndSelectsThePreviousEntry()
    {
        Workspace ws;
        storeMacro(QStringLiteral("A"), {}, zeroReport());
        storeMacro(QStringLiteral("B"), {}, zeroReport());
        micro_view page;
        auto *list = child<QComboBox>(page, "macro_name_combo");
        QCOMPARE(page.selectedMacro(), QStringLiteral("A"));
        page.macro_name_btn_del_function();
        QVERIFY(!QFile::exists("macrofile/A.ini"));
        QCOMPARE(page.selectedMacro(), QStringLiteral("B")); // the new first entry
        list->setCurrentIndex(list->findText("Default Macro"));
        QCOMPARE(page.rows(), fourRows());
        page.macro_name_btn_del_function();
        QVERIFY(QFile::exists("macrofile/Default Macro.ini"));
        QCOMPARE(list->count(), 2);
    }

    void renameRefusalsLeaveEverythingAsItWas()
    {
        Workspace ws;
        storeMacro(QStringLiteral("Macro 1"), {{"q", "down", "0"}}, zeroReport());
        micro_view page;
        auto *list = child<QComboBox>(page, "macro_name_combo");
        auto *name = child<QLineEdit>(page, "macro_name_edit");
        QCOMPARE(name->maxLength(), 20);
        QTest::keyClicks(name, "x");
        name->setText(QStringLiteral("Renamed")); // the protected macro keeps its name
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(QFile::exists("macrofile/Default Macro.ini"));
        QCOMPARE(name->text(), QStringLiteral("Renamed"));

        list->setCurrentIndex(list->findText("Macro 1"));
        const QStringList before = QDir("macrofile").entryList(QDir::Files);
        for (const QString &bad : {QStringLiteral("a/b"), QStringLiteral("Default Macro")}) {
            name->setText(bad);
            QTest::keyClick(name, Qt::Key_Return);
            QCOMPARE(name->text(), bad);
            QCOMPARE(QDir("macrofile").entryList(QDir::Files), before);
        }
        name->setText(QStringLiteral("Combo"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(page.selectedMacro(), QStringLiteral("Combo"));
        QCOMPARE(page.rows(), (Rows{{"q", "down", "0"}}));
        QVERIFY(!QFile::exists("macrofile/Macro 1.ini"));
    }

    void exportTwiceAndImportThroughTheChoosers()
    {
        Workspace ws;
        micro_view page;
        QStringList asked;
        FileDialogs::saveFileName = [&](QWidget *, const QString &caption, const QString &dir,
                                        const QString &filter) {
            asked << caption << dir << filter;
            return QStringLiteral("out.ini");
        };
        page.macro_name_btn_export_function();
        page.macro_name_btn_export_function();
        QCOMPARE(asked.mid(0, 3), (QStringList{"Save As", "", "Comma Separated Values (*.ini)"}));
        const QString text = readText("out.ini");
        QCOMPARE(text.count(QStringLiteral("[Setting]\n")), 2);
        QVERIFY(text.contains(QStringLiteral("macro_key_state=\"down,up,down,up\"\n")));
        QCOMPARE(text.left(text.size() / 2), text.mid(text.size() / 2));

        QVERIFY(QFile::copy("out.ini", "My.Macro.ini"));
        FileDialogs::openFileName = [&](QWidget *, const QString &caption, const QString &dir,
                                        const QString &filter) {
            asked << caption << dir << filter;
            return QDir::current().filePath("My.Macro.ini");
        };
        page.macro_name_btn_import_function();
        QCOMPARE(asked.mid(6, 3), (QStringList{"Open file", "C:\\", "Bx Files(*.ini)"}));
        QCOMPARE(page.selectedMacro(), QStringLiteral("My"));
        QCOMPARE(page.rows(), fourRows());
        QVERIFY(page.commandImage() == fourImage());

        FileDialogs::openFileName = [](QWidget *, const QString &, const QString &,
                                       const QString &) { return QString(); };
        page.macro_name_btn_import_function();
        QCOMPARE(child<QComboBox>(page, "macro_name_combo")->count(), 2);
    }

    void commaKeyRowSurvivesSaveAndReload()
    {
        Workspace ws;
        micro_view page;
        page.useManualClock(true);
        page.macro_time_lgn_btn_function();
        page.macro_r_record_function();
        tap(page, Qt::Key_Comma, ",");
        page.macro_r_stop_function();
        micro_view again;
        QCOMPARE(again.rows(), (Rows{{",", "down", "0"}, {",", "up", "0"}}));
        QCOMPARE(slice(again.commandImage(), 10, 16), QStringLiteral("80003600003600"));
    }
};

QTEST_MAIN(MicroViewTest)
#include "tst_microview.moc"
