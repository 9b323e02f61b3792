#pragma once
// "ORVANTA RGB virtual keyboard": the keyboard picture lit as the keyboard would
// light it from the virtual keyboard's memory, the active on-board profile, the
// marks of remapped and macro keys with their assignment on hover, and the
// reports as they arrive.

#include "core/virtual/VirtualLighting.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace orvanta
{

class VirtualKeyboardDevice;

// The lit keyboard itself; scales with its size and keeps the picture's shape.
class VirtualKeyboardCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit VirtualKeyboardCanvas(QWidget *parent = nullptr);

    void setProfile(const OnboardProfile &profile);
    void pulse(quint8 value);
    // What the keys show at `ms` on the canvas clock, pulse included.
    KeyColours keyColoursAt(qint64 ms) const;
    qint64 now() const { return m_clock.elapsed(); }
    // The key cell under a widget position, or -1.
    int keyAt(const QPoint &pos) const;
    // The hover text of key cell k: its name, then what it does.
    QString hoverText(int key) const;
    QSize sizeHint() const override { return {700, 245}; }
    QSize minimumSizeHint() const override { return {280, 98}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return w * 245 / 700; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QTransform toWidget() const;
    bool animated() const;
    bool pulsing() const;
    void updateFrames();

    OnboardProfile m_profile;
    QPixmap m_picture;
    QElapsedTimer m_clock;
    QTimer m_frames;
    QPointF m_rippleOrigin{700, 262};
    qint64 m_pulseStart = -1;
    quint8 m_pulseValue = 0;
};

class VirtualKeyboardWindow : public QWidget
{
    Q_OBJECT
public:
    explicit VirtualKeyboardWindow(VirtualKeyboardDevice *device, QWidget *parent = nullptr);

    // Shown while the console talks to the USB keyboard: the window then offers
    // to take the virtual keyboard instead.
    void setInUse(bool inUse);
    VirtualKeyboardCanvas *canvas() const { return m_canvas; }
    QString profileText() const;

signals:
    void useRequested();

public slots:
    void refresh();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QPointer<VirtualKeyboardDevice> m_device;
    VirtualKeyboardCanvas *m_canvas;
    QLabel *m_profile;
    QLabel *m_lighting;
    QLabel *m_problems;
    QLabel *m_usbNote;
    QPushButton *m_useButton;
    QListWidget *m_reports;
    int m_activeProfile = 1;
};

} // namespace orvanta
