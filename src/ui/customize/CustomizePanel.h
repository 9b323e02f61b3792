#pragma once
// The CUSTOMIZE panel: the key cells over the keyboard picture (hover, the
// key popup, selection), what the selected key does (its default, a macro
// with a repeat mode, or another key's code, captured from the computer's
// keyboard), the two bulk resets, and the instant-shift controls. It shows
// the controller's key assignments and hands APPLY and the resets to it.
//
// Its widgets live in the window's central widget; the window passes on the
// mouse and key events that belong to the picture and the key capture.

#include "ui/shell/Shell.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <array>

namespace orvanta
{
class AssignmentTable;
}
class InstantShiftControls;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
struct ConsoleContext;

// The panel's widgets, for the window's keyboard access and accessible names.
struct CustomizeWidgets {
    QLabel *keyboardPicture = nullptr;
    QLabel *captionKeyAssignment = nullptr, *selectedKeyLabel = nullptr,
           *captionAssignMacro = nullptr, *captionRepeat = nullptr, *captionCurrent = nullptr,
           *currentAssignment = nullptr, *captionAssign = nullptr, *captionInstantShift = nullptr;
    QComboBox *keyAssignCombo = nullptr, *assignMacroCombo = nullptr, *repeatCombo = nullptr,
              *shiftCombo = nullptr;
    QLineEdit *repeatCountEdit = nullptr, *newKeyEdit = nullptr;
    QPushButton *macroResetButton = nullptr, *singleResetButton = nullptr,
                *customizeApplyButton = nullptr;
    std::array<QPushButton *, 3> shiftButtons{};
};

class CustomizePanel : public QObject
{
    Q_OBJECT
public:
    // Builds the key cells and the controls in `parent` (the window's central
    // widget); `window` is where keys are captured (it takes the focus when a
    // key is clicked).
    CustomizePanel(ConsoleContext &context, QWidget *window, QWidget *parent);

    const CustomizeWidgets &widgets() const { return m_ui; }
    // The key cell selected (kNoKey when none), and the code of the key
    // captured for it (0 while none).
    int selectedKey() const { return m_selectedKey; }
    quint8 capturedUsage() const { return m_capturedUsage; }
    // Whether the instant-shift button of modifier m acts (it is not bound to
    // another profile than the one chosen).
    bool shiftEnabled(int modifier) const;

    // --- key cells ---------------------------------------------------------------
    // The mouse over the window; `inFront`: no page covers the panel.
    void pressAt(const QPoint &pos, bool inFront);
    void hoverAt(const QPoint &pos, bool inFront);
    // Keys go to the ASSIGN field while it waits for one and the window has the
    // focus; these return false for events the panel does not take.
    bool capturingKey();
    bool keyPressed(QKeyEvent *event);
    bool keyReleased(QKeyEvent *event);
    // The key cursor's: the popup over a cell as the mouse's hover shows it,
    // and a cell selected as a click selects it (the focus stays where it is).
    void showPopupOverKey(int cell);
    void selectKeyCell(int cell);

    // --- key assignments ----------------------------------------------------
    // The assignments of the saved profile shown, read anew from its files.
    void loadKeyAssignments();
    void loadSingleKeyAssignments();
    void showCustomizePanels(int assignment);

    // --- instant shift -------------------------------------------------------
    void refillInstantShiftList();
    void loadInstantShiftTargets();

    void applyStyles(const orvanta::ShellStyles &styles);
    void retranslate();

public slots:
    void applyKeyAssignment();
    void resetMacroAssignments();
    void resetSingleAssignments();

private:
    // The key assignments of the profile shown, as the controller keeps them.
    const orvanta::AssignmentTable &assignments() const;
    // After a factory reset nothing stays selected and every key shows its default.
    void clearAfterFactoryReset();
    void buildKeyCells(QWidget *parent);
    void buildCustomizeControls(QWidget *parent);
    void keyAssignmentChosen();
    void assignMacroChosen();
    void repeatModeChosen();
    void refillAssignMacroList();
    void setApplyEnabled(bool enabled);
    QString keyNameAt(int x, int y);
    void colourKeyCell(int state, int cell);
    void refreshKeyCellColours();
    void setCellColour(int state, int cell);
    QString cellStyle(int cell) const;
    void selectCell(int cell, const QString &label);
    void showSelectedKeyAssignment();
    QString selectedProfile() const;
    bool macroPageIdle() const;

    ConsoleContext &m_context;
    QWidget *m_window;
    orvanta::ShellStyles m_styles;
    CustomizeWidgets m_ui;
    std::array<QLabel *, 104> m_keyCells{};
    InstantShiftControls *m_instantShift = nullptr;
    int m_hoverKey = 0;
    int m_lastHoverKey = 0;
    int m_highlightedCell = 0;
    int m_selectedKey = 300;
    quint8 m_capturedUsage = 0;
    bool m_applyEnabled = false;
    QSet<int> m_capturePresses; // keys pressed while a key is being captured
};
