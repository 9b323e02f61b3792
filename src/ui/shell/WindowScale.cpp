#include "WindowScale.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace orvanta
{

namespace
{

// The scaled view: frameless like the console's own window, and closed by the
// window manager the same way (it only hides).
class ScaledWindow : public QGraphicsView
{
public:
    ScaledWindow(QWidget &content, double factor)
    {
        setWindowFlags(content.windowFlags() | Qt::Window | Qt::FramelessWindowHint);
        setWindowTitle(content.windowTitle());
        setWindowIcon(content.windowIcon());
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                       QPainter::TextAntialiasing);
        setBackgroundBrush(Qt::black);
        auto *scene = new QGraphicsScene(this);
        const QSize size = content.size();
        scene->setSceneRect(0, 0, size.width(), size.height());
        scene->addWidget(&content, Qt::Widget)->setPos(0, 0);
        setScene(scene);
        scale(factor, factor);
        setFixedSize(int(std::ceil(size.width() * factor)), int(std::ceil(size.height() * factor)));
        // The window's title and icon may change later (language switch).
        QObject::connect(&content, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
        QObject::connect(&content, &QWidget::windowIconChanged, this, &QWidget::setWindowIcon);
        m_content = &content;
    }
    ~ScaledWindow() override
    {
        // The scene would delete every widget its proxies hold: the console's
        // window, which outlives this view, and the drop-down lists of its combo
        // boxes (and any other popup), which their boxes own and which have
        // proxies of their own above the window's. Every proxy lets go of its
        // widget before the scene goes, the popups' proxies first.
        QGraphicsScene *shown = scene();
        setScene(nullptr);
        const QList<QGraphicsItem *> items = shown->items(Qt::DescendingOrder);
        for (QGraphicsItem *item : items)
            if (item->isWidget())
                if (auto *proxy =
                        qobject_cast<QGraphicsProxyWidget *>(static_cast<QGraphicsWidget *>(item)))
                    proxy->setWidget(nullptr);
        delete shown;
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        // The window inside decides what the window manager's close does.
        event->ignore();
        QCloseEvent forwarded;
        QCoreApplication::sendEvent(m_content, &forwarded);
    }

private:
    QWidget *m_content = nullptr;
};

} // namespace

double fitScaleFactor(const QSize &available, const QSize &window)
{
    if (available.isEmpty() || window.isEmpty())
        return 1.0;
    const double fit = std::min({1.0, double(available.width()) / window.width(),
                                 double(available.height()) / window.height()});
    // Whole twentieths keep the scaled pictures regular; below one half the
    // window is no longer readable, so it stops shrinking there.
    return std::max(0.5, std::floor(fit * 20 + 1e-9) / 20);
}

void enableHighDpiScaling()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
}

std::unique_ptr<QWidget> fitWindowToScreen(QWidget &window)
{
    if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        return nullptr; // the user's own choice
    const QScreen *screen = window.screen();
    if (!screen)
        return nullptr;
    const double factor = fitScaleFactor(screen->availableGeometry().size(), window.size());
    if (factor >= 1.0)
        return nullptr;
    return scaledView(window, factor);
}

std::unique_ptr<QWidget> scaledView(QWidget &window, double factor)
{
    return std::make_unique<ScaledWindow>(window, factor);
}

QWidget *topLevelOf(QWidget *widget)
{
    if (const QGraphicsProxyWidget *proxy = widget->graphicsProxyWidget())
        if (proxy->scene() && !proxy->scene()->views().isEmpty())
            return proxy->scene()->views().constFirst();
    return widget;
}

double scaleOf(const QWidget *widget)
{
    if (const QGraphicsProxyWidget *proxy = widget->graphicsProxyWidget())
        if (proxy->scene() && !proxy->scene()->views().isEmpty())
            return proxy->scene()->views().constFirst()->transform().m11();
    return 1.0;
}

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    // A window larger than the area keeps its top left corner (and so its title
    // row and Close button) in view.
    window.move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
}

} // namespace orvanta
