#pragma once
// Guidance where a newcomer gets stuck: the virtual keyboard offered while no
// keyboard is connected, its window placed beside the console (and where the
// user last put it), the LIGHTING page's word on what is stored, and a word
// in the tray when closing only hid the console.

#include <QObject>

class MainWindow;
class QPushButton;
class QWidget;

class ShellGuidance : public QObject
{
    Q_OBJECT
public:
    // Builds the TRY THE VIRTUAL KEYBOARD button in the window.
    explicit ShellGuidance(MainWindow &window);

    QPushButton *tryVirtualButton() const { return m_tryVirtual; }
    // The LIGHTING page's hint, anew with each page (a language switch builds it again).
    void attachLightingHint();
    // The first time closing only hid the console, the tray says where it went.
    void explainHiddenConsole();

private:
    void placeVirtualKeyboardWindow(QWidget *window);

    MainWindow &m_window;
    QPushButton *m_tryVirtual;
};
