// The three language catalogs: their source files hold every interface text
// once, and the compiled catalogs (files and built-in copies) translate them
// as the console's labels expect.

#include "TestSupport.h"
#include "TranslationResources.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

using namespace orvanta::test;

namespace
{

struct TextKey {
    const char *context;
    const char *source;
};

// Every text the console passes through the translator, written out here
// independently of the catalogs so that a lost or misspelt entry shows.
const QVector<TextKey> kTexts = [] {
    const QVector<QPair<const char *, QVector<const char *>>> byContext{
        {"LumoProject",
         {"APPLY", "ASSIGN", "ASSIGN MACRO", "CURRENT", "CUSTOMIZE", "Close", "Copy",
          "Customer Service", "Default", "Delete", "Export", "INSTANT SHIFT SYS.", "Import",
          "KEY ASSIGNMENT", "KEYBOARD", "LIGHTING", "MACRO RESET", "MACROS", "Macro Key",
          "Multiple Times", "New", "Once", "PROFILE 1", "PROFILE 2", "PROFILE 3", "PROFILE 4",
          "PROFILE 5", "PROFILE NAME", "Product Information", "REPATE OPTION", "Reset",
          "SELECT PROFILE", "SHORTCUT", "SINGLE RESET", "Settings", "Single Key",
          "Until Pressed Next Time", "When Perss & Hold"}},
        {"keyboard_light_view",
         {"ADD", "ADD STOP", "APPLY", "Arrow Flow", "COLOR CODE :", "CUSTOMIZED", "DEL",
          "DEL STOP", "EFFECT", "EFFECT ROLLING", "FAST", "FLOW DIRECTION", "FULL", "LED RESET",
          "LEFT", "NO", "PATTERN", "PULSE", "RIGHT", "Reactive", "Ripple", "SLOW",
          "SPECTRUM CYCLING", "SPEED", "STATIC", "STOPS CONTROL", "SURFACE", "Static", "Wave",
          "YES", "ZONES"}},
        {"micro_view",
         {"   Key", "AFTER", "BEFORE", "COPY", "DEFAULT DELAY TIME", "DELAY TIME AUTO-DETCTING",
          "DELETE", "Delay Time", "EDIT", "EXPORT", "IMPORT", "INSERT", "MACRO NAME", "MS", "NEW",
          "NO DELAY TIME", "RECORD", "Rename", "SELECT MACRO", "STOP", "Up / Down"}},
        {"setting_view",
         {"CHECK FOR UPDATES", "LANGUAGE", "OFFICIAL WEBSITE / SOCIAL MEDIA",
          "SOFTWARE VERSION : "}},
    };
    QVector<TextKey> all;
    for (const auto &context : byContext)
        for (const char *source : context.second)
            all.append(TextKey{context.first, source});
    return all;
}();

// The main window's design-time title, present in every catalog, never translated.
const TextKey kDesignTitle = {"LumoProjectClass", "LumoProject"};

struct Catalog {
    const char *code;
    const char *language;
    QVector<TextKey> untranslated; // entries left without a translation
};

const Catalog kCatalogs[] = {
    {"en", "en", {{"micro_view", "Rename"}}},
    {"tc", "zh_TW", {{"LumoProject", "SHORTCUT"}}},
    {"cn",
     "zh_CN",
     {{"LumoProject", "Reset"}, {"micro_view", "Rename"}, {"LumoProject", "SHORTCUT"}}},
};

// Characters that belong to one Chinese script only; each catalog must keep
// to its own script.
const char kTraditionalOnly[] =
    "設鍵點擇關刪複匯導體語錄遲時間燈區譜環動後開檔稱單閃統極漣無編輯檢網軟恆預測偵訊產"
    "標碼訂嗎續擊選當";
const char kSimplifiedOnly[] =
    "设键点择关删复汇导体语录迟时间灯区谱环动后开档称单闪统极涟无编辑检网软恒预测侦讯产"
    "标码订吗续击选当";

QString key(const QString &context, const QString &source)
{
    return context + QLatin1Char('\x1f') + source;
}

bool sameKey(const TextKey &a, const TextKey &b)
{
    return qstrcmp(a.context, b.context) == 0 && qstrcmp(a.source, b.source) == 0;
}

bool isUntranslated(const Catalog &catalog, const TextKey &text)
{
    for (const TextKey &u : catalog.untranslated) {
        if (sameKey(u, text))
            return true;
    }
    return false;
}

const Catalog &catalogOf(const QString &code)
{
    for (const Catalog &c : kCatalogs) {
        if (code == QLatin1String(c.code))
            return c;
    }
    qFatal("no catalog %s", qPrintable(code));
}

struct TsEntry {
    QString context;
    QString source;
    QString translation;
    QString type; // the translation's type attribute, empty when finished
    int count = 0;
};

struct TsFile {
    QString version;
    QString language;
    QString error;
    int messages = 0;
    QHash<QString, TsEntry> entries;
};

TsFile readTs(const QString &path)
{
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = QStringLiteral("cannot open ") + path;
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsEntry current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringRef name = xml.name();
            if (name == QLatin1String("TS")) {
                ts.version = xml.attributes().value(QLatin1String("version")).toString();
                ts.language = xml.attributes().value(QLatin1String("language")).toString();
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                current = TsEntry();
                current.context = context;
            } else if (name == QLatin1String("source")) {
                current.source = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                current.type = xml.attributes().value(QLatin1String("type")).toString();
                current.translation = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            ++ts.messages;
            TsEntry &stored = ts.entries[key(current.context, current.source)];
            const int seen = stored.count;
            stored = current;
            stored.count = seen + 1;
        }
    }
    if (xml.hasError())
        ts.error = xml.errorString();
    return ts;
}

QString tsPath(const QString &code)
{
    return sourceDir() + QStringLiteral("/translations/") + code + QStringLiteral(".ts");
}

QString qmPath(const QString &code)
{
    return dataTreeDir() + QStringLiteral("/Language/") + code + QStringLiteral(".qm");
}

QString resourcePath(const QString &code)
{
    return QStringLiteral(":/LumoProject/Language/") + code + QStringLiteral(".qm");
}

bool hasHanCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

QString foreignCharacters(const QString &text, const QString &forbidden)
{
    QString found;
    for (const QChar c : text) {
        if (forbidden.contains(c))
            found.append(c);
    }
    return found;
}

} // namespace

class CatalogsTest : public QObject
{
    Q_OBJECT

private:
    QHash<QString, std::shared_ptr<QTranslator>> translators;

    QTranslator *translator(const QString &code) { return translators.value(code).get(); }

private slots:
    void initTestCase()
    {
        QVERIFY(!sourceDir().isEmpty());
        QVERIFY(!dataTreeDir().isEmpty());
        QCOMPARE(kTexts.size(), 94);
        for (const Catalog &c : kCatalogs) {
            auto t = std::make_shared<QTranslator>();
            QVERIFY2(t->load(qmPath(QLatin1String(c.code))), c.code);
            translators.insert(QLatin1String(c.code), t);
        }
    }

    void sourceCatalogHoldsEveryTextOnce_data()
    {
        QTest::addColumn<QString>("code");
        for (const Catalog &c : kCatalogs)
            QTest::newRow(c.code) << QString::fromLatin1(c.code);
    }

    void sourceCatalogHoldsEveryTextOnce()
    {
        QFETCH(QString, code);
        const Catalog &catalog = catalogOf(code);
        const TsFile ts = readTs(tsPath(code));
        QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
        QCOMPARE(ts.version, QStringLiteral("2.1"));
        QCOMPARE(ts.language, QString::fromLatin1(catalog.language));

        QSet<QString> expected;
        for (const TextKey &text : kTexts) {
            const QString k = key(QString::fromUtf8(text.context), QString::fromUtf8(text.source));
            expected.insert(k);
            const QString where = QStringLiteral("%1 / \"%2\"").arg(text.context, text.source);
            QVERIFY2(ts.entries.contains(k), qPrintable(where + QStringLiteral(" missing")));
            const TsEntry &entry = ts.entries.value(k);
            QVERIFY2(entry.count == 1, qPrintable(where + QStringLiteral(" repeated")));
            if (isUntranslated(catalog, text)) {
                // lrelease leaves an empty unfinished entry out, so the source shows.
                QVERIFY2(entry.type == QLatin1String("unfinished"), qPrintable(where));
                QVERIFY2(entry.translation.isEmpty(), qPrintable(where));
            } else {
                QVERIFY2(entry.type.isEmpty(), qPrintable(where + QStringLiteral(" not final")));
                QVERIFY2(!entry.translation.isEmpty(),
                         qPrintable(where + QStringLiteral(" empty")));
            }
        }

        const QString titleKey =
            key(QString::fromUtf8(kDesignTitle.context), QString::fromUtf8(kDesignTitle.source));
        expected.insert(titleKey);
        QVERIFY(ts.entries.contains(titleKey));
        const TsEntry &title = ts.entries.value(titleKey);
        QCOMPARE(title.count, 1);
        QCOMPARE(title.type, QStringLiteral("unfinished"));
        QVERIFY(title.translation.isEmpty());

        for (auto it = ts.entries.cbegin(); it != ts.entries.cend(); ++it) {
            QVERIFY2(
                expected.contains(it.key()),
                qPrintable(
                    QStringLiteral("unexpected entry %1 / \"%2\"").arg(it->context, it->source)));
        }
        QCOMPARE(ts.messages, 95);
    }

    void englishCatalog_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("shown");
        const Catalog &english = catalogOf(QStringLiteral("en"));
        for (const TextKey &text : kTexts) {
            // The English catalog gives every label its own text back, with two
            // wording fixes; an entry it leaves out returns nothing.
            QString shown = QString::fromUtf8(text.source);
            if (sameKey(text, {"LumoProject", "Customer Service"}))
                shown = QStringLiteral("Customer Support");
            else if (sameKey(text, {"LumoProject", "REPATE OPTION"}))
                shown = QStringLiteral("REPEAT OPTION");
            else if (isUntranslated(english, text))
                shown = QString();
            QTest::addRow("%s/%s", text.context, text.source)
                << QString::fromUtf8(text.context) << QString::fromUtf8(text.source) << shown;
        }
    }

    void englishCatalog()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, shown);
        const QString got =
            translator(QStringLiteral("en"))
                ->translate(context.toUtf8().constData(), source.toUtf8().constData());
        QCOMPARE(got, shown);
        QCOMPARE(got.isNull(), shown.isNull());
    }

    void chineseCatalogs_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("translated");
        for (const char *code : {"tc", "cn"}) {
            const Catalog &catalog = catalogOf(QLatin1String(code));
            for (const TextKey &text : kTexts) {
                QTest::addRow("%s:%s/%s", code, text.context, text.source)
                    << QString::fromLatin1(code) << QString::fromUtf8(text.context)
                    << QString::fromUtf8(text.source) << !isUntranslated(catalog, text);
            }
        }
    }

    void chineseCatalogs()
    {
        QFETCH(QString, code);
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(bool, translated);
        const QString got =
            translator(code)->translate(context.toUtf8().constData(), source.toUtf8().constData());
        if (!translated) {
            QVERIFY2(got.isEmpty(), qPrintable(got));
            return;
        }
        QVERIFY(!got.isEmpty());
        QVERIFY2(got != source, qPrintable(got));
        QVERIFY2(hasHanCharacter(got), qPrintable(got));
        const QString forbidden =
            QString::fromUtf8(code == QLatin1String("tc") ? kSimplifiedOnly : kTraditionalOnly);
        const QString foreign = foreignCharacters(got, forbidden);
        QVERIFY2(foreign.isEmpty(), qPrintable(got + QStringLiteral(" mixes in ") + foreign));
    }

    void chineseFixedLabels_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("traditional");
        QTest::addColumn<QString>("simplified");
        struct Row {
            const char *context;
            const char *source;
            const char *tc;
            const char *cn; // nullptr: left in English
        };
        const Row rows[] = {
            {"LumoProject", "LIGHTING", "背光設定", "背光设定"},
            {"LumoProject", "MACROS", "巨集設定", "巨集设定"},
            {"LumoProject", "CUSTOMIZE", "單鍵設定", "单键设定"},
            {"LumoProject", "INSTANT SHIFT SYS.", "閃移系統", "闪移系统"},
            {"LumoProject", "Customer Service", "全球客服中心", "客户服务"},
            {"LumoProject", "Reset", "回復至原廠設定", nullptr},
            {"LumoProject", "When Perss & Hold", "直到放開後停止", "直到放开后停止"},
            {"LumoProject", "Until Pressed Next Time", "直到下一次按下停止", "直到下一次按下停止"},
            {"LumoProject", "REPATE OPTION", "選擇模式", "选择模式"},
            {"keyboard_light_view", "Reactive", "單點亮", "单点亮"},
            {"keyboard_light_view", "Arrow Flow", "極光", "极光"},
            {"keyboard_light_view", "STATIC", "恆亮", "恒亮"},
            {"keyboard_light_view", "Static", "恆亮", "恒亮"},
            {"keyboard_light_view", "PATTERN", "色彩", "色彩"},
            {"micro_view", "   Key", "   按鍵", "   按键"},
            {"micro_view", "MS", "毫秒", "毫秒"},
            {"micro_view", "Up / Down", "按下 / 放開", "按下 / 放开"},
            {"setting_view", "SOFTWARE VERSION : ", "軟體版本", "软体版本"},
        };
        for (const Row &r : rows) {
            QTest::addRow("%s/%s", r.context, r.source)
                << QString::fromUtf8(r.context) << QString::fromUtf8(r.source)
                << QString::fromUtf8(r.tc) << (r.cn ? QString::fromUtf8(r.cn) : QString());
        }
    }

    void chineseFixedLabels()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, traditional);
        QFETCH(QString, simplified);
        const QByteArray c = context.toUtf8();
        const QByteArray s = source.toUtf8();
        QCOMPARE(translator(QStringLiteral("tc"))->translate(c.constData(), s.constData()),
                 traditional);
        QCOMPARE(translator(QStringLiteral("cn"))->translate(c.constData(), s.constData()),
                 simplified);
    }

    void compiledCatalogs_data()
    {
        QTest::addColumn<QString>("code");
        for (const Catalog &c : kCatalogs)
            QTest::newRow(c.code) << QString::fromLatin1(c.code);
    }
    void compiledCatalogs()
    {
        QFETCH(QString, code);
        // The window title is set in code; the design-time title stays untranslated.
        QVERIFY(translator(code)->translate(kDesignTitle.context, kDesignTitle.source).isEmpty());

        // The built-in copy is the very catalog that the data tree carries, and loads.
        orvanta::initTranslationResources();
        QFile built(qmPath(code));
        QVERIFY(built.open(QIODevice::ReadOnly));
        QFile resource(resourcePath(code));
        QVERIFY2(resource.open(QIODevice::ReadOnly), qPrintable(resourcePath(code)));
        const QByteArray bytes = resource.readAll();
        QVERIFY(!bytes.isEmpty());
        QVERIFY(bytes == built.readAll());
        QTranslator builtIn;
        QVERIFY(builtIn.load(resourcePath(code)));
        QCOMPARE(builtIn.translate("micro_view", "   Key"),
                 translator(code)->translate("micro_view", "   Key"));
    }
};

QTEST_GUILESS_MAIN(CatalogsTest)
#include "tst_catalogs.moc"
