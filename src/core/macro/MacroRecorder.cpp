#include "MacroRecorder.h"

#include <QDebug>

namespace orvanta::macro
{

MacroRecorder::MacroRecorder(QObject *parent) : QObject(parent)
{
    m_committedImage.fill(0);
    m_recordingImage.fill(0);
    m_delayTimer.setInterval(kDelayStepMs);
    connect(&m_delayTimer, &QTimer::timeout, this, &MacroRecorder::advanceClock);
}

void MacroRecorder::load(const MacroRecord &record)
{
    m_rows = record.rows;
    m_committedImage = record.image;
    emit rowsReset();
    m_recordEnabled = true;
    m_insertAfter = true;
    m_recording = false;
    m_insertMode = false;
    m_hasPrevious = false;
    m_stopArmed = false;
    m_insertEnabled = false;
    m_deleteEnabled = false;
    m_editEnabled = false;
}

int MacroRecorder::setDefaultDelay(int typed)
{
    m_defaultDelay = roundToTen(qBound(0, typed, kMaxDelayMs));
    return m_defaultDelay;
}

void MacroRecorder::advanceClock()
{
    // Capped here as well, so a clock left running for hours cannot overflow.
    m_elapsed = qMin(m_elapsed + kDelayStepMs, kMaxDelayMs);
}

void MacroRecorder::restartClock()
{
    if (m_delayMode == AutoDelay && !m_manualClock)
        m_delayTimer.start(kDelayStepMs);
}

void MacroRecorder::writeEventToImage(int offset, int delayMs, int keyCode, bool release)
{
    writeEvent(m_recordingImage, offset, delayMs, quint8(keyCode), release);
    qDebug("compute_cmd %d", keyCode);
}

void MacroRecorder::showDelay(int index, const QString &delay)
{
    if (index < 0 || index >= m_rows.size())
        return;
    m_rows[index].delay = delay;
    emit delayChanged(index, delay);
}

void MacroRecorder::insertRow(int index, const QString &state)
{
    const MacroRow row{m_label, state, QString()};
    m_rows.insert(index, row);
    emit rowInserted(index, row);
}

// --- recording -----------------------------------------------------------------

bool MacroRecorder::start(int currentRow)
{
    if (!m_recordEnabled)
        return false;
    m_recordEnabled = false;
    m_stopArmed = true;
    m_deleteEnabled = false;
    m_editEnabled = false;
    if (m_insertMode) {
        const int p = m_insertAfter ? currentRow + 1 : currentRow;
        m_insertionPoint = qBound(0, p, int(m_rows.size()));
        m_eventIndex = m_insertionPoint;
        // The new events are written over a copy of the macro, so the event
        // before the insertion point keeps its delay byte.
        m_recordingImage = m_committedImage;
    } else {
        m_insertEnabled = false;
        m_eventIndex = 0;
        m_rows.clear();
        emit rowsReset();
        m_committedImage.fill(0);
        m_recordingImage.fill(0);
    }
    m_label.clear();
    m_anyEvent = false;
    m_elapsed = 0;
    m_hasPrevious = false;
    m_capturedRows = 0;
    m_pressedLabels.clear();
    m_recording = true;
    return true;
}

bool MacroRecorder::stop()
{
    if (!m_stopArmed)
        return false;
    qDebug("macro_r_stop_function()");
    m_stopArmed = false;
    m_recordEnabled = true;
    // After an insertion the rows around it may be edited at once.
    m_editEnabled = m_insertMode;
    m_deleteEnabled = m_insertMode;
    m_delayTimer.stop();
    m_recording = false;

    if (m_anyEvent && m_capturedRows > 0) {
        // The last event has no following one to wait for.
        showDelay(m_eventIndex, QStringLiteral("0"));
        writeEventToImage(kGroupSize * m_eventIndex, 0, m_lastKeyCode, false);
        if (m_insertMode) {
            qDebug("inster_cmd_count %d key_count %d old_cmd_count %d add_macro_cmd_count %d",
                   m_insertionPoint, m_eventIndex, m_eventIndex,
                   m_insertAfter ? m_insertionPoint + 1 : m_insertionPoint);
            m_committedImage =
                mergeInsert(m_committedImage, m_recordingImage, m_insertionPoint, m_eventIndex);
        } else {
            m_committedImage = m_recordingImage;
        }
    }
    return true;
}

void MacroRecorder::closeOpenRow(bool release)
{
    int delay = 0;
    switch (m_delayMode) {
    case AutoDelay:
        m_delayTimer.stop();
        delay = qBound(0, m_elapsed, kMaxDelayMs);
        m_elapsed = 0;
        break;
    case DefaultDelay:
        delay = m_defaultDelay;
        break;
    default:
        delay = 0;
        break;
    }
    showDelay(m_eventIndex, QString::number(delay));
    writeEventToImage(kGroupSize * m_eventIndex, delay, m_lastKeyCode, release);
}

void MacroRecorder::press(const QString &label, int input)
{
    const CharKey key = charKeyCode(input);
    qDebug("char_key %d", input);
    pressCoded(key.label ? QString::fromLatin1(key.label) : label, key.code);
}

void MacroRecorder::release(const QString &label, int input)
{
    const CharKey key = charKeyCode(input);
    qDebug("char_key %d", input);
    releaseCoded(key.label ? QString::fromLatin1(key.label) : label, key.code);
}

static quint64 strokeId(const KeyStroke &stroke)
{
    return (quint64(stroke.scanCode) << 32) | quint32(stroke.scanCode ? 0 : stroke.key);
}

void MacroRecorder::pressKey(const KeyStroke &stroke)
{
    const RecordedKey key = recordedKey(stroke);
    qDebug("char_key %d", stroke.key);
    if (m_recording)
        m_pressedLabels.insert(strokeId(stroke), key.label);
    pressCoded(key.label, key.code);
}

void MacroRecorder::releaseKey(const KeyStroke &stroke)
{
    const RecordedKey key = recordedKey(stroke);
    qDebug("char_key %d", stroke.key);
    // Shift may be let go first: the up row names the key as its down row did.
    const QString label = m_pressedLabels.take(strokeId(stroke));
    releaseCoded(label.isEmpty() ? key.label : label, key.code);
}

void MacroRecorder::pressCoded(const QString &label, quint8 code)
{
    // The image holds 84 events; once it is full further events are not taken,
    // so no row ever exists without its bytes.
    if (!m_recording || m_rows.size() >= kMaxEvents)
        return;
    m_anyEvent = true;
    if (m_hasPrevious) {
        closeOpenRow(false);
        ++m_eventIndex;
    }
    m_hasPrevious = true;
    m_label = label;
    m_lastKeyCode = code;
    qDebug("char_key %d", int(code));
    insertRow(m_eventIndex, QStringLiteral("down"));
    ++m_capturedRows;
    restartClock();
}

void MacroRecorder::releaseCoded(const QString &label, quint8 code)
{
    // A key held down when RECORD was pressed has no row of this recording to
    // close; its release is not taken.
    if (!m_recording || m_capturedRows == 0 || m_rows.size() >= kMaxEvents)
        return;
    closeOpenRow(true);
    m_label = label;
    m_lastKeyCode = code;
    qDebug("char_key %d", int(code));
    ++m_eventIndex;
    insertRow(m_eventIndex, QStringLiteral("up"));
    ++m_capturedRows;
    restartClock();
}

// --- row editing -----------------------------------------------------------------

bool MacroRecorder::selectRow()
{
    if (m_stopArmed)
        return false;
    m_recordEnabled = true;
    m_insertEnabled = true;
    m_deleteEnabled = true;
    m_editEnabled = true;
    return true;
}

bool MacroRecorder::toggleInsertMode()
{
    if (!m_insertEnabled || m_recording)
        return false;
    m_recordEnabled = true;
    m_insertMode = !m_insertMode;
    m_deleteEnabled = m_insertMode;
    m_editEnabled = m_insertMode;
    m_insertEnabled = m_insertMode;
    return true;
}

bool MacroRecorder::setInsertAfter(bool after)
{
    if (m_recording)
        return false;
    m_insertAfter = after;
    return true;
}

bool MacroRecorder::deleteRow(int row)
{
    if (!m_deleteEnabled || m_recording || row < 0 || row >= m_rows.size())
        return false;
    const int partner = partnerRow(m_rows, row);
    // Remove the later row first so the earlier index still names its row.
    for (int r : {qMax(row, partner), qMin(row, partner)}) {
        if (r < 0)
            continue;
        m_rows.remove(r);
        removeEvent(m_committedImage, r);
        emit rowRemoved(r);
    }
    if (m_rows.isEmpty()) {
        m_insertEnabled = false;
        m_deleteEnabled = false;
        m_editEnabled = false;
    }
    return true;
}

int MacroRecorder::setDelay(int row, int typed)
{
    const int v = editedDelay(typed);
    showDelay(row, QString::number(v));
    setEventDelay(m_committedImage, row, v);
    return v;
}

void MacroRecorder::endRowEditing()
{
    m_deleteEnabled = false;
    m_editEnabled = false;
    m_insertEnabled = false;
    m_insertMode = false;
}

} // namespace orvanta::macro
