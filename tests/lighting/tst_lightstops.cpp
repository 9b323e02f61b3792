// The colour stops, patterns and SURFACE of the LIGHTING page, driven through
// its buttons, fields, combo boxes and mouse events on the page.

#include "TestSupport.h"
#include "app/Globals.h"
#include "device/key_main_sand_cmd.h"
#include "lighting/keyboard_light_view.h"
#include "lighting/stops/PatternStore.h"
#include "lighting/stops/StopEditor.h"
#include "storage/readini.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

const QString kProfile = QStringLiteral("Mine");
constexpr int kStripY = 375;

// x in the middle of slot i's hit zone on the strip.
int slotX(int slot)
{
    return slot == 0 ? 530 : slot == 10 ? 917 : stop_x[slot] + 5;
}

void makePatterns(int count)
{
    for (int n = 1; n <= count; ++n)
        readini::newini_lightfile(n, kProfile);
}

StopSlots stopsAt(std::initializer_list<std::pair<int, Rgb>> middle)
{
    StopSlots s = defaultStops();
    for (const auto &m : middle)
        s[m.first] = {true, m.second};
    return s;
}

QVector<int> presentSlots(const StopSlots &s)
{
    QVector<int> out;
    for (int i = 0; i < kStopSlots; ++i)
        if (s[i].present)
            out << i;
    return out;
}

QComboBox *combo(keyboard_light_view &page, const char *name)
{
    return page.findChild<QComboBox *>(name);
}

QPushButton *button(keyboard_light_view &page, const char *name)
{
    return page.findChild<QPushButton *>(name);
}

void click(keyboard_light_view &page, const char *name)
{
    emit button(page, name)->released();
}

bool lit(keyboard_light_view &page, const char *name)
{
    return button(page, name)->property("lit").toBool();
}

void enter(keyboard_light_view &page, const char *name, const QString &text)
{
    QLineEdit *edit = page.findChild<QLineEdit *>(name);
    edit->setText(text);
    emit edit->returnPressed();
}

void enterColour(keyboard_light_view &page, const Rgb &c)
{
    enter(page, "edit_r", QString::number(c.r));
    enter(page, "edit_g", QString::number(c.g));
    enter(page, "edit_b", QString::number(c.b));
}

void moveHeld(QWidget *w, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Press on a stop, drag it through `path` and let go, all on the strip.
void dragStop(keyboard_light_view &page, int from, std::initializer_list<int> path)
{
    QTest::mousePress(&page, Qt::LeftButton, Qt::NoModifier, {slotX(from), kStripY});
    int last = from;
    for (int slot : path) {
        moveHeld(&page, {slotX(slot), kStripY});
        last = slot;
    }
    QTest::mouseRelease(&page, Qt::LeftButton, Qt::NoModifier, {slotX(last), kStripY});
}

void pressStop(keyboard_light_view &page, int slot)
{
    QTest::mousePress(&page, Qt::LeftButton, Qt::NoModifier, {slotX(slot), kStripY});
    QTest::mouseRelease(&page, Qt::LeftButton, Qt::NoModifier, {slotX(slot), kStripY});
}

QString patternFile(int number)
{
    return readText(readini::patternPath(number, kProfile));
}

QString patternText(const QString &r, const QString &g, const QString &b, const QString &v,
                    const QString &y)
{
    return QStringLiteral("[Setting]\nBColor=\"%1\"\nGColor=\"%2\"\nRColor=\"%3\"\nVColor=\"%4\"\n"
                          "YValue=\"%5\"\n")
        .arg(b, g, r, v, y);
}

const QString kStripTail = QStringLiteral(
    "height: 10px; margin: -5px 5px 0px 5px; left: 5px; right: 0px; top:-7px;} "
    "QSlider::handle:horizontal {border-image: url(\"Image/bar_bright.png\"); width: 20px; "
    "height: 20px; margin: -10px -1px -15px -5px; top:15px;}");

} // namespace

class LightStopsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> dir;
    std::unique_ptr<RecordingDevice> device;
    std::unique_ptr<PauseRecorder> pauses;
    std::unique_ptr<key_main_sand_cmd> sender;

    // A page editing kProfile's patterns, showing `effect` with pattern entry `pattern`.
    std::unique_ptr<keyboard_light_view> openPage(int effect, int pattern)
    {
        std::unique_ptr<keyboard_light_view> page(new keyboard_light_view);
        page->profile_name = kProfile;
        page->key_r_insertcombo();
        combo(*page, "effect_combo")->setCurrentIndex(effect);
        combo(*page, "pattern_combo")->setCurrentIndex(pattern);
        return page;
    }

private slots:
    void init()
    {
        dir.reset(new TempWorkDir);
        device.reset(new RecordingDevice);
        pauses.reset(new PauseRecorder);
        sender.reset(new key_main_sand_cmd);
        sender->setPauseFunction(pauses->function());
        gCommandSender = sender.get();
        gDeviceHandle = device.get();
    }
    void cleanup()
    {
        gCommandSender = nullptr;
        gDeviceHandle = nullptr;
        sender.reset();
        dir.reset();
    }

    void addStopFillsLowestFreeSlotUntilEleven()
    {
        makePatterns(6);
        auto page = openPage(EffectArrowFlow, 5);
        QVERIFY(!button(*page, "btn_add_stop")->isHidden());
        for (int n = 1; n <= 9; ++n) {
            click(*page, "btn_add_stop");
            QCOMPARE(presentSlots(page->stops()).size(), n + 2);
            QVERIFY(page->stops()[n].present);
            QCOMPARE(page->stops()[n].color, (Rgb{255, 0, 0}));
            QVERIFY(page->findChild<QLabel *>(QString("stop_handle_%1").arg(n))
                        ->isVisibleTo(page.get()));
        }
        const QString file = patternFile(6);
        click(*page, "btn_add_stop"); // all 11 present: refused
        QCOMPARE(presentSlots(page->stops()).size(), 11);
        QCOMPARE(patternFile(6), file);

        // a freed slot is the next one filled
        pressStop(*page, 3);
        click(*page, "btn_del_stop");
        QVERIFY(!page->stops()[3].present);
        click(*page, "btn_add_stop");
        QVERIFY(page->stops()[3].present);
        QCOMPARE(page->findChild<QLabel *>("stop_handle_3")->styleSheet(),
                 QString("background-color:red; border:1px solid gray;"));
    }

    void dragStaysStrictlyBetweenNeighbours_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QVector<int>>("present");
        // stops at 2, 4 and 6: the one at 4 may go to 3, 4 or 5 only
        QTest::newRow("onto left neighbour") << 2 << QVector<int>{0, 2, 4, 6, 10};
        QTest::newRow("past left neighbour") << 1 << QVector<int>{0, 2, 4, 6, 10};
        QTest::newRow("slot 3") << 3 << QVector<int>{0, 2, 3, 6, 10};
        QTest::newRow("slot 5") << 5 << QVector<int>{0, 2, 5, 6, 10};
        QTest::newRow("onto right neighbour") << 6 << QVector<int>{0, 2, 4, 6, 10};
        QTest::newRow("past right neighbour") << 8 << QVector<int>{0, 2, 4, 6, 10};
        QTest::newRow("right end") << 10 << QVector<int>{0, 2, 4, 6, 10};
    }
    void dragStaysStrictlyBetweenNeighbours()
    {
        QFETCH(int, target);
        QFETCH(QVector<int>, present);
        makePatterns(6);
        savePattern(5, stopsAt({{2, {1, 2, 3}}, {4, {0, 200, 0}}, {6, {4, 5, 6}}}), {9, 9, 9},
                    kProfile);
        auto page = openPage(EffectWave, 5);
        dragStop(*page, 4, {target});
        QCOMPARE(presentSlots(page->stops()), present);
        const int moved = present[2] == 2 ? present[3] : present[2];
        QCOMPARE(page->stops()[moved].color, (Rgb{0, 200, 0}));
        // the handle follows the stop, and the file keeps what the strip shows
        QCOMPARE(page->findChild<QLabel *>(QString("stop_handle_%1").arg(moved))->x(),
                 stop_x[moved]);
        QCOMPARE(presentSlots(readPattern(5, kProfile).stops), present);
    }

    void dragPassesThroughFreeSlots()
    {
        makePatterns(6);
        savePattern(5, stopsAt({{1, {0, 0, 255}}}), {0, 0, 0}, kProfile);
        auto page = openPage(EffectArrowFlow, 5);
        dragStop(*page, 1, {2, 3, 4, 9});
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 9, 10}));
        QCOMPARE(page->stops()[9].color, (Rgb{0, 0, 255}));
        // the release stored the set as Arrow Flow's
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 9, 10}));
        // moves off the strip's drag band change nothing
        QTest::mousePress(page.get(), Qt::LeftButton, Qt::NoModifier, {slotX(9), kStripY});
        moveHeld(page.get(), {slotX(5), 383});
        QTest::mouseRelease(page.get(), Qt::LeftButton, Qt::NoModifier, {slotX(5), 383});
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 9, 10}));
    }

    void delStopRemovesOnlyMiddleStops_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QVector<int>>("present");
        QTest::newRow("left end") << 0 << QVector<int>{0, 5, 10};
        QTest::newRow("right end") << 10 << QVector<int>{0, 5, 10};
        QTest::newRow("middle") << 5 << QVector<int>{0, 10};
        QTest::newRow("nothing selected") << -1 << QVector<int>{0, 5, 10};
    }
    void delStopRemovesOnlyMiddleStops()
    {
        QFETCH(int, selected);
        QFETCH(QVector<int>, present);
        makePatterns(6);
        savePattern(5, stopsAt({{5, {0, 255, 0}}}), {0, 0, 0}, kProfile);
        auto page = openPage(EffectRipple, 5);
        if (selected >= 0)
            pressStop(*page, selected);
        click(*page, "btn_del_stop");
        QCOMPARE(presentSlots(page->stops()), present);
        QCOMPARE(presentSlots(readPattern(5, kProfile).stops), present);
        if (selected == 5)
            QVERIFY(page->findChild<QLabel *>("stop_handle_5")->isHidden());
    }

    void builtInPatternsRefuseEdits()
    {
        makePatterns(6);
        savePattern(5, stopsAt({{5, {0, 255, 0}}}), {0, 0, 0}, kProfile);
        const StopSlots builtIn = stopsAt({{3, {10, 20, 30}}});
        readini::writeini_file(2, patternMap(builtIn, {1, 2, 3}), kProfile);
        const QString builtInFile = patternFile(3);

        auto page = openPage(EffectArrowFlow, 5);
        pressStop(*page, 5); // a stop of the user pattern is selected ...
        combo(*page, "pattern_combo")->setCurrentIndex(2); // ... then a built-in is chosen
        QCOMPARE(page->effect_flag.combo_count, 2);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 3, 10}));
        for (int i = 0; i < kStopSlots; ++i)
            QVERIFY(page->findChild<QLabel *>(QString("stop_handle_%1").arg(i))->isHidden());
        QVERIFY(button(*page, "btn_add_stop")->isHidden());
        QVERIFY(button(*page, "btn_del_stop")->isHidden());

        pressStop(*page, 3);
        enterColour(*page, {0, 0, 255});
        click(*page, "btn_add_stop");
        click(*page, "btn_del_stop");
        QTest::mousePress(page.get(), Qt::LeftButton, Qt::NoModifier, {600, 500}); // palette
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 3, 10}));
        QCOMPARE(page->stops()[3].color, (Rgb{10, 20, 30}));
        QCOMPARE(patternFile(3), builtInFile);

        click(*page, "btn_pattern_del");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 6);
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 2);
        QVERIFY(QFile::exists(readini::patternPath(6, kProfile)));
        QCOMPARE(patternFile(3), builtInFile);
    }

    void stripStyleOnThePage()
    {
        makePatterns(6);
        auto page = openPage(EffectArrowFlow, 5);
        QSlider *strip = page->findChild<QSlider *>("stops_slider");
        QCOMPARE(strip->styleSheet(),
                 "QSlider::groove:horizontal {background:qlineargradient(x1 : 0, y1 : 0, x2 : 1, "
                 "y2 : 0, stop : 0.0 rgb(255,0,0), stop : 1 rgb(0,0,0)); " +
                     kStripTail);
        click(*page, "btn_add_stop");
        click(*page, "btn_add_stop");
        dragStop(*page, 2, {3, 4});
        pressStop(*page, 4);
        enterColour(*page, {0, 128, 255});
        QCOMPARE(strip->styleSheet(),
                 "QSlider::groove:horizontal {background:qlineargradient(x1 : 0, y1 : 0, x2 : 1, "
                 "y2 : 0, stop : 0.0 rgb(255,0,0), stop : 0.1 rgb(255,0,0), stop : 0.4 "
                 "rgb(0,128,255), stop : 1 rgb(0,0,0)); " +
                     kStripTail);
        QCOMPARE(page->findChild<QLabel *>("stop_handle_4")->styleSheet(),
                 QString("background-color:rgb(0,128,255); border:1px solid white"));
        QCOMPARE(page->findChild<QLineEdit *>("edit_code")->text(), QString("0080ff"));
    }

    void patternFileFollowsStopChanges()
    {
        makePatterns(6);
        // a palette that is one colour everywhere
        QVERIFY(QDir().mkpath("Image"));
        QImage palette(140, 140, QImage::Format_RGB32);
        palette.fill(QColor(7, 8, 9));
        QVERIFY(palette.save("Image/palette.png"));
        auto page = openPage(EffectRipple, 5);
        click(*page, "btn_add_stop");
        dragStop(*page, 1, {2, 3, 4, 5, 6, 7});
        pressStop(*page, 7);
        enterColour(*page, {0, 128, 255});
        pressStop(*page, 10);
        enterColour(*page, {1, 2, 3});
        QCOMPARE(patternFile(6),
                 patternText("255,0,0,0,0,0,0,0,0,0,1", "0,0,0,0,0,0,0,128,0,0,2",
                             "0,0,0,0,0,0,0,255,0,0,3", "255,0,0", "1,0,0,0,0,0,0,1,0,0,1"));
        // a press elsewhere lets go of the stop; the surface takes the palette
        // colour and goes into the same file
        QTest::mousePress(page.get(), Qt::LeftButton, Qt::NoModifier, {20, 600});
        QVERIFY(!page->stop_editor.hasSelection());
        click(*page, "btn_surface");
        click(*page, "btn_surface_color");
        QVERIFY(page->surface_selected_ripple);
        QTest::mousePress(page.get(), Qt::LeftButton, Qt::NoModifier, {600, 500});
        QCOMPARE(page->surface_color, (Rgb{7, 8, 9}));
        QCOMPARE(page->stops()[10].color, (Rgb{1, 2, 3}));
        QCOMPARE(patternFile(6),
                 patternText("255,0,0,0,0,0,0,0,0,0,1", "0,0,0,0,0,0,0,128,0,0,2",
                             "0,0,0,0,0,0,0,255,0,0,3", "7,8,9", "1,0,0,0,0,0,0,1,0,0,1"));
    }

    void patternDelRenumbersLaterFiles()
    {
        makePatterns(7);
        for (int index = 5; index < 7; ++index)
            savePattern(index, stopsAt({{index, {index, 0, 0}}}), {index, index, index}, kProfile);
        const QString seventh = patternFile(7);
        auto page = openPage(EffectArrowFlow, 5);
        QCOMPARE(combo(*page, "pattern_combo")->count(), 7);
        click(*page, "btn_pattern_del");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 6);
        QVERIFY(!QFile::exists(readini::patternPath(7, kProfile)));
        QCOMPARE(patternFile(6), seventh);
        // the entry before the deleted one is chosen and shown
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 4);
        QCOMPARE(page->effect_flag.combo_count, 4);
    }

    void patternAddStopsAtSixteen()
    {
        makePatterns(14);
        auto page = openPage(EffectWave, 5);
        click(*page, "btn_pattern_add");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 15);
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 14);
        QCOMPARE(page->effect_flag.combo_count, 14);
        QCOMPARE(patternFile(15),
                 patternText("255,0,0,0,0,0,0,0,0,0,0", "0,0,0,0,0,0,0,0,0,0,0",
                             "0,0,0,0,0,0,0,0,0,0,0", "255,0,0", "1,0,0,0,0,0,0,0,0,0,1"));
        click(*page, "btn_pattern_add");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 16);
        click(*page, "btn_pattern_add");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 16);
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 15);
        QVERIFY(!QFile::exists(readini::patternPath(17, kProfile)));
    }

    void patternEntriesShowTheirGradients()
    {
        makePatterns(6);
        savePattern(5, stopsAt({{4, {0, 0, 255}}}), {0, 0, 0}, kProfile);
        auto page = openPage(EffectArrowFlow, 0);
        const QBrush brush =
            combo(*page, "pattern_combo")->itemData(5, Qt::BackgroundRole).value<QBrush>();
        QVERIFY(brush.gradient());
        const auto *g = static_cast<const QLinearGradient *>(brush.gradient());
        QCOMPARE(g->finalStop(), QPointF(150, 0));
        QCOMPARE(g->stops().size(), 3);
        QCOMPARE(g->stops()[1], qMakePair(qreal(0.4), QColor(0, 0, 255)));
    }

    void savedGradientIsAppliedAsZoneTable()
    {
        makePatterns(6);
        auto page = openPage(EffectWave, 5);
        page->profile_number = 3;
        click(*page, "btn_add_stop");
        pressStop(*page, 1);
        enterColour(*page, {0, 0, 255});
        dragStop(*page, 1, {3, 5});
        // another pattern and back: the stops come from the file
        combo(*page, "pattern_combo")->setCurrentIndex(0);
        combo(*page, "pattern_combo")->setCurrentIndex(5);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 5, 10}));
        click(*page, "btn_apply");
        QCOMPARE(device->reports.size(), 3);
        Report table{};
        table[0] = 7;
        table[1] = 0x0D;
        table[2] = 3;
        const int red[22] = {255, 230, 205, 180, 155, 130, 105, 80, 55, 30, 0,
                             0,   0,   0,   0,   0,   0,   0,   0,  0,  0,  0};
        const int blue[22] = {0,   25,  50,  75,  100, 125, 150, 175, 200, 225, 255,
                              230, 205, 180, 155, 130, 105, 80,  55,  30,  0,   0};
        for (int z = 0; z < 22; ++z) {
            table[8 + z] = quint8(red[z]);
            table[52 + z] = quint8(blue[z]);
        }
        QCOMPARE(hex(device->reports[1]), hex(toBytes(table)));
        QCOMPARE(readLightCommandSet(kProfile).reports.size(), 5);
    }

    void effectsKeepTheirRememberedStops()
    {
        makePatterns(7);
        savePattern(6, stopsAt({{8, {0, 9, 0}}}), {4, 4, 4}, kProfile);
        auto page = openPage(EffectArrowFlow, 5);
        click(*page, "btn_add_stop");
        dragStop(*page, 1, {2});
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 2, 10}));

        // Static leaves the editor alone, so Arrow Flow gets its stops back.
        combo(*page, "effect_combo")->setCurrentIndex(EffectStatic);
        combo(*page, "effect_combo")->setCurrentIndex(EffectArrowFlow);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 2, 10}));

        // Ripple shows its chosen pattern; its remembered set is its own.
        combo(*page, "effect_combo")->setCurrentIndex(EffectRipple);
        combo(*page, "pattern_combo")->setCurrentIndex(6);
        QCOMPARE(page->effect_flag.combo_count, 6);
        dragStop(*page, 8, {7});
        QCOMPARE(presentSlots(page->ripple_stops), (QVector<int>{0, 7, 10}));
        QCOMPARE(page->ripple_surface, (Rgb{4, 4, 4}));
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 2, 10}));

        // Wave takes over the gradient being edited, Arrow Flow's set stays.
        combo(*page, "effect_combo")->setCurrentIndex(EffectWave);
        QCOMPARE(presentSlots(page->wave_stops), (QVector<int>{0, 7, 10}));
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 2, 10}));

        // Ripple comes back on its own pattern entry.
        combo(*page, "effect_combo")->setCurrentIndex(EffectRipple);
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 6);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 7, 10}));
    }

    void surfaceSwitchLookFollowsItsFlag()
    {
        makePatterns(6);
        auto page = openPage(EffectArrowFlow, 5);
        QPushButton *swatch = button(*page, "btn_surface_color");
        QVERIFY(!lit(*page, "btn_surface") && swatch->isHidden());
        click(*page, "btn_surface");
        QVERIFY(page->surface_on_arrow && lit(*page, "btn_surface"));
        QVERIFY(!swatch->isHidden());
        click(*page, "btn_surface_color");
        QVERIFY(page->surface_selected_arrow);

        // the row hidden and shown again: still on, and it says so
        click(*page, "btn_full");
        QVERIFY(button(*page, "btn_surface")->isHidden());
        click(*page, "btn_customized");
        QVERIFY(page->surface_on_arrow && lit(*page, "btn_surface"));
        QVERIFY(!swatch->isHidden());
        QVERIFY(!page->surface_selected_arrow);

        // Ripple has its own switch
        combo(*page, "effect_combo")->setCurrentIndex(EffectRipple);
        QVERIFY(!page->surface_on_ripple && !lit(*page, "btn_surface"));
        QVERIFY(swatch->isHidden());
        combo(*page, "effect_combo")->setCurrentIndex(EffectArrowFlow);
        QVERIFY(lit(*page, "btn_surface"));
        click(*page, "btn_surface");
        QVERIFY(!page->surface_on_arrow && !lit(*page, "btn_surface") && swatch->isHidden());
    }

    void patternListFollowsTheProfile()
    {
        makePatterns(7);
        keyboard_light_view page;
        QCOMPARE(combo(page, "pattern_combo")->count(), 0);
        page.profile_name = kProfile; // set by a profile change
        QTest::mousePress(&page, Qt::LeftButton, Qt::NoModifier, {20, 600});
        QCOMPARE(combo(page, "pattern_combo")->count(), 7);
    }
};

QTEST_MAIN(LightStopsTest)
#include "tst_lightstops.moc"
