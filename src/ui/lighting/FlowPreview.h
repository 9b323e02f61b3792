#pragma once
// Colour-flow preview: a diagonal gradient of the 22 zone colours that moves
// one zone further on every tick. It is a see-through overlay on the keyboard
// picture of the lighting page and never takes the mouse.

#include <QColor>
#include <QTimer>
#include <QWidget>

#include <array>

class FlowPreview : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kZones = 22;
    // How strongly the flow covers the keyboard picture below it.
    static constexpr qreal kOverlayOpacity = 0.55;

    explicit FlowPreview(QWidget *parent = nullptr);

    void setZoneColours(const std::array<int, kZones> &red, const std::array<int, kZones> &green,
                        const std::array<int, kZones> &blue);
    // Level 1..9 (clamped); the flow moves one zone every level x 150 ms.
    void startFlow(int level);
    void stopFlow();

    const std::array<QColor, kZones> &colours() const { return zoneColours; }
    const std::array<int, kZones> &order() const { return zoneOrder; }
    int level() const { return speedLevel; }
    int timerInterval() const { return timer.interval(); }
    bool isFlowing() const { return timer.isActive(); }

public slots:
    void slotTimeOut();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<QColor, kZones> zoneColours;
    // Gradient stop k shows the zone colour zoneOrder[k].
    std::array<int, kZones> zoneOrder;
    int speedLevel = 2;
    QTimer timer; // no parent: it lives and dies with the widget
};
