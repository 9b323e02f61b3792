// The three language catalogs: every text the sources pass to the translator
// is in each of them, translated (but for the few left in their source text on
// purpose), and the compiled catalogs say the same.

#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

using namespace orvanta::test;

namespace
{

using Text = QPair<QString, QString>;             // context, source
using Catalog = QMap<Text, QPair<QString, bool>>; // translation, finished

// Entries each catalog leaves untranslated, so the source text shows.
const QMap<QString, QList<Text>> kUntranslated{
    {"en", {{"micro_view", "Rename"}}},
    {"tc", {{"LumoProject", "SHORTCUT"}}},
    {"cn", {{"LumoProject", "Reset"}, {"micro_view", "Rename"}, {"LumoProject", "SHORTCUT"}}}};
const QList<Text> kNeverTranslated{{"LumoProjectClass", "LumoProject"},
                                   {"LumoProjectClass", "ORVANTA RGB"}};

// Every message of a .ts file; a text found twice is stored under an empty context.
Catalog readTs(const QString &path)
{
    Catalog out;
    QFile file(path);
    QXmlStreamReader xml(file.open(QIODevice::ReadOnly) ? &file : nullptr);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value("type").isEmpty();
            const Text key = out.contains({context, source}) ? Text() : Text(context, source);
            out[key] = {xml.readElementText(), finished};
        }
    }
    return out;
}

} // namespace

class CatalogsTest : public QObject
{
    Q_OBJECT
private slots:
    void everyCatalogTranslatesEveryText_data()
    {
        QTest::addColumn<QString>("code");
        for (const char *code : {"en", "tc", "cn"})
            QTest::newRow(code) << QString::fromLatin1(code);
    }
    void everyCatalogTranslatesEveryText()
    {
        QFETCH(QString, code);
        const Catalog ts = readTs(sourceDir() + "/translations/" + code + ".ts");
        const Catalog english = readTs(sourceDir() + "/translations/en.ts");
        QVERIFY(ts.size() > 100);
        QVERIFY2(!ts.contains(Text()), "a text is in the catalog twice");
        QCOMPARE(ts.keys(), english.keys());
        QTranslator compiled;
        QVERIFY(compiled.load(dataTreeDir() + "/Language/" + code + ".qm"));
        for (auto it = ts.begin(); it != ts.end(); ++it) {
            const QString where = it.key().first + " / \"" + it.key().second + "\"";
            const bool untranslated =
                kUntranslated[code].contains(it.key()) || kNeverTranslated.contains(it.key());
            QVERIFY2(it->second != untranslated && it->first.isEmpty() == untranslated,
                     qPrintable(where));
            QCOMPARE(compiled.translate(qPrintable(it.key().first), qPrintable(it.key().second)),
                     it->first);
        }
    }

    // What lupdate finds in the sources is in the catalogs (texts passed on
    // through helpers it cannot follow are only in the catalogs).
    void catalogsHoldEveryTextOfTheSources()
    {
        const QString lupdate = qEnvironmentVariable("ORVANTA_LUPDATE");
        if (lupdate.isEmpty())
            QSKIP("lupdate is not part of this build");
        QTemporaryDir dir;
        const QString extracted = dir.filePath("sources.ts");
        QCOMPARE(QProcess::execute(lupdate, {"-silent", "-locations", "none", sourceDir() + "/src",
                                             "-ts", extracted}),
                 0);
        const Catalog found = readTs(extracted),
                      english = readTs(sourceDir() + "/translations/en.ts");
        QVERIFY(found.size() > 100);
        for (const Text &text : found.keys())
            QVERIFY2(english.contains(text), qPrintable(text.first + " / \"" + text.second + "\""));
    }
};

QTEST_GUILESS_MAIN(CatalogsTest)
#include "tst_catalogs.moc"
