#pragma once
// The colour stops of the STOPS CONTROL strip for use without a mouse: reached
// with Tab while the strip is shown, Left and Right choose the previous or next
// stop of the user's pattern (as a click on its square does), whose colour the
// colour fields then set. Screen readers hear the stop chosen and its colour.
// It lies over the strip, lets every mouse event through and shows only while
// the strip does.

#include <QWidget>

class LightingPage;
class QSlider;

class StopCursor : public QWidget
{
    Q_OBJECT
public:
    StopCursor(LightingPage *page, QSlider *strip);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void announce();

    LightingPage *m_page;
    QSlider *m_strip;
};
