#pragma once
// The recorder behind the MACROS page: the selected macro's rows and command
// image, the recording itself (events, delays, insertion into the macro) and
// which row operations are open. The page mirrors the rows in its list through
// the signals and draws its buttons from the state.

#include "MacroCodec.h"
#include "MacroFile.h"
#include "PhysicalKeys.h"

#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVector>

namespace orvanta::macro
{

class MacroRecorder : public QObject
{
    Q_OBJECT
public:
    // How the delay after each event is found.
    enum DelayMode { AutoDelay = 0, DefaultDelay = 1, NoDelay = 2 };

    explicit MacroRecorder(QObject *parent = nullptr);

    // Shows another macro: its rows and image; recording and row modes end.
    void load(const MacroRecord &record);
    const QVector<MacroRow> &rows() const { return m_rows; }
    const Report &commandImage() const { return m_committedImage; }
    // What the macro's file holds.
    MacroTexts fileTexts() const { return macroTexts(m_rows, m_committedImage); }

    // False from RECORD until STOP; the shell gates its buttons on it.
    bool isIdle() const { return m_recordEnabled; }
    bool isRecording() const { return m_recording; }
    bool canStop() const { return m_stopArmed; }
    bool isInsertMode() const { return m_insertMode; }
    bool canInsert() const { return m_insertEnabled; }
    bool canDeleteRow() const { return m_deleteEnabled; }
    bool canEditRow() const { return m_editEnabled; }
    bool insertsAfter() const { return m_insertAfter; }

    int delayMode() const { return m_delayMode; }
    void setDelayMode(int mode) { m_delayMode = mode; }
    int defaultDelay() const { return m_defaultDelay; }
    // Takes a typed default delay (kept to 0..12000, rounded to tens); returns it.
    int setDefaultDelay(int typed);

    // With a manual clock the 50 ms delay timer is never started and only
    // advanceClock() advances the measured delay.
    void useManualClock(bool manual) { m_manualClock = manual; }
    void advanceClock();

    // RECORD. In insert mode the events go before or after `currentRow`;
    // otherwise they replace the macro. False when a recording runs.
    bool start(int currentRow);
    // STOP: ends the recording and takes its events into the command image.
    // False when no recording was armed.
    bool stop();
    // A pressed or released key or mouse button: its row label and input code.
    void press(const QString &label, int input);
    void release(const QString &label, int input);
    // A key of the computer's keyboard: the physical key is recorded, and its
    // up row has the name its down row has.
    void pressKey(const KeyStroke &stroke);
    void releaseKey(const KeyStroke &stroke);

    // Row editing. Each returns false when refused.
    bool selectRow();
    bool toggleInsertMode();
    bool setInsertAfter(bool after);
    // Deletes the row with its partner (the other half of the same key stroke).
    bool deleteRow(int row);
    // A typed delay for the row (capped like a recorded one); returns the kept value.
    int setDelay(int row, int typed);
    // The delay editor closed: the row operations wait for the next row click.
    void endRowEditing();

signals:
    void rowsReset();
    void rowInserted(int index, const orvanta::macro::MacroRow &row);
    void rowRemoved(int index);
    void delayChanged(int index, const QString &delay);

private:
    void pressCoded(const QString &label, quint8 code);
    void releaseCoded(const QString &label, quint8 code);
    void writeEventToImage(int offset, int delayMs, int keyCode, bool release);
    void closeOpenRow(bool release);
    void insertRow(int index, const QString &state);
    void showDelay(int index, const QString &delay);
    void restartClock();

    QVector<MacroRow> m_rows;
    QTimer m_delayTimer;
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
    bool m_manualClock = false;
    QString m_label;
    int m_elapsed = 0;
    int m_defaultDelay = 10;
    int m_eventIndex = 0;
    int m_insertionPoint = 0;
    int m_delayMode = AutoDelay;
    int m_capturedRows = 0; // rows added by the running recording
    quint8 m_lastKeyCode = 0;
    QHash<quint64, QString> m_pressedLabels; // by scan code and Qt key
    Report m_committedImage{};
    Report m_recordingImage{};
};

} // namespace orvanta::macro
