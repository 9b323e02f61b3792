#pragma once
// The MACROS page: the macro collection (select, rename, NEW, DELETE, COPY,
// IMPORT, EXPORT), the recorder (RECORD, STOP, delay modes) and the editing of
// the selected macro's rows (INSERT before/after, DELETE with partner, EDIT).
// Every change to the rows is saved to the macro's file at once.

#include "core/macro/MacroLibrary.h"
#include "core/macro/MacroRecorder.h"

#include <QWidget>

namespace orvanta
{
class DesktopServices;
} // namespace orvanta
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class MacroPage : public QWidget
{
    Q_OBJECT
public:
    // Shows `library`'s macros and carries out its use cases; without
    // `desktop` the page uses the console's real desktop services.
    explicit MacroPage(orvanta::macro::MacroLibrary &library, QWidget *parent = nullptr,
                       orvanta::DesktopServices *desktop = nullptr);

    // Lists the macros as the files now are, with `name` chosen.
    void showMacro(const QString &name) { refreshList(name); }

    // The recorder the page shows: the rows, the command image and its state.
    const orvanta::macro::MacroRecorder &recorder() const { return m_recorder; }
    // False while a recording runs; the shell gates its buttons on it.
    bool isIdle() const { return m_recorder.isIdle(); }
    // With a manual clock only advanceDelayClock() advances the measured delay.
    void useManualClock(bool manual) { m_recorder.useManualClock(manual); }
    QString selectedMacro() const;

    // Saves the selected macro; false (and the failure told) when its file
    // kept the old content.
    bool saveMacroFile();

public slots:
    void startRecording();
    void stopRecording();
    void advanceDelayClock();
    void chooseAutoDelay();
    void chooseDefaultDelay();
    void chooseNoDelay();
    void defaultDelayEdited();
    void macroChosen();
    void macroNameEntered();
    void newMacroClicked();
    void deleteMacroClicked();
    void copyMacroClicked();
    void exportMacroClicked();
    void importMacroClicked();
    void toggleInsertMode();
    void insertBefore();
    void insertAfter();
    void deleteRow();
    void editRow();
    void rowClicked();
    void openDelayEditor(QTreeWidgetItem *item, int column);
    void closeDelayEditor();
    void applyMacro();
    void resetMacro();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    orvanta::macro::MacroLibrary &m_library;
    orvanta::DesktopServices &m_desktop; // the import and export file choosers

    // Shows the macro a collection use case names, if any.
    void follow(const orvanta::macro::MacroChange &change);
    enum class Look { Normal, Inactive, Red };

    void buildWidgets();
    void setLook(QPushButton *button, Look look);
    void markDelayMode(int mode);
    void refreshList(const QString &select = QString());
    void setCollectionEnabled(bool enabled);
    void resetRowLooks();
    void showRows();
    void insertRow(int index, const orvanta::macro::MacroRow &row);
    void showDelay(int index, const QString &delay);
    void dropEditor();
    static QString mouseLabel(Qt::MouseButton button);

    // Widgets
    QComboBox *m_macroList = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    QPushButton *m_newButton = nullptr;
    QPushButton *m_deleteMacroButton = nullptr;
    QPushButton *m_copyButton = nullptr;
    QPushButton *m_importButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QTreeWidget *m_tree = nullptr;
    QPushButton *m_recordButton = nullptr;
    QPushButton *m_stopButton = nullptr;
    QPushButton *m_autoButton = nullptr;
    QPushButton *m_defaultButton = nullptr;
    QPushButton *m_noDelayButton = nullptr;
    QLineEdit *m_defaultDelayEdit = nullptr;
    QLabel *m_msLabel = nullptr;
    QPushButton *m_insertButton = nullptr;
    QCheckBox *m_beforeBox = nullptr;
    QCheckBox *m_afterBox = nullptr;
    QPushButton *m_deleteRowButton = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_applyButton = nullptr;
    QPushButton *m_resetButton = nullptr;

    orvanta::macro::MacroRecorder m_recorder;
    // The delay editor open in the list, if any.
    bool m_editorOpen = false;
    int m_editedRow = -1;
    int m_editedColumn = 2;
};
