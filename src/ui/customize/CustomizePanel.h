#pragma once
// The CUSTOMIZE panel: the key cells over the keyboard picture (hover, the
// key popup, selection), what the selected key does (its default, a macro
// with a repeat mode, or another key's code, captured from the computer's
// keyboard), the two bulk resets, and the instant-shift controls.
//
// Its widgets live in the window's central widget; the window passes on the
// mouse and key events that belong to the picture and the key capture.

#include "core/assign/AssignmentTable.h"
#include "core/assign/InstantShift.h"
#include "core/storage/AtomicFile.h"
#include "ui/shell/Shell.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <array>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
struct ConsoleContext;

class CustomizePanel : public QObject
{
    Q_OBJECT
public:
    // Builds the key cells and the controls in `parent` (the window's central
    // widget); `window` is where keys are captured (it takes the focus when a
    // key is clicked).
    CustomizePanel(ConsoleContext &context, QWidget *window, QWidget *parent);

    // --- key cells ---------------------------------------------------------------
    int hoverKey = 0;
    int lastHoverKey = 0;
    int highlightedCell = 0;
    int selectedKey = 300;
    quint8 hoverUsage = 4;
    quint8 selectedUsage = 4;
    int hoverMatrix = 0;
    int selectedMatrix = 0;
    quint8 capturedUsage = 0;
    std::array<QLabel *, 104> keyCells{};
    QLabel *keyboardPicture = nullptr;

    QString keyNameAt(int x, int y);
    void colourKeyCell(int state, int cell);
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
    void loadKeyAssignments();
    void loadSingleKeyAssignments();
    void saveKeyAssignments();
    void refillAssignMacroList();
    void showCustomizePanels(int assignment);

    // --- instant shift -------------------------------------------------------
    std::array<bool, 3> shiftOn{};
    std::array<bool, 3> shiftEnabled{{true, true, true}};
    bool customizeApplyEnabled = false;
    void refillInstantShiftList();
    void showInstantShiftTargets();
    void loadInstantShiftTargets();
    void writeShiftFlags();

    void applyStyles(const orvanta::ShellStyles &styles);
    void retranslate();

    QLabel *captionKeyAssignment = nullptr, *selectedKeyLabel = nullptr,
           *captionAssignMacro = nullptr, *captionRepeat = nullptr, *captionCurrent = nullptr,
           *currentAssignment = nullptr, *captionAssign = nullptr, *captionInstantShift = nullptr;
    QComboBox *keyAssignCombo = nullptr, *assignMacroCombo = nullptr, *repeatCombo = nullptr,
              *shiftCombo = nullptr;
    QLineEdit *repeatCountEdit = nullptr, *newKeyEdit = nullptr;
    QPushButton *macroResetButton = nullptr, *singleResetButton = nullptr,
                *customizeApplyButton = nullptr;
    std::array<QPushButton *, 3> shiftButtons{};

public slots:
    void assignMacroChosen();
    void applyKeyAssignment();
    void keyAssignmentChosen();
    void resetMacroAssignments();
    void resetSingleAssignments();
    void repeatModeChosen();
    void toggleShiftInstantShift();
    void toggleCtrlInstantShift();
    void toggleAltInstantShift();
    void instantShiftTargetChosen(int index);

private:
    // The key assignments of the profile shown and the instant-shift targets,
    // as the controller keeps them.
    orvanta::AssignmentTable &assignments();
    const orvanta::AssignmentTable &assignments() const;
    orvanta::ShiftTargets &shiftTargets();
    // After a factory reset nothing stays selected and every key shows its default.
    void clearAfterFactoryReset();
    void buildKeyCells(QWidget *parent);
    void buildCustomizeControls(QWidget *parent);
    void buildInstantShiftControls(QWidget *parent);
    void setApplyEnabled(bool enabled);
    void toggleShiftButton(int modifier);
    void refreshKeyCellColours();
    void setCellColour(int state, int cell);
    QString cellStyle(int cell) const;
    void showSelectedKeyAssignment();
    QString selectedProfile() const;
    int activeProfile() const;
    bool macroPageIdle() const;

    ConsoleContext &m_context;
    QWidget *m_window;
    orvanta::ShellStyles m_styles;
    QSet<int> m_capturePresses; // keys pressed while a key is being captured
};
