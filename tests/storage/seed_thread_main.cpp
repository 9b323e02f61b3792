// A first start seeds the data directory on a worker thread while the
// application object is made. Qt takes the first living thread that uses it
// for its main thread, and the application's event filters (the window's
// whole keyboard use hangs on one) only see that thread's events. Here the
// worker has used Qt (the link to the pictures) and is still copying when the
// application is made: the filter must see an event sent in the thread that
// made it.
//
// Its own main(): a Qt Test main makes the application first. Nothing here
// uses a Qt object before the worker does.

#include "core/app/ConsoleOptions.h"

#include <QCoreApplication>
#include <QEvent>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace
{

constexpr int kFiles = 3000; // far more than the worker copies while the application is made

class Seen : public QObject
{
public:
    bool seen = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        seen = seen || event->type() == QEvent::User;
        return false;
    }
};

int entries(const std::string &dir)
{
    int n = 0;
    if (DIR *d = opendir(dir.c_str())) {
        while (readdir(d))
            ++n;
        closedir(d);
    }
    return n - 2;
}

int fail(const std::string &top, const char *why)
{
    std::system(("rm -rf " + top).c_str());
    std::fprintf(stderr, "FAIL: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    char name[] = "/tmp/orvanta-seed-thread-XXXXXX";
    if (!mkdtemp(name))
        return 2;
    const std::string top = name, tree = top + "/tree", data = top + "/data";
    for (const std::string &dir : {tree, tree + "/Image", tree + "/many"})
        mkdir(dir.c_str(), 0700);
    for (int i = 0; i < kFiles; ++i)
        close(open((tree + "/many/" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0600));

    orvanta::DataDirectoryPreparation preparation(QString::fromStdString(data),
                                                  QString::fromStdString(tree));
    // The link to the pictures is made through a Qt file object: once it is
    // there, the worker has used Qt.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    struct stat st;
    while (lstat((data + "/Image").c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        if (std::chrono::steady_clock::now() > deadline)
            return fail(top, "the worker never linked the pictures");
        std::this_thread::yield();
    }
    QCoreApplication app(argc, argv);
    if (entries(data + "/many") >= kFiles)
        return fail(top, "the worker ended before the application was made");
    Seen filter;
    app.installEventFilter(&filter);
    QObject target;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event);
    if (!preparation.enter())
        return fail(top, "the data directory was not prepared");
    if (!filter.seen)
        return fail(top, "the application's event filter did not see the event");
    std::system(("rm -rf " + top).c_str());
    std::puts("PASS");
    return 0;
}
