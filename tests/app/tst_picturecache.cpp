// Pictures and masks decoded once per run and shared.

#include "TestSupport.h"
#include "core/app/PictureCache.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class PictureCacheTest : public QObject
{
    Q_OBJECT
private slots:
    void decodedOncePerFileOfTheCurrentDirectory()
    {
        TempWorkDir wd;
        QDir().mkpath("Image");
        QImage(40, 30, QImage::Format_ARGB32).save("Image/panel.png");
        const QPixmap picture = cachedPixmap("Image/panel.png");
        QCOMPARE(cachedPixmap(QDir::current().absoluteFilePath("Image/panel.png")).cacheKey(),
                 picture.cacheKey());
        QCOMPARE(cachedMask("Image/panel.png", {20, 16}).size(), QSize(20, 16));
        QCOMPARE(cachedMask("Image/panel.png", {20, 16}).cacheKey(),
                 cachedMask("Image/panel.png", {20, 16}).cacheKey());
        QVERIFY(cachedMask("Image/missing.png", {20, 16}).isNull());
        // A relative name means the current directory's picture.
        TempWorkDir second;
        QDir().mkpath("Image");
        QImage(12, 8, QImage::Format_ARGB32).save("Image/panel.png");
        QCOMPARE(cachedPixmap("Image/panel.png").size(), QSize(12, 8));
    }
};

QTEST_MAIN(PictureCacheTest)
#include "tst_picturecache.moc"
