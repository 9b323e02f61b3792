#pragma once
// The one way a refusal or a failure reaches the user: a short notice that
// names what happened and why. Pages and panels post here; the window shows
// what is posted in its status band and logs failures. Nothing is refused or
// fails in silence.

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
    // A request the console does not carry out, and why.
    void refuse(const QString &text) { post(text, Kind::Warning); }
    void inform(const QString &text) { post(text, Kind::Info); }
    // A file operation that failed: logged with the path and shown.
    void fileFailed(const QString &text, const QString &path, const QString &reason);

    QString last() const { return m_last; } // the latest notice, for the log and tests

signals:
    void posted(QString text, orvanta::Notices::Kind kind);

private:
    QString m_last;
};

} // namespace orvanta
