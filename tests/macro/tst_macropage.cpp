// The MACROS page driven as a user drives it: recording in each delay mode with
// synthetic key and mouse events (the delay clock driven by hand), inserting,
// deleting and editing rows, and the protected macro.

#include "TestSupport.h"
#include "core/macro/MacroCodec.h"
#include "core/macro/MacroFile.h"
#include "core/storage/IniStore.h"
#include "ui/macro/MacroPage.h"

#include <QCheckBox>
#include <QComboBox>
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
const Rows kFourRows{
    {"a", "down", "100"}, {"a", "up", "200"}, {"b", "down", "50"}, {"b", "up", "0"}};

MacroRecord stored(const QString &name = QStringLiteral("Default Macro"))
{
    return parseMacro(IniStore::readMacroFile(name));
}

template <typename T> T *child(MacroPage &page, const char *name)
{
    return page.findChild<T *>(QLatin1String(name)); // the page's object names
}

void key(MacroPage &page, QEvent::Type type, int k, const QString &text, bool repeat = false)
{
    QKeyEvent e(type, k, Qt::NoModifier, text, repeat);
    QApplication::sendEvent(&page, &e);
}

void tap(MacroPage &page, int k, const QString &text)
{
    key(page, QEvent::KeyPress, k, text);
    key(page, QEvent::KeyRelease, k, text);
}

void ticks(MacroPage &page, int count)
{
    for (int i = 0; i < count; ++i)
        page.advanceDelayClock();
}

void selectRow(MacroPage &page, int row)
{
    auto *tree = child<QTreeWidget>(page, "treeWidget");
    tree->setCurrentItem(tree->topLevelItem(row));
    page.rowClicked();
}

// A data directory with the protected macro holding the four rows.
struct Workspace {
    TempWorkDir wd;
    Workspace()
    {
        Report r = zeroReport();
        writeEvent(r, 0, 100, 4, true);
        writeEvent(r, 3, 200, 4, false);
        writeEvent(r, 6, 50, 5, true);
        writeEvent(r, 9, 0, 5, false);
        IniStore::writeIniFile(QStringLiteral("Default Macro"), buildMacroMap(kFourRows, r));
    }
};

} // namespace

class MacroPageTest : public QObject
{
    Q_OBJECT
private slots:
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
        MacroPage page;
        page.useManualClock(true);
        page.show();
        const char *modeButtons[] = {"macro_time_auto_btn", "macro_time_edit_btn",
                                     "macro_time_lgn_btn"};
        QTest::mouseClick(child<QPushButton>(page, modeButtons[mode]), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(page, "macro_r_record"), Qt::LeftButton);
        QVERIFY(!page.isIdle());
        QVERIFY(!child<QComboBox>(page, "macro_name_combo")->isEnabled());

        key(page, QEvent::KeyPress, Qt::Key_A, "a");
        ticks(page, 1);
        key(page, QEvent::KeyPress, Qt::Key_A, "a", true); // auto-repeat: no row
        ticks(page, 1);
        key(page, QEvent::KeyRelease, Qt::Key_A, "a");
        ticks(page, 3);
        QTest::mousePress(&page, Qt::RightButton, {}, QPoint(3, 3));
        ticks(page, 1);
        QTest::mouseRelease(&page, Qt::RightButton, {}, QPoint(3, 3));
        ticks(page, 7);
        QTest::mouseClick(child<QPushButton>(page, "macro_r_stop"), Qt::LeftButton);

        QVERIFY(page.isIdle());
        const Rows expected{{"a", "down", delays[0]},
                            {"a", "up", delays[1]},
                            {"Mouse R", "down", delays[2]},
                            {"Mouse R", "up", delays[3]}};
        QCOMPARE(page.recorder().rows(), expected);
        QCOMPARE(slice(page.recorder().commandImage(), 10, 263),
                 bytes.remove(QLatin1Char(' ')) + QString(241 * 2, QLatin1Char('0')));
        QCOMPARE(stored().rows, expected);
        QVERIFY(stored().image == page.recorder().commandImage());
    }

    void longPauseIsCappedAtTwelveSeconds()
    {
        Workspace ws;
        MacroPage page;
        page.useManualClock(true);
        page.startRecording();
        key(page, QEvent::KeyPress, Qt::Key_Return, "\r");
        ticks(page, 400); // 20 s
        key(page, QEvent::KeyRelease, Qt::Key_Return, "\r");
        page.stopRecording();
        QCOMPARE(page.recorder().rows(), (Rows{{"Enter", "down", "12000"}, {"Enter", "up", "0"}}));
        QCOMPARE(slice(page.recorder().commandImage(), 10, 16), QStringLiteral("80005800f05800"));
    }

    void recorderStopsTakingEventsWhenTheImageIsFull()
    {
        Workspace ws;
        MacroPage page;
        page.useManualClock(true);
        page.chooseNoDelay();
        page.startRecording();
        for (int i = 0; i < 43; ++i) // 86 events
            tap(page, Qt::Key_A + (i % 26), QString(QChar('a' + i % 26)));
        page.stopRecording();
        QCOMPARE(page.recorder().rows().size(), kMaxEvents);
        // Event 83 is the release of the 42nd tap ("p"): state 0, code 19, no delay.
        QCOMPARE(slice(page.recorder().commandImage(), 259, 263), QStringLiteral("0000130000"));
        QCOMPARE(stored().rows.size(), kMaxEvents);
    }

    void insertAfterRowTwoPutsTheRecordingAtRowThree()
    {
        Workspace ws;
        MacroPage page;
        page.useManualClock(true);
        page.chooseNoDelay();
        selectRow(page, 2);
        page.toggleInsertMode();
        QVERIFY(child<QCheckBox>(page, "macro_r_after")->isChecked());
        page.startRecording();
        tap(page, Qt::Key_C, "c");
        page.stopRecording();
        const Rows expected{{"a", "down", "100"}, {"a", "up", "200"}, {"b", "down", "50"},
                            {"c", "down", "0"},   {"c", "up", "0"},   {"b", "up", "0"}};
        QCOMPARE(page.recorder().rows(), expected);
        // a down, a up, b down (its 50 ms kept), c down, c up, b up.
        QCOMPARE(slice(page.recorder().commandImage(), 10, 29),
                 QStringLiteral("8000040002048004058001060000060000050000"));
        QCOMPARE(stored().rows, expected);
    }

    void deletingARowRemovesItsPartner()
    {
        Workspace ws;
        MacroPage page;
        selectRow(page, 0); // "a" down goes with "a" up below it
        page.deleteRow();
        QCOMPARE(page.recorder().rows(), kFourRows.mid(2));
        QCOMPARE(slice(page.recorder().commandImage(), 10, 18),
                 QStringLiteral("800005000105000000"));
        QCOMPARE(stored().rows, page.recorder().rows());
        QVERIFY(stored().image == page.recorder().commandImage());
    }

    void delayEditIsCappedAndSaved()
    {
        Workspace ws;
        MacroPage page;
        auto *tree = child<QTreeWidget>(page, "treeWidget");
        selectRow(page, 1);
        page.editRow();
        auto *editor = qobject_cast<QLineEdit *>(tree->itemWidget(tree->topLevelItem(1), 2));
        QVERIFY(editor);
        editor->setText("12345");
        tree->setCurrentItem(tree->topLevelItem(0)); // selection change closes the editor
        QCOMPARE(page.recorder().rows()[1].delay, QStringLiteral("12000"));
        QCOMPARE(slice(page.recorder().commandImage(), 10, 22),
                 QStringLiteral("80000400020480f00500010500"));
        QCOMPARE(stored().rows, page.recorder().rows());
        QVERIFY(stored().image == page.recorder().commandImage());
    }

    void deleteKeepsTheProtectedMacro()
    {
        Workspace ws;
        IniStore::writeIniFile(QStringLiteral("A"), buildMacroMap({}, zeroReport()));
        MacroPage page;
        auto *list = child<QComboBox>(page, "macro_name_combo");
        QCOMPARE(page.selectedMacro(), QStringLiteral("A"));
        page.deleteMacroClicked();
        QVERIFY(!QFile::exists("macrofile/A.ini"));
        QCOMPARE(page.selectedMacro(), QStringLiteral("Default Macro"));
        QCOMPARE(page.recorder().rows(), kFourRows);
        page.deleteMacroClicked();
        QVERIFY(QFile::exists("macrofile/Default Macro.ini"));
        QCOMPARE(list->count(), 1);
    }
};

QTEST_MAIN(MacroPageTest)
#include "tst_macropage.moc"
