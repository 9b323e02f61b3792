#pragma once
// Driving the LIGHTING page by its widget names and with mouse events.

#include "LightingTestSupport.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "ui/shell/ConsoleContext.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

namespace orvanta::test
{

template <typename T> T *child(QWidget &page, const QString &name)
{
    return page.findChild<T *>(name);
}
inline void click(QWidget &page, const char *name)
{
    emit child<QPushButton>(page, name)->released();
}
// Types the text and presses Enter.
inline void enter(QWidget &page, const char *name, const QString &text)
{
    child<QLineEdit>(page, name)->setText(text);
    emit child<QLineEdit>(page, name)->returnPressed();
}
inline void enterColour(QWidget &page, const Rgb &c)
{
    for (const auto &[name, value] : {std::pair{"edit_r", c.r}, {"edit_g", c.g}, {"edit_b", c.b}})
        enter(page, name, QString::number(value));
}

// Press at `from`, move through `path` with the button held, release at the last point.
inline void drag(QWidget *w, QPoint from, std::initializer_list<QPoint> path,
                 Qt::MouseButton b = Qt::LeftButton)
{
    auto send = [w](QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    send(QEvent::MouseButtonPress, from, b, b);
    QPoint last = from;
    for (QPoint p : path)
        send(QEvent::MouseMove, last = p, Qt::NoButton, b);
    send(QEvent::MouseButtonRelease, last, b, Qt::NoButton);
}

// A fresh working directory and an in-memory keyboard behind the context's
// sender, reached through a keyboard link as in the console, with the link's
// pauses recorded; set up before and taken down after each test.
struct PageRig {
    std::unique_ptr<TempWorkDir> dir;
    RecordingDevice device;
    PauseRecorder pauses;
    KeyboardLink link;
    std::unique_ptr<ConsoleController> controller; // and its lighting: one per test
    ConsoleContext context;                        // what a page is built with

    PageRig()
    {
        link.setDiscovery(
            [](std::unique_ptr<HidDevice> &, std::unique_ptr<HidDevice> &) { return false; });
        link.setPauseFunction(pauses.function());
        link.useVirtualDevice(&device);
    }
    ~PageRig() { link.useVirtualDevice(nullptr); }
    void init()
    {
        dir.reset(new TempWorkDir);
        clear();
        controller.reset(new ConsoleController(&link));
        context.controller = controller.get();
        context.sender = &controller->sender();
        context.notices = &controller->notices();
    }
    void cleanup()
    {
        settle();
        context = {};
        controller.reset(), dir.reset();
    }
    // Waits until the link has sent everything queued so far.
    void settle()
    {
        QVERIFY(QTest::qWaitFor([this] { return link.isIdle(); }, 30000));
    }
    void clear() { settle(), device.reports.clear(), pauses.pauses.clear(); }
    const QVector<QByteArray> &sent() { return settle(), device.reports; }
    const QVector<unsigned> &paused() { return settle(), pauses.pauses; }
};

} // namespace orvanta::test
