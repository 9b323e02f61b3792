#pragma once
// Fitting the fixed-size main window to small screens. Qt 5 cannot paint
// widgets below a scale factor of 1, so a window larger than the screen is
// shown through a scaled view: every widget, font and picture shrinks alike
// and the whole window stays usable.

#include <QSize>
#include <memory>

class QWidget;

namespace orvanta
{

// The uniform factor (at most 1, in steps of 0.05, at least 0.5) that fits
// `window` into `available`.
double fitScaleFactor(const QSize &available, const QSize &window);

// High-DPI scaling on, so a high-density screen shows the window at its usual
// size with sharp text. Call before the QApplication is created.
void enableHighDpiScaling();

// When `window` does not fit the available area of its screen (and the user
// did not choose QT_SCALE_FACTOR), returns the frameless top-level view that
// shows it scaled down; `window` is then embedded in it. Returns null when the
// window fits as it is.
std::unique_ptr<QWidget> fitWindowToScreen(QWidget &window);
// The frameless top-level view that shows `window` scaled by `factor`; `window`
// is embedded in it and must outlive it.
std::unique_ptr<QWidget> scaledView(QWidget &window, double factor);

// The top-level window that shows `widget`: its scaled view, or itself.
QWidget *topLevelOf(QWidget *widget);
// How much that top-level window scales `widget` (1 when not scaled).
double scaleOf(const QWidget *widget);

// Centres `window` on the available area of its screen.
void centreOnScreen(QWidget &window);

} // namespace orvanta
