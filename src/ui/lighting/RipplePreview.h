#pragma once
// Ripple preview: rings of the 11 effect colours spreading from a centre point,
// one ring per 50 ms tick of its timer, each in a randomly drawn colour of the
// set; the window's thread never waits between rings. Optionally only
// a horizontal band around the centre's key row shows the ripple.

#include <QColor>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class RipplePreview : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRings = 11;
    static constexpr int kOff = 11; // colour index of a dark ring
    static constexpr int kWidth = 699;
    static constexpr int kHeight = 198;
    static constexpr int kTickMs = 50;
    // How strongly the rings cover the keyboard picture below them.
    static constexpr qreal kOverlayOpacity = 0.6;

    explicit RipplePreview(QWidget *parent = nullptr);

    void setRowMode(bool flag, int bandHeight);
    void setRingColours(const std::array<int, kRings> &red, const std::array<int, kRings> &green,
                        const std::array<int, kRings> &blue);
    void setUpShineCenter(int x, int y);
    void startRipple();
    void stopRipple();

    // The pseudo-random source of ring colours (default: the global generator).
    void setRandomSource(std::function<quint32()> source);

    const std::array<QColor, kRings + 1> &colours() const { return ringColours; }
    const std::array<int, kRings> &rings() const { return ringIndex; }
    QPoint centre() const { return rippleCentre; }
    bool isActive() const { return rippleActive; }
    int step() const { return rippleStep; }
    int radius() const { return rippleRadius; }
    bool isRowMode() const { return rowMode; }
    int band() const { return bandHeight; }
    int timerInterval() const { return timer.interval(); }
    bool isRunning() const { return timer.isActive(); }

    // Middle of the key row that y falls in, or -1 between rows.
    static int keyRowCentre(int y);

public slots:
    void slotTimeOut();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::array<QColor, kRings + 1> ringColours;
    std::array<int, kRings> ringIndex;
    QPoint rippleCentre;
    bool rippleActive = false;
    int rippleStep = 10;
    int rippleRadius = 100;
    bool rowMode = false;
    int bandHeight = 10;
    QTimer timer; // no parent: it lives and dies with the widget
    std::function<quint32()> random;
};
