#pragma once
// The marking rectangle: a transparent overlay over the keyboard picture that
// shows the rubber band while keys are being dragged over.

#include <QRect>
#include <QWidget>

class SelectionRect : public QWidget
{
    Q_OBJECT
public:
    explicit SelectionRect(QWidget *parent = nullptr);

    // Takes page coordinates; the overlay sits 100 px right of the page origin.
    void setSelection(int x, int y, int width, int height);
    QRect rectangle() const { return m_rect; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QRect m_rect;
    bool m_shaped = false;
};
