// Nothing is refused in silence: each refusal leaves the data directory and
// the keyboard as they were and says why in the status band.

#include "WindowFixture.h"
#include "core/app/Notices.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"
#include "ui/macro/MacroPage.h"
#include "ui/settings/SettingsPage.h"
#include "ui/shell/StatusBand.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// Desktop services on a desktop where no browser starts.
struct NoBrowserDesktop : RecordingDesktop {
    bool openUrl(const QUrl &url) override { return urls << url.toString(), false; }
    bool startProgram(const QString &program, const QString &, bool) override
    {
        return launches << program, false;
    }
};

void choose(WindowFixture &f, const QString &profile)
{
    f.menu().profileCombo()->setCurrentText(profile);
}

void rename(WindowFixture &f, const QString &name)
{
    f.menu().profileNameEdit()->setText(name);
    emit f.menu().profileNameEdit()->returnPressed();
}

using Step = std::function<void(WindowFixture &)>;

// A Settings page on a desktop without browser and updater, posting where the window does.
void onSettingsPage(WindowFixture &f, void (SettingsPage::*request)())
{
    NoBrowserDesktop desktop;
    SettingsPage page(nullptr, &desktop);
    QObject::connect(&page, &SettingsPage::refused, f.ctx().notices, &Notices::refuse);
    QObject::connect(&page, &SettingsPage::informed, f.ctx().notices, &Notices::inform);
    (page.*request)();
}

} // namespace

Q_DECLARE_METATYPE(Step)

class NoticesTest : public QObject
{
    Q_OBJECT
private slots:
    void refusalsChangeNothingAndSayWhy_data()
    {
        QTest::addColumn<Step>("setUp");
        QTest::addColumn<Step>("request");
        QTest::addColumn<QString>("notice");

        const Step game = [](WindowFixture &f) {
            QVERIFY(copyProfile("PROFILE 1", "Game"));
            QVERIFY(copyProfile("PROFILE 1", "Work"));
            f.menu().refillProfileList();
            choose(f, "Game");
        };
        const Step none = [](WindowFixture &) {};
        QTest::newRow("delete built-in")
            << none << Step([](WindowFixture &f) { f.menu().deleteButton()->released(); })
            << "PROFILE 1 is a built-in profile and cannot be deleted";
        QTest::newRow("rename empty") << game << Step([](WindowFixture &f) { rename(f, ""); })
                                      << "A profile name cannot be empty";
        QTest::newRow("rename spaces") << game << Step([](WindowFixture &f) { rename(f, "   "); })
                                       << "A profile name cannot be empty";
        for (const char *bad : {"a/b", "a..b", "..", "x:y"})
            QTest::newRow(qPrintable(QString("rename %1").arg(bad)))
                << game << Step([bad](WindowFixture &f) { rename(f, bad); })
                << "A profile name cannot contain * | \\ : \" < > ? / or ..";
        QTest::newRow("rename leading space")
            << game << Step([](WindowFixture &f) { rename(f, " Game2"); })
            << "A profile name cannot begin or end with a space";
        QTest::newRow("rename duplicate")
            << game << Step([](WindowFixture &f) { rename(f, "Work"); })
            << "A profile named Work already exists";
        QTest::newRow("rename to a built-in name") << Step([game](WindowFixture &f) {
            game(f);
            QVERIFY(QDir("lightfile/PROFILE 5").removeRecursively());
        }) << Step([](WindowFixture &f) { rename(f, "PROFILE 5"); })
                                                   << "PROFILE 5 is the name of a built-in profile";
        QTest::newRow("rename built-in")
            << none << Step([](WindowFixture &f) { rename(f, "Mine"); })
            << "PROFILE 1 is a built-in profile and cannot be renamed";
        QTest::newRow("import a picture") << Step([](WindowFixture &f) {
            QVERIFY(writeText("picture.ini", QByteArray::fromHex("89504e470d0a1a0a0000")));
            f.desktop.fileName = QDir::current().absoluteFilePath("picture.ini");
        }) << Step([](WindowFixture &f) {
            f.menu().importButton()->released();
        }) << "picture.ini is not a profile export: nothing was imported";
        QTest::newRow("import a note") << Step([](WindowFixture &f) {
            QVERIFY(writeText("note.ini", "[Setting]\nshopping=milk\n"));
            f.desktop.fileName = QDir::current().absoluteFilePath("note.ini");
        }) << Step([](WindowFixture &f) { f.menu().importButton()->released(); })
                                       << "note.ini is not a profile export: nothing was imported";
        QTest::newRow("new at the limit") << Step([](WindowFixture &f) {
            for (int i = 0; i < 10; ++i)
                QVERIFY(copyProfile("PROFILE 1", QString("Spare %1").arg(i)));
            f.menu().refillProfileList();
        }) << Step([](WindowFixture &f) { f.menu().newButton()->released(); })
                                          << "No room for another profile: at most 15 are kept";
        QTest::newRow("copy at the limit") << Step([](WindowFixture &f) {
            for (int i = 0; i < 8; ++i) // 13 profiles
                QVERIFY(copyProfile("PROFILE 1", QString("Spare %1").arg(i)));
            f.menu().refillProfileList();
        }) << Step([](WindowFixture &f) { f.menu().copyProfileClicked(); })
                                           << "No room for another profile: at most 13 are kept";
        QTest::newRow("macro copy at the limit") << Step([](WindowFixture &f) {
            for (int n = 1; countEntries("macrofile") < 13; ++n)
                QVERIFY(RecordedMacroFile::create(n).ok());
            f.ctx().macros->showMacro("Macro 1");
        }) << Step([](WindowFixture &f) { f.ctx().macros->copyMacroClicked(); })
                                                 << "No room for another macro: at most 13 are kept";
        QTest::newRow("product page without a browser")
            << none << Step([](WindowFixture &f) { f.w->infoButton()->released(); })
            << "No web browser could be started: the page is "
               "https://www.orvanta-rgb.com/products/orvanta-rgb";
        QTest::newRow("website without a browser")
            << none << Step([](WindowFixture &f) { onSettingsPage(f, &SettingsPage::openWebsite); })
            << "No web browser could be started: the page is https://www.orvanta-rgb.com/";
        QTest::newRow("check for updates without an installer")
            << none << Step([](WindowFixture &f) {
                   // The check that follows goes to a closed loopback port.
                   qputenv("ORVANTA_UPDATE_URL", "http://127.0.0.1:9");
                   onSettingsPage(f, &SettingsPage::updateFirmware);
               })
            << "No update installer on this platform: checking for a newer version";
        QTest::newRow("undo with nothing to undo")
            << none << Step([](WindowFixture &f) { f.w->undoLastAction(); }) << "Nothing to undo";
    }

    void refusalsChangeNothingAndSayWhy()
    {
        QFETCH(Step, setUp);
        QFETCH(Step, request);
        QFETCH(QString, notice);
        WindowFixture f;
        NoBrowserDesktop desktop;
        f.ctx().desktop = &desktop;
        setUp(f);
        desktop.fileName = f.desktop.fileName;
        f.clear();
        const auto before = dumpDataDir();
        const QStringList listed = profileList();
        request(f);
        QCOMPARE(f.w->statusBand()->noticeText(), notice);
        QCOMPARE(dumpDataDir(), before);
        QCOMPARE(profileList(), listed);
        QCOMPARE(f.sent().size(), 0);
    }

    // A profile without stored lighting leaves the keyboard's lighting, a name
    // too long is cut: each says so.
    void changesWithANotice()
    {
        WindowFixture f;
        QVERIFY(copyProfile("PROFILE 1", "Game"));
        QFile::remove("lightfile/Game/cmd/light_cmd.ini");
        f.menu().refillProfileList();
        f.clear();
        choose(f, "Game");
        QCOMPARE(f.w->statusBand()->noticeText(),
                 QString("Game has no complete stored lighting: the keyboard keeps its lighting"));
        QCOMPARE(f.sent().size(), 0);
        rename(f, QString(70, 'n'));
        QCOMPARE(f.w->statusBand()->noticeText(),
                 "Profile names are at most 64 characters: renamed to " + QString(64, 'n'));
        QVERIFY(profileList().contains(QString(64, 'n')));
        QVERIFY(!profileList().contains("Game"));
    }
};

QTEST_MAIN(NoticesTest)
#include "tst_notices.moc"
