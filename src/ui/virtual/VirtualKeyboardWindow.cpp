#include "VirtualKeyboardWindow.h"
#include "core/app/PictureCache.h"
#include "core/app/TranslationContexts.h"

#include "core/lighting/LightingTypes.h"
#include "core/virtual/VirtualKeyboardDevice.h"

#include <QCoreApplication>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace orvanta
{

namespace
{

// The keyboard picture of the CUSTOMIZE page: 699 x 242 at (351, 140) in the
// key table's coordinates, transparent where the key lights show through.
const char kPicture[] =
    "Image/^C123EE04E9FA79AD51A70EB85EDC4904B9A42220E25096A89F^pimgpsh_fullsize_distr.png";
const QRectF kPictureArea(351, 140, 699, 242);
constexpr int kFrameMs = 50;
constexpr int kPulseMs = 400;
const QColor kMacroMark(0, 130, 0);   // the CUSTOMIZE page's macro-key colour
const QColor kRemapMark(0, 171, 190); // and its single-key colour

QString translated(const char *text)
{
    return context::VirtualKeyboard::tr(text);
}

bool hasKey(int k)
{
    return KEY_TABLE[size_t(k)].label != nullptr;
}

} // namespace

VirtualKeyboardCanvas::VirtualKeyboardCanvas(QWidget *parent)
    : QWidget(parent), m_picture(picturePath(QString::fromLatin1(kPicture)))
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_clock.start();
    m_frames.setInterval(kFrameMs);
    connect(&m_frames, &QTimer::timeout, this, QOverload<>::of(&QWidget::update));
}

void VirtualKeyboardCanvas::setProfile(const OnboardProfile &profile)
{
    m_profile = profile;
    updateFrames();
    update();
}

void VirtualKeyboardCanvas::pulse(quint8 value)
{
    m_pulseStart = now();
    m_pulseValue = value;
    updateFrames();
}

bool VirtualKeyboardCanvas::pulsing() const
{
    return m_pulseStart >= 0 && now() - m_pulseStart < kPulseMs;
}

void VirtualKeyboardCanvas::updateFrames()
{
    // Frames run only while something moves: an animated effect or a pulse.
    if (animated() || pulsing())
        m_frames.start();
    else
        m_frames.stop();
}

bool VirtualKeyboardCanvas::animated() const
{
    const LightingMode &m = m_profile.mode;
    return m.effect >= EffectArrowFlow || (m.effect == EffectStatic && m.staticSpeed > 0) ||
           (m.effect == EffectStatic && m.staticMode == 5);
}

KeyColours VirtualKeyboardCanvas::keyColoursAt(qint64 ms) const
{
    KeyColours keys = lightKeys(m_profile, ms, m_rippleOrigin);
    if (m_pulseStart >= 0 && ms >= m_pulseStart && ms - m_pulseStart < kPulseMs) {
        // The light pulse: every key flashes towards white, stronger for a higher
        // value (9 and above is a full flash), fading out within 400 ms.
        const double strength =
            qMin(1.0, m_pulseValue / 9.0) * (1.0 - double(ms - m_pulseStart) / kPulseMs);
        for (QColor &c : keys)
            c = QColor(c.red() + int((255 - c.red()) * strength),
                       c.green() + int((255 - c.green()) * strength),
                       c.blue() + int((255 - c.blue()) * strength));
    }
    return keys;
}

QTransform VirtualKeyboardCanvas::toWidget() const
{
    const double scale = qMin(width() / kPictureArea.width(), height() / kPictureArea.height());
    const double dx = (width() - kPictureArea.width() * scale) / 2;
    const double dy = (height() - kPictureArea.height() * scale) / 2;
    QTransform t;
    t.translate(dx, dy);
    t.scale(scale, scale);
    t.translate(-kPictureArea.x(), -kPictureArea.y());
    return t;
}

int VirtualKeyboardCanvas::keyAt(const QPoint &pos) const
{
    const QPointF p = toWidget().inverted().map(QPointF(pos));
    for (int k = 0; k < kKeyCount; ++k) {
        const KeyRect &c = KEY_TABLE[size_t(k)].cell;
        if (hasKey(k) && QRectF(c.x, c.y, c.w, c.h).contains(p))
            return k;
    }
    return -1;
}

QString VirtualKeyboardCanvas::hoverText(int key) const
{
    if (key < 0 || !hasKey(key))
        return QString();
    const QString what = describeAssignment(m_profile, key);
    return QString::fromLatin1(KEY_TABLE[size_t(key)].label).trimmed() + QLatin1Char('\n') +
           (what.isEmpty() ? translated("Default") : what);
}

void VirtualKeyboardCanvas::paintEvent(QPaintEvent *)
{
    const qint64 ms = now();
    updateFrames();
    const KeyColours keys = keyColoursAt(ms);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setTransform(toWidget());
    painter.fillRect(kPictureArea.adjusted(8, 26, -8, -12), QColor(10, 10, 12));
    for (int k = 0; k < kKeyCount; ++k) {
        const KeyRect &c = KEY_TABLE[size_t(k)].cell;
        painter.fillRect(QRectF(c.x, c.y, c.w, c.h), keys[size_t(k)]);
    }
    if (!m_picture.isNull()) {
        painter.drawPixmap(kPictureArea, m_picture, QRectF(m_picture.rect()));
    } else {
        // Without the artwork: key outlines and labels on the lights.
        painter.setPen(QColor(60, 60, 64));
        QFont f = painter.font();
        f.setPixelSize(8);
        painter.setFont(f);
        for (int k = 0; k < kKeyCount; ++k) {
            const KeyRect &c = KEY_TABLE[size_t(k)].cell;
            const QRectF r(c.x + 2, c.y + 2, c.w - 4, c.h - 4);
            painter.setPen(QColor(60, 60, 64));
            painter.drawRoundedRect(r, 3, 3);
            if (hasKey(k)) {
                painter.setPen(keys[size_t(k)].lightness() > 140 ? Qt::black : Qt::white);
                painter.drawText(r, Qt::AlignCenter,
                                 QString::fromLatin1(KEY_TABLE[size_t(k)].label));
            }
        }
    }
    for (int k = 0; k < kKeyCount; ++k) {
        const bool macro = isMacroKey(m_profile, k);
        if (!macro && !isRemapped(m_profile, k))
            continue;
        const KeyRect &c = KEY_TABLE[size_t(k)].cell;
        painter.setPen(QPen(macro ? kMacroMark : kRemapMark, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(c.x + 2, c.y + 2, c.w - 4, c.h - 4), 3, 3);
        painter.setBrush(macro ? kMacroMark : kRemapMark);
        painter.drawEllipse(QPointF(c.x + c.w - 6, c.y + 6), 2.5, 2.5);
    }
}

void VirtualKeyboardCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QString text = hoverText(keyAt(event->pos()));
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), text, this);
}

void VirtualKeyboardCanvas::mousePressEvent(QMouseEvent *event)
{
    // A click starts the ripples where a key would have been pressed.
    m_rippleOrigin = toWidget().inverted().map(QPointF(event->pos()));
    update();
}

VirtualKeyboardWindow::VirtualKeyboardWindow(VirtualKeyboardDevice *device, QWidget *parent)
    : QWidget(parent, Qt::Window), m_device(device)
{
    setObjectName(QStringLiteral("VirtualKeyboardWindow"));
    setStyleSheet(QStringLiteral(
        "#VirtualKeyboardWindow{background-color:rgb(24,24,26);} QLabel{color:white;}"
        "QLabel#profile{color:red; font-size:16pt;}"
        "QListWidget{background-color:rgb(12,12,14); color:rgba(255,255,255,180);"
        " border:1px solid rgb(60,60,64);}"
        "QPushButton{color:white; background-color:rgb(60,0,0); border:1px solid red;"
        " padding:4px 10px;} QPushButton:pressed{background-color:red;}"));
    m_canvas = new VirtualKeyboardCanvas(this);
    m_profile = new QLabel(this);
    m_profile->setObjectName(QStringLiteral("profile"));
    m_lighting = new QLabel(this);
    m_problems = new QLabel(this);
    m_problems->setWordWrap(true);
    m_problems->setStyleSheet(QStringLiteral("color:rgb(255,120,120);"));
    m_usbNote = new QLabel(this);
    m_useButton = new QPushButton(this);
    m_reports = new QListWidget(this);
    m_reports->setMaximumHeight(120);
    m_reports->setMinimumHeight(40);

    auto *top = new QHBoxLayout;
    top->addWidget(m_profile);
    top->addWidget(m_lighting, 1);
    auto *usb = new QHBoxLayout;
    usb->addWidget(m_usbNote, 1);
    usb->addWidget(m_useButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addLayout(top);
    layout->addWidget(m_canvas, 1);
    layout->addLayout(usb);
    layout->addWidget(m_problems);
    layout->addWidget(m_reports);
    connect(m_useButton, &QPushButton::clicked, this, &VirtualKeyboardWindow::useRequested);
    setInUse(true);
    retranslate();
    resize(760, 420);

    if (device) {
        // Reports may come from another thread; the window follows on its own.
        connect(device, &VirtualKeyboardDevice::stateChanged, this, &VirtualKeyboardWindow::refresh,
                Qt::QueuedConnection);
        connect(device, &VirtualKeyboardDevice::saveFailed, this, &VirtualKeyboardWindow::refresh,
                Qt::QueuedConnection);
        connect(device, &VirtualKeyboardDevice::appLightPulsed, m_canvas,
                &VirtualKeyboardCanvas::pulse, Qt::QueuedConnection);
    }
    refresh();
}

void VirtualKeyboardWindow::setInUse(bool inUse)
{
    m_usbNote->setVisible(!inUse);
    m_useButton->setVisible(!inUse);
}

QString VirtualKeyboardWindow::profileText() const
{
    return m_profile->text();
}

void VirtualKeyboardWindow::refresh()
{
    if (!m_device)
        return;
    const VirtualKeyboardState state = m_device->state();
    m_activeProfile = state.activeProfile;
    const OnboardProfile &p = state.profile(state.activeProfile);
    m_canvas->setProfile(p);
    m_profile->setText(translated("ON-BOARD PROFILE %1").arg(state.activeProfile));
    m_lighting->setText(describeLighting(p.mode));

    QStringList problems;
    const QString error = m_device->lastError();
    if (!error.isEmpty())
        problems << translated("Cannot keep the virtual keyboard's memory: %1").arg(error);
    if (!state.undecoded.isEmpty()) {
        const QByteArray &last = state.undecoded.last();
        problems << translated("%1 reports could not be decoded; the latest: %2")
                        .arg(state.undecoded.size())
                        .arg(QString::fromLatin1(last.left(24).toHex(' ')) +
                             (last.size() > 24 ? QStringLiteral(" ...") : QString()));
    }
    m_problems->setText(problems.join(QLatin1Char('\n')));
    m_problems->setVisible(!problems.isEmpty());

    m_reports->clear();
    m_reports->addItems(m_device->recentReports());
    m_reports->scrollToBottom();
}

void VirtualKeyboardWindow::retranslate()
{
    setWindowTitle(translated("ORVANTA RGB virtual keyboard"));
    m_usbNote->setText(translated("The console is using the USB keyboard."));
    m_useButton->setText(translated("USE VIRTUAL KEYBOARD"));
    m_useButton->setAccessibleDescription(
        translated("The console sends to the virtual keyboard instead of the USB keyboard"));
    m_canvas->setAccessibleName(translated("Virtual keyboard picture"));
    m_reports->setAccessibleName(translated("Reports received"));
    refresh();
}

void VirtualKeyboardWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace orvanta
