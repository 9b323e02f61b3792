// The three language catalogs: their source files hold every interface text
// once, and the compiled catalogs (files and built-in copies) translate them
// as the console's labels expect.

#include "TestSupport.h"
#include "TranslationResources.h"

#include <QFile>
#include <QHash>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

using namespace orvanta::test;

namespace
{

using TextKey = QPair<QString, QString>; // context, source

// Every text the console passes through the translator, written out here
// independently of the catalogs so that a lost or misspelt entry shows.
QVector<TextKey> allTexts()
{
    // clang-format off
    const QVector<QPair<const char *, QStringList>> byContext{
        {"ConsoleTray", {"Quit", "Show window"}},
        {"KeyboardLink", {"Keyboard connected", "No keyboard connected", "Virtual keyboard"}},
        {"LumoProject",
         {"APPLY", "ASSIGN", "ASSIGN MACRO", "CURRENT", "CUSTOMIZE", "Close", "Copy",
          "Customer Service", "Default", "Delete", "Export", "INSTANT SHIFT SYS.", "Import",
          "KEY ASSIGNMENT", "KEYBOARD", "LIGHTING", "MACRO RESET", "MACROS", "Macro Key",
          "Multiple Times", "New", "Once", "PROFILE 1", "PROFILE 2", "PROFILE 3", "PROFILE 4",
          "PROFILE 5", "PROFILE NAME", "Product Information", "REPATE OPTION", "Reset",
          "SELECT PROFILE", "SHORTCUT", "SINGLE RESET", "Settings", "Single Key",
          "Until Pressed Next Time", "When Perss & Hold", "Sent to %1", "the keyboard",
          "USE THE KEYBOARD", "Not saved: %1 (%2). It keeps its earlier content.",
          "Saved; the keyboard is not connected",
          "Not sent to %1: the keyboard did not respond. Your settings are saved."}},
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
          "SOFTWARE VERSION : ", "VIRTUAL KEYBOARD"}},
        {"VirtualKeyboard",
         {"%1 down", "%1 reports could not be decoded; the latest: %2", "%1 times", "%1 up",
          "Arrow Flow, %1, rolling %2", "Cannot keep the virtual keyboard's memory: %1",
          "Default", "Disabled", "Macro", "Macro key without a macro", "Macro, %1",
          "No lighting received", "ON-BOARD PROFILE %1", "ORVANTA RGB virtual keyboard", "Once",
          "Profile %1 shift", "Reactive", "Repeat %1 %2", "Ripple, rolling %1", "Sends %1",
          "Static", "Static, pulse (speed %1)", "Static, spectrum cycling",
          "The console is using the USB keyboard.", "USE VIRTUAL KEYBOARD",
          "Until pressed again", "Wave, %1, speed %2", "While held", "both ways", "left", "off",
          "on", "right", "wait %1 ms", "profile %1: selected", "profile %1: lighting applied",
          "profile %1: lighting mode", "light pulse %1", "profile %1: factory defaults",
          "profile %1: Static key colours", "profile %1: Reactive key colours",
          "profile %1: Ripple edge colours", "profile %1: surface colour",
          "profile %1: zone colours", "profile %1: key map", "profile %1: macro",
          "end of key-map write", "undecoded report"}},
    };
    // clang-format on
    QVector<TextKey> all;
    for (const auto &context : byContext)
        for (const QString &source : context.second)
            all.append({QString::fromLatin1(context.first), source});
    return all;
}

// Entries each catalog leaves without a translation, so the source text shows.
const QHash<QString, QVector<TextKey>> kUntranslated{
    {"en", {{"micro_view", "Rename"}}},
    {"tc", {{"LumoProject", "SHORTCUT"}}},
    {"cn", {{"LumoProject", "Reset"}, {"micro_view", "Rename"}, {"LumoProject", "SHORTCUT"}}},
};

// Characters that belong to one Chinese script only; each catalog keeps to its own.
const char kTraditionalOnly[] =
    "設鍵點擇關刪複匯導體語錄遲時間燈區譜環動後開檔稱單閃統極漣無編輯檢網軟恆預測偵訊產"
    "標碼訂嗎續擊選當";
const char kSimplifiedOnly[] =
    "设键点择关删复汇导体语录迟时间灯区谱环动后开档称单闪统极涟无编辑检网软恒预测侦讯产"
    "标码订吗续击选当";

struct TsEntry {
    QString translation;
    QString type; // empty when finished
    int count = 0;
};

QHash<TextKey, TsEntry> readTs(const QString &path, QString *language, int *messages)
{
    QHash<TextKey, TsEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context, source;
    TsEntry current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("TS"))
            *language = xml.attributes().value(QLatin1String("language")).toString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            ++*messages;
            const int seen = entries.value({context, source}).count;
            entries[{context, source}] = current;
            entries[{context, source}].count = seen + 1;
        }
    }
    return entries;
}

QString qmPath(const QString &code)
{
    return dataTreeDir() + QStringLiteral("/Language/") + code + QStringLiteral(".qm");
}

} // namespace

class CatalogsTest : public QObject
{
    Q_OBJECT
private slots:
    void catalogHoldsEveryTextOnceAndCompilesIt_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << QStringLiteral("en") << QStringLiteral("en");
        QTest::newRow("tc") << QStringLiteral("tc") << QStringLiteral("zh_TW");
        QTest::newRow("cn") << QStringLiteral("cn") << QStringLiteral("zh_CN");
    }
    void catalogHoldsEveryTextOnceAndCompilesIt()
    {
        QFETCH(QString, code);
        QFETCH(QString, language);
        QString tsLanguage;
        int messages = 0;
        QHash<TextKey, TsEntry> ts = readTs(
            sourceDir() + QStringLiteral("/translations/") + code + ".ts", &tsLanguage, &messages);
        QCOMPARE(tsLanguage, language);
        QTranslator compiled;
        QVERIFY(compiled.load(qmPath(code)));
        const QString forbidden =
            QString::fromUtf8(code == "tc" ? kSimplifiedOnly : kTraditionalOnly);
        const QVector<TextKey> texts = allTexts();
        QCOMPARE(texts.size(), 154);
        for (const TextKey &text : texts) {
            const QString where = text.first + " / \"" + text.second + "\"";
            const TsEntry entry = ts.take(text);
            QVERIFY2(entry.count == 1, qPrintable(where));
            const bool untranslated = kUntranslated[code].contains(text);
            QCOMPARE(entry.type, untranslated ? QStringLiteral("unfinished") : QString());
            QCOMPARE(entry.translation.isEmpty(), untranslated);
            QCOMPARE(compiled.translate(qPrintable(text.first), qPrintable(text.second)),
                     entry.translation);
            for (const QChar c : entry.translation)
                QVERIFY2(code == "en" || !forbidden.contains(c), qPrintable(where));
        }
        // Only the design-time title is left, never translated.
        QCOMPARE(ts.keys(), QList<TextKey>{TextKey("LumoProjectClass", "LumoProject")});
        QCOMPARE(ts.begin()->type, QStringLiteral("unfinished"));
        QVERIFY(compiled.translate("LumoProjectClass", "LumoProject").isEmpty());
        QCOMPARE(messages, 155);
    }

    void fixedLabels()
    {
        struct Row {
            const char *context, *source, *english, *traditional, *simplified;
        };
        // clang-format off
        const Row rows[] = {
            {"LumoProject", "LIGHTING", "LIGHTING", "背光設定", "背光设定"},
            {"KeyboardLink", "No keyboard connected", "No keyboard connected", "未連接鍵盤", "未连接键盘"},
            {"LumoProject", "MACROS", "MACROS", "巨集設定", "巨集设定"},
            {"LumoProject", "Customer Service", "Customer Support", "全球客服中心", "客户服务"},
            {"LumoProject", "Reset", "Reset", "回復至原廠設定", ""},
            {"LumoProject", "REPATE OPTION", "REPEAT OPTION", "選擇模式", "选择模式"},
            {"LumoProject", "When Perss & Hold", "When Perss & Hold", "直到放開後停止", "直到放开后停止"},
            {"keyboard_light_view", "Arrow Flow", "Arrow Flow", "極光", "极光"},
            {"keyboard_light_view", "STATIC", "STATIC", "恆亮", "恒亮"},
            {"micro_view", "   Key", "   Key", "   按鍵", "   按键"},
            {"micro_view", "Up / Down", "Up / Down", "按下 / 放開", "按下 / 放开"},
            {"setting_view", "SOFTWARE VERSION : ", "SOFTWARE VERSION : ", "軟體版本", "软体版本"},
        };
        // clang-format on
        QTranslator t[3];
        const char *codes[] = {"en", "tc", "cn"};
        for (int i = 0; i < 3; ++i)
            QVERIFY(t[i].load(qmPath(codes[i])));
        for (const Row &r : rows) {
            const char *expected[] = {r.english, r.traditional, r.simplified};
            for (int i = 0; i < 3; ++i)
                QCOMPARE(t[i].translate(r.context, r.source), QString::fromUtf8(expected[i]));
        }
    }

    void builtInCopyIsTheDataTreeCatalog()
    {
        orvanta::initTranslationResources();
        for (const QString code : {"en", "tc", "cn"}) {
            const QString resource = ":/LumoProject/Language/" + code + ".qm";
            QFile built(qmPath(code)), copy(resource);
            QVERIFY(built.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), built.readAll());
            QTranslator t;
            QVERIFY(t.load(resource));
            QCOMPARE(t.translate("LumoProject", "MACROS"),
                     QString::fromUtf8(code == "en"   ? "MACROS"
                                       : code == "tc" ? "巨集設定"
                                                      : "巨集设定"));
        }
    }
};

QTEST_GUILESS_MAIN(CatalogsTest)
#include "tst_catalogs.moc"
