#include "PictureCache.h"

#include "core/storage/RegularFile.h"

#include <QFileInfo>
#include <QHash>

namespace orvanta
{

namespace
{

struct Pictures {
    QHash<QString, QPixmap> pixmaps;
    QHash<QString, QBitmap> masks;
};

Pictures &pictures()
{
    static Pictures cache;
    return cache;
}

} // namespace

QPixmap cachedPixmap(const QString &file)
{
    const QString key = QFileInfo(file).absoluteFilePath();
    auto &pixmaps = pictures().pixmaps;
    auto it = pixmaps.constFind(key);
    if (it == pixmaps.constEnd()) {
        QPixmap picture;
        const FileRead read = readRegularFile(file, kPictureFileLimit);
        if (read.ok())
            picture.loadFromData(read.bytes);
        it = pixmaps.insert(key, picture);
    }
    return *it;
}

QString picturePath(const QString &file)
{
    return checkRegularFile(file, kPictureFileLimit).skipped() ? QString() : file;
}

QBitmap cachedMask(const QString &file, const QSize &size)
{
    const QString key = QStringLiteral("%1x%2:").arg(size.width()).arg(size.height()) +
                        QFileInfo(file).absoluteFilePath();
    auto &masks = pictures().masks;
    auto it = masks.constFind(key);
    if (it == masks.constEnd()) {
        const QPixmap picture = cachedPixmap(file);
        it = masks.insert(key, picture.isNull() ? QBitmap()
                                                : picture.scaled(size).createHeuristicMask());
    }
    return *it;
}

} // namespace orvanta
