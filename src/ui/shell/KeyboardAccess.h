#pragma once
// The console without a mouse: Tab and Shift+Tab visit every control of the
// window in reading order (the left menu, the tabs and profile buttons, the
// icon buttons, then the page in front with its APPLY last), Enter presses the
// focused button as Space does (Space on a macro row chooses it), Alt+1 ..
// Alt+5 switch the on-board profile, Escape closes the key popup and cancels a
// key capture started from the keyboard, and a key cursor moves over the
// keyboard picture of CUSTOMIZE and LIGHTING. It also keeps the controls'
// accessible names (AccessibleNames).
//
// Keys typed while a macro is recorded, or while CUSTOMIZE captures a key,
// are left alone: they belong to the recording and the capture.

#include "KeyCursor.h"

#include <QList>
#include <QObject>
#include <QPointer>

class LightingPage;
class StopCursor;
class MainWindow;
class QFocusFrame;
class QKeyEvent;
class QWidget;

class KeyboardAccess : public QObject
{
    Q_OBJECT
public:
    explicit KeyboardAccess(MainWindow *window);
    ~KeyboardAccess() override;

    // After the pages were built anew or the language changed.
    void refresh();

    // The controls Tab visits now, in order.
    QList<QWidget *> tabChain() const;

    KeyCursor *customizeCursor() const { return m_customizeCursor; }
    KeyCursor *lightingCursor() const { return m_lightingCursor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool ours(QObject *object) const;
    bool keyPressed(QWidget *receiver, QKeyEvent *event);
    bool moveFocus(bool forward);
    QWidget *pageInFront() const;
    void makeReachable(QWidget *page);
    void followLightingPage();
    QString describeKey(int key) const;
    void armCapture();
    void endCapture(bool cancelled);
    void frameFocusedWidget(QWidget *focused);

    MainWindow *m_window;
    KeyCursor *m_customizeCursor = nullptr;
    QPointer<KeyCursor> m_lightingCursor;
    QPointer<LightingPage> m_lightingPage;
    QPointer<StopCursor> m_stopCursor;
    // Buttons are reached with Tab (a click does not take the focus from the
    // key capture); this frame shows which one has the focus. It moves into
    // the focused widget's parent, so it may go with a page.
    QPointer<QFocusFrame> m_focusFrame;
    bool m_captureArmed = false;
    bool m_listKeyed = false; // a key is being handled by the KEY ASSIGNMENT list
    QString m_textBeforeCapture;
};
