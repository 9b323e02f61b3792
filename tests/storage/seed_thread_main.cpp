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

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace fs = std::filesystem;

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

int fail(const fs::path &top, const char *why)
{
    fs::remove_all(top);
    std::fprintf(stderr, "FAIL: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    char name[] = "/tmp/orvanta-seed-thread-XXXXXX";
    if (!mkdtemp(name))
        return 2;
    const fs::path top = name, tree = top / "tree", data = top / "data";
    fs::create_directories(tree / "Image");
    fs::create_directories(tree / "many");
    for (int i = 0; i < kFiles; ++i)
        std::ofstream(tree / "many" / std::to_string(i));

    orvanta::DataDirectoryPreparation preparation(QString::fromStdString(data.string()),
                                                  QString::fromStdString(tree.string()));
    // The link to the pictures is made through a Qt file object: once it is
    // there, the worker has used Qt.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::is_symlink(data / "Image")) {
        if (std::chrono::steady_clock::now() > deadline)
            return fail(top, "the worker never linked the pictures");
        std::this_thread::yield();
    }
    QCoreApplication app(argc, argv);
    std::error_code none; // the copies' folder may not be there yet
    if (std::distance(fs::directory_iterator(data / "many", none), {}) >= kFiles)
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
    fs::remove_all(top);
    std::puts("PASS");
    return 0;
}
