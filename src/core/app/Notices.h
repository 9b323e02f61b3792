#pragma once
// The one way a refusal or a failure reaches the user: a short notice that
// names what happened and why. Pages and panels post here; the window shows
// what is posted in its status band and logs failures. Nothing is refused or
// fails in silence.

#include "core/storage/AtomicFile.h"

#include <QObject>
#include <QString>

namespace orvanta
{

class Notices : public QObject
{
    Q_OBJECT
public:
    enum class Kind { Info, Success, Warning, Error };
    Q_ENUM(Kind)

    using QObject::QObject;

    void post(const QString &text, Kind kind);
    // A failure the user must not miss: logged, and kept in view until dismissed.
    void postLasting(const QString &text);
    // A request the console does not carry out, and why.
    void refuse(const QString &text) { post(text, Kind::Warning); }
    void inform(const QString &text) { post(text, Kind::Info); }
    // A file operation that failed: logged with the path and shown.
    void fileFailed(const QString &text, const QString &path, const QString &reason);

    QString last() const { return m_last; } // the latest notice, for the log and tests

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
    void posted(QString text, orvanta::Notices::Kind kind);
    void lastingPosted(QString text);

private:
    QString m_last;
};

} // namespace orvanta
