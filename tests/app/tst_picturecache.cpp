// Pictures and masks decoded once per run and shared.

#include "TestSupport.h"
#include "core/app/PictureCache.h"

#include <QPainter>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// A transparent picture with an opaque square in its middle, whose heuristic
// mask is therefore neither empty nor full.
bool writePicture(const QString &path, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(size.width() / 4, size.height() / 4, size.width() / 2,
                              size.height() / 2, Qt::red);
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path);
}

} // namespace

class PictureCacheTest : public QObject
{
    Q_OBJECT
private slots:
    void masksAreComputedOnceAndMatchTheScaledPicture()
    {
        TempWorkDir wd;
        QVERIFY(writePicture("Image/panel.png", {40, 30}));
        const QPixmap picture = cachedPixmap("Image/panel.png");
        QCOMPARE(picture.size(), QSize(40, 30));
        QCOMPARE(cachedPixmap(QDir::current().absoluteFilePath("Image/panel.png")).cacheKey(),
                 picture.cacheKey());

        const QBitmap mask = cachedMask("Image/panel.png", {20, 16});
        QCOMPARE(mask.toImage(), picture.scaled(20, 16).createHeuristicMask().toImage());
        QCOMPARE(cachedMask("Image/panel.png", {20, 16}).cacheKey(), mask.cacheKey());
        QCOMPARE(cachedMask("Image/panel.png", {40, 30}).size(), QSize(40, 30));

        QVERIFY(cachedPixmap("Image/missing.png").isNull());
        QVERIFY(cachedMask("Image/missing.png", {20, 16}).isNull());
    }

    void aRelativeNameMeansTheCurrentDirectorysPicture()
    {
        TempWorkDir first;
        QVERIFY(writePicture("Image/back.png", {10, 10}));
        QCOMPARE(cachedPixmap("Image/back.png").size(), QSize(10, 10));
        TempWorkDir second;
        QVERIFY(writePicture("Image/back.png", {12, 8}));
        QCOMPARE(cachedPixmap("Image/back.png").size(), QSize(12, 8));
    }
};

QTEST_MAIN(PictureCacheTest)
#include "tst_picturecache.moc"
