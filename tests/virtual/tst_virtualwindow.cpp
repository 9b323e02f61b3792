// The virtual keyboard window: keys lit from the memory (also when reports come
// from another thread), the active profile named, hover texts, the pulse, key
// positions at small sizes, and the Settings page control that opens it.

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/LightingBuilders.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "ui/settings/SettingsPage.h"
#include "ui/virtual/VirtualKeyboardWindow.h"

#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

using namespace orvanta;

class VirtualWindowTest : public QObject
{
    Q_OBJECT

    CommandSender sender;
    test::PauseRecorder pauses;

    void paint(VirtualKeyboardDevice &keyboard, const Rgb &c, int profile)
    {
        LightingState s;
        s.ledR.fill(c.r);
        s.ledG.fill(c.g);
        s.ledB.fill(c.b);
        LightCommandSet set = buildLightCommandSet(EffectStatic, s);
        sendLightCommandSet(sender, &keyboard, set, quint8(profile));
    }
    static bool allKeys(const KeyColours &keys, const QColor &c)
    {
        return std::all_of(keys.begin(), keys.end(), [&](const QColor &k) { return k == c; });
    }

private slots:
    void initTestCase() { sender.setPauseFunction(pauses.function()); }

    void followsReportsSentFromAnotherThread()
    {
        VirtualKeyboardDevice keyboard;
        VirtualKeyboardWindow window(&keyboard);
        QCOMPARE(window.windowTitle(), QStringLiteral("ORVANTA RGB virtual keyboard"));
        QCOMPARE(window.profileText(), QStringLiteral("ON-BOARD PROFILE 1"));
        QThread *worker = QThread::create([&] {
            sender.selectProfile(&keyboard, 3);
            paint(keyboard, {1, 2, 3}, 3);
        });
        worker->start();
        QVERIFY(worker->wait(5000));
        delete worker;
        QTRY_COMPARE(window.profileText(), QStringLiteral("ON-BOARD PROFILE 3"));
        VirtualKeyboardCanvas *canvas = window.canvas();
        QVERIFY(allKeys(canvas->keyColoursAt(canvas->now()), QColor(1, 2, 3)));
    }

    void pulseFlashesTheKeysAndFades()
    {
        VirtualKeyboardDevice keyboard;
        VirtualKeyboardWindow window(&keyboard);
        paint(keyboard, {0, 0, 200}, 1);
        sender.sendAppLight(&keyboard, 9);
        VirtualKeyboardCanvas *canvas = window.canvas();
        QCoreApplication::processEvents(); // the queued notices of the reports
        const qint64 t = canvas->now();
        const QColor flash = canvas->keyColoursAt(t)[0];
        QVERIFY(flash.red() > 100 && flash.blue() > 200);
        QVERIFY(allKeys(canvas->keyColoursAt(t + 400), QColor(0, 0, 200)));
    }

    void keysAreFoundAndExplainedAtAnySize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small") << QSize(300, 180);
        QTest::newRow("default") << QSize(760, 420);
        QTest::newRow("wide") << QSize(1600, 500);
    }
    void keysAreFoundAndExplainedAtAnySize()
    {
        QFETCH(QSize, size);
        VirtualKeyboardDevice keyboard;
        sender.setSingleKey(0x04, 0x3E); // A sends F5
        sender.writeKeyMap(&keyboard, 1);
        sender.resetKeyMap();
        VirtualKeyboardWindow window(&keyboard);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.canvas()->hoverText(42), QStringLiteral("A\nSends F5"));
        // Every key can be pointed at, whatever the size.
        VirtualKeyboardCanvas *canvas = window.canvas();
        QSet<int> found;
        for (int x = 0; x < canvas->width(); ++x)
            for (int y = 0; y < canvas->height(); ++y)
                found.insert(canvas->keyAt({x, y}));
        for (int k = 0; k < kKeyCount; ++k)
            QCOMPARE(found.contains(k), KEY_TABLE[size_t(k)].label != nullptr);
        QCOMPARE(canvas->hoverText(0), QStringLiteral("ESC\nDefault"));
    }

    void settingsPageOffersTheVirtualKeyboardWithoutCoveringAnything()
    {
        test::TempWorkDir dir;
        SettingsPage page;
        auto *button = page.findChild<QPushButton *>(QStringLiteral("virtualKeyboardButton"));
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("VIRTUAL KEYBOARD"));
        for (QWidget *w : page.findChildren<QWidget *>())
            if (w != button && w->parentWidget() == &page)
                QVERIFY2(!w->geometry().intersects(button->geometry()),
                         qPrintable(w->objectName()));
        QVERIFY(page.rect().contains(button->geometry()));
        QSignalSpy asked(&page, &SettingsPage::virtualKeyboardRequested);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(asked.size(), 1);
    }
};

QTEST_MAIN(VirtualWindowTest)
#include "tst_virtualwindow.moc"
