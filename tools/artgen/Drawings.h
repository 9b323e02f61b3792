#pragma once
// Every picture of the console, each drawn from scratch at its final size.

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>

namespace artgen
{

// Shell and page panels (Panels.cpp).
QImage windowBackground(); // 1200 x 800
QImage pagePanel();        // 960 x 620, transparent rounded corners
QImage keyPopup();         // 108 x 120, transparent outside the balloon

// The pictured keyboard (Keyboard.cpp): 699 x 242, placed at (351, 140) of the window.
constexpr int kKeyboardX = 351;
constexpr int kKeyboardY = 140;
QImage keyboardPicture();
// The cells whose centre pixel is not fully transparent in img (empty when it is right).
QVector<int> opaqueKeyCentres(const QImage &img);

// Button faces and controls (Faces.cpp).
QImage tabFace();           // 103 x 24
QImage actionFace();        // 120 x 28
QImage inactiveFace();      // 120 x 28
QImage redFace();           // 120 x 28
QImage checkMark(bool on);  // 16 x 16
QImage toggleFace(bool on); // 110 x 26
QImage updateFace();        // 150 x 22
enum class ShiftLook { On, Off, Disabled };
QImage shiftFace(ShiftLook look); // 80 x 24
QImage palette();                 // 140 x 140, opaque
QImage sliderKnob();              // 20 x 20

// Symbols, icon buttons, logos and the application icon (Symbols.cpp).
enum class Symbol {
    Reset,
    Service,
    Info,
    Settings,
    Close,
    New,
    Delete,
    Copy,
    Import,
    Export,
    Link
};
QImage iconButton(Symbol s, QSize size, bool hover);
QImage websiteLogo();   // 142 x 35
QImage communityLogo(); // 142 x 35
QImage appIcon(int n);  // n x n

} // namespace artgen
