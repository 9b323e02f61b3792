#pragma once
// Every file below the data directory with its bytes, and every link with its
// target: two dumps are equal when nothing on disk changed.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

namespace orvanta::test
{

inline QMap<QString, QByteArray> dumpDataDir(const QString &root = QStringLiteral("."))
{
    QMap<QString, QByteArray> out;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString name = base.relativeFilePath(path);
        if (info.isSymLink()) {
            out[name] = "link -> " + info.symLinkTarget().toUtf8();
        } else if (info.isDir()) {
            out[name + '/'] = QByteArray();
        } else {
            QFile f(path);
            out[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
        }
    }
    return out;
}

} // namespace orvanta::test
