// The MACROS page wired to its recorder: key and mouse events (auto-repeat left
// out), the list and the file following a recording.

#include "TestSupport.h"
#include "core/app/Notices.h"
#include "core/macro/MacroFile.h"
#include "ui/macro/MacroPage.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::macro;
using namespace orvanta::test;

namespace
{

using Rows = QVector<MacroRow>;

MacroRecord stored(const QString &name = QStringLiteral("Default Macro"))
{
    return parseMacro(RecordedMacroFile::read(name));
}

Rows shownRows(MacroPage &page)
{
    Rows out;
    auto *tree = page.findChild<QTreeWidget *>("treeWidget");
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out.append({tree->topLevelItem(i)->text(0), tree->topLevelItem(i)->text(1),
                    tree->topLevelItem(i)->text(2)});
    return out;
}

void key(MacroPage &page, QEvent::Type type, int k, const QString &text, bool repeat = false)
{
    QKeyEvent e(type, k, Qt::NoModifier, text, repeat);
    QApplication::sendEvent(&page, &e);
}

} // namespace

class MacroPageTest : public QObject
{
    Q_OBJECT
private slots:
    void recordingEditingAndTheFile()
    {
        TempWorkDir wd;
        QVERIFY(RecordedMacroFile::write("Default Macro", macroTexts({}, zeroReport())).ok());
        Notices notices;
        MacroLibrary library(notices);
        MacroPage page(library);
        page.useManualClock(true);
        page.show();
        QTest::mouseClick(page.findChild<QPushButton *>("macro_time_edit_btn"), Qt::LeftButton);
        QTest::mouseClick(page.findChild<QPushButton *>("macro_r_record"), Qt::LeftButton);
        QVERIFY(!page.isIdle());
        key(page, QEvent::KeyPress, Qt::Key_A, "a");
        key(page, QEvent::KeyPress, Qt::Key_A, "a", true); // auto-repeat: no row
        key(page, QEvent::KeyRelease, Qt::Key_A, "a");
        QTest::mousePress(&page, Qt::RightButton, {}, QPoint(3, 3));
        QTest::mouseRelease(&page, Qt::RightButton, {}, QPoint(3, 3));
        QTest::mouseClick(page.findChild<QPushButton *>("macro_r_stop"), Qt::LeftButton);
        QVERIFY(page.isIdle());
        const Rows expected{{"a", "down", "10"},
                            {"a", "up", "10"},
                            {"Mouse R", "down", "10"},
                            {"Mouse R", "up", "0"}};
        QCOMPARE(shownRows(page), expected);
        QCOMPARE(stored().rows, expected);
        QVERIFY(stored().image == page.recorder().commandImage());
    }
};

QTEST_MAIN(MacroPageTest)
#include "tst_macropage.moc"
