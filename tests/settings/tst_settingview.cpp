// The Settings page: language list, what a language change emits and shows,
// the web buttons and the firmware updater button.

#include "TestSupport.h"
#include "settings/LanguageText.h"
#include "settings/ProgramLauncher.h"
#include "settings/WebLinks.h"
#include "settings/setting_view.h"
#include "storage/readini.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>
#include <memory>

using namespace orvanta;

namespace
{

const QString JHENGHEI = QString::fromUtf8(u8"微軟正黑體");

// Stands in for the simplified-Chinese catalog of the page's four texts.
class SimplifiedCatalog : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char * = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(context, "setting_view") != 0)
            return QString();
        static const QHash<QByteArray, QString> texts{
            {"LANGUAGE", QString::fromUtf8(u8"语言")},
            {"OFFICIAL WEBSITE / SOCIAL MEDIA", QString::fromUtf8(u8"官方网站 / 社群")},
            {"SOFTWARE VERSION : ", QString::fromUtf8(u8"软体版本")},
            {"CHECK FOR UPDATES", QString::fromUtf8(u8"检查更新")}};
        return texts.value(QByteArray(source));
    }
};

QLabel *labelAt(QWidget *page, int x, int y)
{
    for (QLabel *l : page->findChildren<QLabel *>())
        if (l->pos() == QPoint(x, y))
            return l;
    return nullptr;
}

QPushButton *buttonAt(QWidget *page, int x, int y)
{
    for (QPushButton *b : page->findChildren<QPushButton *>())
        if (b->pos() == QPoint(x, y))
            return b;
    return nullptr;
}

} // namespace

class tst_settingview : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempWorkDir> m_work;
    QList<QUrl> m_opened;
    QStringList m_started;
private slots:
    void init()
    {
        m_work = std::make_unique<test::TempWorkDir>();
        QVERIFY(m_work->isValid());
        m_opened.clear();
        m_started.clear();
        WebLinks::open = [this](const QUrl &url) {
            m_opened << url;
            return true;
        };
        ProgramLauncher::start = [this](const QString &program, const QString &dir, bool elevated) {
            m_started << program + QLatin1Char('|') + dir + QLatin1Char('|') +
                             (elevated ? QLatin1String("elevated") : QLatin1String("plain"));
            return true;
        };
    }

    void cleanup()
    {
        WebLinks::restoreDefaults();
        ProgramLauncher::restoreDefaults();
        m_work.reset();
    }

    void pageFollowsStoredLanguage_data()
    {
        QTest::addColumn<QString>("stored"); // "-" : no language file
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("family");
        QTest::newRow("no setting") << "-" << 0 << "Arial Unicode MS";
        QTest::newRow("English") << "0" << 0 << "Arial Unicode MS";
        QTest::newRow("traditional") << "1" << 1 << JHENGHEI;
        QTest::newRow("simplified") << "2" << 2 << JHENGHEI;
        QTest::newRow("out of range") << "3" << -1 << "";
    }

    void pageFollowsStoredLanguage()
    {
        QFETCH(QString, stored);
        QFETCH(int, index);
        QFETCH(QString, family);
        if (stored != QLatin1String("-"))
            readini::write_language(stored.toInt());

        setting_view page;
        auto *list = page.findChild<QComboBox *>();
        QVERIFY(list);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QStringLiteral("English"));
        QCOMPARE(list->itemText(1), QString::fromUtf8(u8"繁體中文"));
        QCOMPARE(list->itemText(2), QString::fromUtf8(u8"簡體中文"));
        QCOMPARE(list->currentIndex(), index);
        // Without the background picture the page keeps the page area's size.
        QCOMPARE(page.size(), QSize(960, 620));

        const QString captionStyle = QStringLiteral("color:white; font-family:") + family + ";";
        QLabel *language = labelAt(&page, 55, 15);
        QVERIFY(language);
        QCOMPARE(language->text(), QStringLiteral("LANGUAGE"));
        QCOMPARE(language->styleSheet(), captionStyle);
        QCOMPARE(labelAt(&page, 55, 90)->styleSheet(), captionStyle);
        QCOMPARE(labelAt(&page, 55, 175)->text(), QStringLiteral("SOFTWARE VERSION : "));
        QCOMPARE(labelAt(&page, 180, 175)->text(), QStringLiteral("v2.1.2"));
        // Building the page never changes the stored language.
        QCOMPARE(readini::read_language(), stored == QLatin1String("-") ? QString() : stored);
    }

    void choosingSimplifiedChineseSwitchesLanguage()
    {
        readini::write_language(0);
        setting_view page;
        auto *list = page.findChild<QComboBox *>();
        SimplifiedCatalog catalog;
        QStringList emitted;
        QString captionWhileEmitting;
        // What the main window does with the code: store it and install the catalog.
        connect(&page, &setting_view::messageABSendToC, &page, [&](const QString &code) {
            emitted << code;
            captionWhileEmitting = labelAt(&page, 55, 15)->text();
            readini::write_language(code.toInt());
            if (code == QLatin1String("2"))
                QCoreApplication::installTranslator(&catalog);
            else
                QCoreApplication::removeTranslator(&catalog);
        });

        QTest::ignoreMessage(QtDebugMsg, "setting_language_english_function()");
        list->setCurrentIndex(2);

        QCOMPARE(emitted, QStringList{QStringLiteral("2")});
        QCOMPARE(captionWhileEmitting, QStringLiteral("LANGUAGE"));
        QCOMPARE(readini::read_language(), QStringLiteral("2"));
        QCOMPARE(labelAt(&page, 55, 15)->text(), QString::fromUtf8(u8"语言"));
        QCOMPARE(labelAt(&page, 55, 90)->text(), QString::fromUtf8(u8"官方网站 / 社群"));
        QCOMPARE(labelAt(&page, 55, 175)->text(), QString::fromUtf8(u8"软体版本"));
        QCOMPARE(buttonAt(&page, 55, 230)->text(), QString::fromUtf8(u8"检查更新"));
        const QString chineseStyle = QStringLiteral("color:white; font-family:") + JHENGHEI + ";";
        QCOMPARE(labelAt(&page, 55, 15)->styleSheet(), chineseStyle);
        QCOMPARE(labelAt(&page, 180, 175)->styleSheet(), chineseStyle);
        // The version label is not translated.
        QCOMPARE(labelAt(&page, 180, 175)->text(), QStringLiteral("v2.1.2"));

        // Picking the current item again is no change.
        list->setCurrentIndex(2);
        QCOMPARE(emitted.size(), 1);

        // Back to English: "0" is emitted and the texts return to their source form.
        QTest::ignoreMessage(QtDebugMsg, "setting_language_english_function()");
        list->setCurrentIndex(0);
        QCOMPARE(emitted, (QStringList{QStringLiteral("2"), QStringLiteral("0")}));
        QCOMPARE(labelAt(&page, 55, 15)->text(), QStringLiteral("LANGUAGE"));
        QCOMPARE(labelAt(&page, 55, 15)->styleSheet(),
                 QStringLiteral("color:white; font-family:Arial Unicode MS;"));
    }

    void unknownLanguageKeepsFontFamily()
    {
        readini::write_language(1);
        setting_view page;
        // A setting outside the list (hand-edited) keeps the family the page has.
        readini::write_language(3);
        page.retranslate();
        QCOMPARE(labelAt(&page, 55, 15)->styleSheet(),
                 QStringLiteral("color:white; font-family:") + JHENGHEI + ";");
    }

    void webButtonsOpenVendorPages()
    {
        setting_view page;
        QTest::mouseClick(buttonAt(&page, 55, 110), Qt::LeftButton);
        QTest::mouseClick(buttonAt(&page, 220, 110), Qt::LeftButton);
        QCOMPARE(m_opened,
                 (QList<QUrl>{QUrl(QStringLiteral("https://www.orvanta-rgb.com/")),
                              QUrl(QStringLiteral("https://www.facebook.com/orvantargb"))}));
        QVERIFY(m_started.isEmpty());
    }

    void updateButtonStartsFirmwareUpdaterEachTime()
    {
        setting_view page;
        QPushButton *update = buttonAt(&page, 55, 230);
        QVERIFY(update);
        QCOMPARE(update->text(), QStringLiteral("CHECK FOR UPDATES"));
        QTest::mouseClick(update, Qt::LeftButton);
        QVERIFY(test::writeText(QStringLiteral("fw/FWUpdate.exe"), "MZ"));
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(m_started, (QStringList{QStringLiteral("./fw/FWUpdate||plain"),
                                         QStringLiteral("./fw/FWUpdate.exe||plain")}));
        QVERIFY(m_opened.isEmpty());
    }

    void updateButtonRunsFirmwareUpdaterForReal()
    {
        const QString stub = qEnvironmentVariable("ORVANTA_STUBUPDATER");
        if (stub.isEmpty() || !QFile::exists(stub))
            QSKIP("no stub updater built");
        ProgramLauncher::restoreDefaults();
        QVERIFY(QDir().mkpath(QStringLiteral("fw")));
        QVERIFY(QFile::copy(stub, QStringLiteral("fw/FWUpdate")));
        const QString record = QDir::current().absoluteFilePath(QStringLiteral("ran.txt"));
        qputenv("ORVANTA_STUB_RECORD", record.toUtf8());

        setting_view page;
        QPushButton *update = buttonAt(&page, 55, 230);
        QTest::mouseClick(update, Qt::LeftButton);
        QTest::mouseClick(update, Qt::LeftButton);
        qunsetenv("ORVANTA_STUB_RECORD");
        const QString line =
            QStringLiteral("cwd=") + QDir::current().canonicalPath() + QStringLiteral(" args=0\n");
        QTRY_COMPARE_WITH_TIMEOUT(test::readText(record), line + line, 10000);
    }
};

QTEST_MAIN(tst_settingview)
#include "tst_settingview.moc"
