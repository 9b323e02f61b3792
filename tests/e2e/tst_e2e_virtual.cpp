// The console on its virtual keyboard: a socket colour message lights the
// virtual keyboard's keys, the USB keyboard hears nothing, and the memory
// comes back after a restart on the same data directory.

#include "ConsoleProcess.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "core/virtual/VirtualLighting.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class VirtualEndToEnd : public QObject
{
    Q_OBJECT

    ConsoleProcess console;

    QString stateFile() const
    {
        return console.dataDir() + '/' + VirtualKeyboardDevice::defaultStateFile();
    }
    // The saved memory once `ready` holds for it.
    VirtualKeyboardState
    waitForState(const std::function<bool(const VirtualKeyboardState &)> &ready)
    {
        VirtualKeyboardState s;
        for (QDeadlineTimer deadline(15000); !deadline.hasExpired(); QTest::qWait(50))
            if (loadState(stateFile(), s) && ready(s))
                return s;
        return s;
    }
    static bool allKeys(const VirtualKeyboardState &s, int profile, const QColor &c)
    {
        const KeyColours keys = lightKeys(s.profile(profile), 0);
        return std::all_of(keys.begin(), keys.end(), [&](const QColor &k) { return k == c; });
    }

private slots:
    void socketColourLightsTheVirtualKeysAndSurvivesARestart()
    {
        const QColor colour(0x12, 0xAB, 0x5C);
        QVERIFY(console.start({"--virtual-keyboard"}));
        QCOMPARE(waitForState([](const VirtualKeyboardState &s) {
                     return s.activeProfile == 1;
                 }).activeProfile,
                 1);
        QVERIFY(console.send("076#12#AB#5C"));
        QVERIFY(allKeys(waitForState([&](auto &s) { return allKeys(s, 1, colour); }), 1, colour));
        QVERIFY(console.send("073"));
        QCOMPARE(waitForState([](auto &s) { return s.activeProfile == 3; }).activeProfile, 3);
        QVERIFY(console.reports().isEmpty()); // the USB keyboard was never written
        console.stop();

        // Start-up selects profile 1 again; the colours are the keyboard's memory.
        QVERIFY(console.start({"--keyboard=virtual"}));
        const VirtualKeyboardState again =
            waitForState([](const VirtualKeyboardState &s) { return s.activeProfile == 1; });
        QCOMPARE(again.activeProfile, 1);
        QVERIFY(allKeys(again, 1, colour));
        QVERIFY(again.undecoded.isEmpty());
        QVERIFY(console.reports().isEmpty());
    }
};

QTEST_GUILESS_MAIN(VirtualEndToEnd)
#include "tst_e2e_virtual.moc"
