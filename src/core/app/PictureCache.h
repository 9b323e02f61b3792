#pragma once
// The console's pictures, each decoded once per run and shared: a QPixmap copy
// shares its pixels, so every widget showing the same picture holds one image.
// Heuristic masks, which cost as much as a decode, are kept the same way.
// Pictures are keyed by their absolute path, so a relative name means the file
// of the current data directory. For the GUI thread only.

#include <QBitmap>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace orvanta
{

// The picture in `file`; a null pixmap when it is missing or unreadable.
QPixmap cachedPixmap(const QString &file);

// The heuristic mask of the picture in `file` scaled to `size` (quickly, without
// smoothing, as QPixmap::scaled does by default); a null bitmap when there is no
// picture.
QBitmap cachedMask(const QString &file, const QSize &size);

// `file`, or an empty path (which shows no picture) when it is there but cannot
// be read safely: not a regular file or far too large (see readRegularFile).
// For style sheets and icons, which open their files by name.
QString picturePath(const QString &file);

} // namespace orvanta
