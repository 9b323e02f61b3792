#include "LanguageText.h"

#include <QTextCodec>

namespace orvanta
{

namespace
{

// The Chinese texts live in the source as Big5 bytes.
const char BIG5_JHENGHEI[] = "\xb7\x4c\xb3\x6e\xa5\xbf\xb6\xc2\xc5\xe9"; // 微軟正黑體
const char BIG5_TRADITIONAL[] = "\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5";      // 繁體中文
const char BIG5_SIMPLIFIED[] = "\xc2\xb2\xc5\xe9\xa4\xa4\xa4\xe5";       // 簡體中文

} // namespace

QString fromBig5(const QByteArray &bytes)
{
    QTextCodec *codec = QTextCodec::codecForName("Big5-ETen");
    if (!codec)
        codec = QTextCodec::codecForName("Big5");
    if (!codec)
        codec = QTextCodec::codecForName("Big5-HKSCS");
    if (codec)
        return codec->toUnicode(bytes);
    // A toolkit without any Big5 codec: the three texts above are still known.
    if (bytes == BIG5_JHENGHEI)
        return QString::fromUtf8("\xe5\xbe\xae\xe8\xbb\x9f\xe6\xad\xa3\xe9\xbb\x91\xe9\xab\x94");
    if (bytes == BIG5_TRADITIONAL)
        return QString::fromUtf8("\xe7\xb9\x81\xe9\xab\x94\xe4\xb8\xad\xe6\x96\x87");
    if (bytes == BIG5_SIMPLIFIED)
        return QString::fromUtf8("\xe7\xb0\xa1\xe9\xab\x94\xe4\xb8\xad\xe6\x96\x87");
    return QString::fromLatin1(bytes);
}

QString jhengHeiFamily()
{
    return fromBig5(QByteArray(BIG5_JHENGHEI));
}

QString fontFamilyForLanguage(int language, const QString &previous)
{
    switch (language) {
    case 0:
        return QStringLiteral("Arial Unicode MS");
    case 1:
    case 2:
        return jhengHeiFamily();
    default:
        return previous;
    }
}

QStringList languageNames()
{
    return {QStringLiteral("English"), fromBig5(QByteArray(BIG5_TRADITIONAL)),
            fromBig5(QByteArray(BIG5_SIMPLIFIED))};
}

int languageIndex(const QString &stored)
{
    bool ok = false;
    const int n = stored.trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace orvanta
