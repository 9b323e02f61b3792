#include "EndSignals.h"

#include <QDebug>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace orvanta
{

namespace
{

int g_writeEnd = -1;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void writeSignal(int signal)
{
    const int saved = errno;
    const char number = char(signal);
    if (g_writeEnd >= 0)
        (void)!::write(g_writeEnd, &number, 1); // a full pipe already holds an end request
    errno = saved;
}

} // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning() << "end signals: no pipe:" << strerror(errno);
        return;
    }
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readPipe);
    struct sigaction action = {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals)
        sigaction(s, &action, nullptr);
}

EndSignals::~EndSignals()
{
    for (int s : kSignals)
        std::signal(s, SIG_DFL);
    g_writeEnd = -1;
    for (int fd : m_pipe)
        if (fd >= 0)
            ::close(fd);
}

void EndSignals::readPipe()
{
    char number = 0;
    while (::read(m_pipe[0], &number, 1) == 1)
        emit received(int(number));
}

} // namespace orvanta
