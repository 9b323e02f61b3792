#pragma once
// A fixed, endless sequence of saves through the console's own storage
// operations. Step t belongs to generation t / kStepsPerGeneration, and every
// value a step writes is derived from its generation, so whoever inspects the
// data directory afterwards can tell which step last reached each file.

#include <QMap>
#include <QString>
#include <QStringList>

namespace orvanta::robust
{

constexpr int kStepsPerGeneration = 11;

// The files (paths relative to the data directory) the steps write, in step
// order; the last entry stands for the newest profile copy.
QStringList stepFiles();

// The entry of stepFiles() that step t writes.
int fileOfStep(qint64 t);

// The saved profile every copy is taken from, and the name of generation g's copy.
QString copySource();
QString copyName(qint64 g);
bool isCopyName(const QString &name, qint64 *generation = nullptr);

// Runs step t in the working directory.
void runStep(qint64 t);

// What a file holds, as its settings read it back: every key with its text.
// `ok` is false when the file does not parse.
struct FileContent {
    bool exists = false;
    bool ok = false;
    QMap<QString, QString> values;
    bool operator==(const FileContent &o) const
    {
        return exists == o.exists && ok == o.ok && values == o.values;
    }
};
FileContent readContent(const QString &path);

// For the copy entry: the newest complete-or-not copy's generation as text.
FileContent copyContent();

} // namespace orvanta::robust
