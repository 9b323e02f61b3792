#pragma once
// SIGTERM, SIGINT and SIGHUP as an event of the main thread: a session that
// ends, Ctrl+C in a terminal and a closed terminal end the console like its
// Close button, so the keyboard and the files are left consistent. The
// handler only writes the signal's number into a pipe; the event loop reads
// it and emits received().

#include <QObject>

class QSocketNotifier;

namespace orvanta
{

class EndSignals : public QObject
{
    Q_OBJECT
public:
    // Takes the three signals over while the object lives (one object at a time).
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void received(int signal);

private:
    void readPipe();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace orvanta
