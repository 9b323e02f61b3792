#pragma once
// The MACROS page: the macro collection (select, rename, NEW, DELETE, COPY,
// IMPORT, EXPORT), the recorder (RECORD, STOP, delay modes) and the editing of
// the selected macro's rows (INSERT before/after, DELETE with partner, EDIT).
// Every change to the rows is saved to the macro's file at once.

#include "core/device/Report.h"
#include "core/macro/MacroFile.h"
#include "core/storage/IniStore.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

class MacroPage : public QWidget
{
    Q_OBJECT
public:
    explicit MacroPage(QWidget *parent = nullptr);

    // False while a recording runs; the shell gates its buttons on it.
    bool isIdle() const { return m_recordEnabled; }

    // With a manual clock the 50 ms delay timer is never started and only
    // advanceDelayClock() advances the measured delay.
    void useManualClock(bool manual) { m_manualClock = manual; }
    bool isRecording() const { return m_recording; }
    bool isInsertMode() const { return m_insertMode; }
    int delayMode() const { return m_delayMode; }
    int defaultDelay() const { return m_defaultDelay; }
    const orvanta::Report &commandImage() const { return m_committedImage; }
    QString selectedMacro() const;
    QVector<orvanta::macro::MacroRow> rows() const;

    // Saves the selected macro; false (and saveFailed raised) when its file
    // kept the old content.
    bool saveMacroFile();
    void makeMapToProfile(IniGroupMap &map) const;
    int captureKeyCode(int input);
    void writeEventToImage(int offset, int delayMs, int keyCode, bool release);

signals:
    // A file kept its old content because saving it failed; the failure is logged too.
    void saveFailed(QString path, QString reason);

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
    bool reportSaves(const orvanta::SaveResult &result);
    enum class Look { Normal, Inactive, Red };

    void buildWidgets();
    void setLook(QPushButton *button, Look look);
    void markDelayMode(int mode);
    void refreshList(const QString &select = QString());
    void setCollectionEnabled(bool enabled);
    void resetRowLooks();
    void insertRow(int index, const QString &key, const QString &state, const QString &delay);
    void capturePress(const QString &text, int input);
    void captureRelease(const QString &text, int input);
    void closeOpenRow(bool release);
    void restartClock();
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
    QTimer *m_delayTimer = nullptr;

    // Recorder and editing state
    bool m_recording = false;
    bool m_insertMode = false;
    bool m_hasPrevious = false;
    bool m_insertAfter = true;
    bool m_recordEnabled = true;
    bool m_anyEvent = false;
    bool m_stopArmed = false;
    bool m_insertEnabled = false;
    bool m_deleteEnabled = false;
    bool m_editEnabled = false;
    bool m_editorOpen = false;
    bool m_manualClock = false;
    QString m_label;
    int m_elapsed = 0;
    int m_defaultDelay = 10;
    int m_eventIndex = 0;
    int m_insertionPoint = 0;
    int m_delayMode = 0;
    int m_oldCount = 0;
    int m_capturedRows = 0; // rows added by the running recording
    int m_editedRow = -1;
    int m_editedColumn = 2;
    quint8 m_lastKeyCode = 0;
    orvanta::Report m_committedImage{};
    orvanta::Report m_recordingImage{};
};
