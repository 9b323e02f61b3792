// The Settings page: language list, what a language change emits, and the
// firmware updater button.

#include "TestSupport.h"
#include "core/settings/ProgramLauncher.h"
#include "core/storage/IniStore.h"
#include "ui/settings/SettingsPage.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace orvanta;

template <typename T> static T *withText(QWidget *page, const QString &text)
{
    for (T *w : page->findChildren<T *>())
        if (w->text() == text)
            return w;
    return nullptr;
}

class SettingsPageTest : public QObject
{
    Q_OBJECT

private slots:
    void pageFollowsStoredLanguage_data()
    {
        QTest::addColumn<int>("stored"); // -1: no language file
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("family");
        QTest::newRow("no setting") << -1 << 0 << "Arial Unicode MS";
        QTest::newRow("simplified") << 2 << 2 << QString::fromUtf8(u8"微軟正黑體");
        QTest::newRow("out of range") << 3 << -1 << "";
    }
    void pageFollowsStoredLanguage()
    {
        QFETCH(int, stored);
        QFETCH(int, index);
        QFETCH(QString, family);
        test::TempWorkDir work;
        if (stored >= 0)
            IniStore::writeLanguage(stored);
        SettingsPage page;
        auto *list = page.findChild<QComboBox *>();
        QCOMPARE((QStringList{list->itemText(0), list->itemText(1), list->itemText(2)}),
                 (QStringList{"English", QString::fromUtf8(u8"繁體中文"),
                              QString::fromUtf8(u8"簡體中文")}));
        QCOMPARE(list->currentIndex(), index);
        QVERIFY(withText<QLabel>(&page, "LANGUAGE")
                    ->styleSheet()
                    .endsWith("font-family:" + family + ";"));
    }

    void choosingALanguageEmitsItsCodeOnce()
    {
        test::TempWorkDir work;
        IniStore::writeLanguage(0);
        SettingsPage page;
        auto *list = page.findChild<QComboBox *>();
        QStringList emitted;
        connect(&page, &SettingsPage::languageChosen, &page,
                [&](const QString &code) { emitted << code; });
        QTest::ignoreMessage(QtDebugMsg, "setting_language_english_function()");
        list->setCurrentIndex(2);
        list->setCurrentIndex(2); // picking the current item again is no change
        QTest::ignoreMessage(QtDebugMsg, "setting_language_english_function()");
        list->setCurrentIndex(0);
        QCOMPARE(emitted, (QStringList{"2", "0"}));
    }

    void updateButtonStartsFirmwareUpdaterEachTime()
    {
        test::TempWorkDir work;
        QStringList started;
        ProgramLauncher::start = [&](const QString &program, const QString &dir, bool elevated) {
            started << program + '|' + dir + '|' + (elevated ? "elevated" : "plain");
            return true;
        };
        SettingsPage page;
        auto *update = withText<QPushButton>(&page, "CHECK FOR UPDATES");
        QTest::mouseClick(update, Qt::LeftButton);
        QVERIFY(test::writeText(QStringLiteral("fw/FWUpdate.exe"), "MZ"));
        QTest::mouseClick(update, Qt::LeftButton);
        ProgramLauncher::restoreDefaults();
        QCOMPARE(started, (QStringList{"./fw/FWUpdate||plain", "./fw/FWUpdate.exe||plain"}));
    }
};

QTEST_MAIN(SettingsPageTest)
#include "tst_settingspage.moc"
