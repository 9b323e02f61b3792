#pragma once
// The one sink for what the console has to tell about its own work: every
// failed file operation goes here, whoever ran it, and the shell shows it.

#include "core/storage/AtomicFile.h"

#include <QObject>
#include <QString>

namespace orvanta
{

class Notices : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Announces every failure of `result`; true when there was none.
    bool report(const SaveResult &result)
    {
        for (const SaveFailure &f : result.failures())
            emit saveFailed(f.path, f.reason);
        return result.ok();
    }

signals:
    // A file kept its old content because saving it failed (also logged).
    void saveFailed(QString path, QString reason);
};

} // namespace orvanta
