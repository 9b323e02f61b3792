#include "MacroCodec.h"

namespace orvanta::macro
{

namespace
{

constexpr int kImageSize = int(kReportSize);

void put(Report &image, int at, quint8 value)
{
    if (at >= 0 && at < kImageSize)
        image[std::size_t(at)] = value;
}

quint8 get(const Report &image, int at)
{
    return at >= 0 && at < kImageSize ? image[std::size_t(at)] : 0;
}

int stateAt(int event)
{
    return kEventBase + kGroupSize * event;
}
int codeAt(int event)
{
    return stateAt(event) + 2;
}
int delayAt(int event)
{
    return stateAt(event) + 4;
}

} // namespace

CharKey charKeyCode(int input)
{
    if (input >= Qt::Key_A && input <= Qt::Key_Z)
        return {quint8(input - 61), nullptr};
    if (input >= Qt::Key_1 && input <= Qt::Key_9)
        return {quint8(input - 19), nullptr};
    if (input == Qt::Key_0)
        return {39, nullptr};
    for (const CharKeyRow &row : CHAR_KEY_TABLE) {
        if (row.input == input)
            return {row.code, row.label};
    }
    return {};
}

quint8 delayByte(int ms)
{
    if (ms <= 0)
        return 0;
    if (ms >= kMaxDelayMs)
        return quint8(kMaxDelayMs / kDelayStepMs);
    // The keyboard counts in 50 ms steps; anything under a full step is dropped.
    return quint8((ms / 10 * 2) / 10);
}

int roundToTen(int ms)
{
    return (ms / 10 + (ms % 10 >= 5 ? 1 : 0)) * 10;
}

int editedDelay(int ms)
{
    return roundToTen(qBound(0, ms, kMaxDelayMs));
}

void writeEvent(Report &image, int offset, int delayMs, quint8 keyCode, bool release)
{
    const int base = kEventBase + offset;
    put(image, base, release ? kStateRelease : kStatePress);
    put(image, base + 2, keyCode);
    put(image, base + 4, delayByte(delayMs));
}

Report mergeInsert(const Report &committed, const Report &recording, int p, int n)
{
    if (p < 0 || n < p || p >= kMaxEvents)
        return committed;
    n = qMin(n, kMaxEvents - 1);
    Report out{};
    out.fill(0);
    // Everything up to the delay after the last new event comes from the
    // recording: the events before p as they were, then the new ones.
    for (int b = 0; b <= delayAt(n) && b < kImageSize; ++b)
        out[std::size_t(b)] = recording[std::size_t(b)];
    const int shift = n - p + 1;
    for (int q = p; q + shift < kMaxEvents; ++q) {
        const int e = q + shift;
        put(out, stateAt(e), get(committed, stateAt(q)));
        put(out, codeAt(e), get(committed, codeAt(q)));
        put(out, delayAt(e), get(committed, delayAt(q)));
    }
    return out;
}

void removeEvent(Report &image, int row)
{
    if (row < 0 || row >= kMaxEvents)
        return;
    // The middle byte of the removed event's group is the delay of the event
    // before it; it stays, so that event keeps its own delay.
    for (int e = row; e < kMaxEvents; ++e) {
        const bool last = e + 1 >= kMaxEvents;
        const quint8 state = last ? 0 : get(image, stateAt(e + 1));
        const quint8 code = last ? 0 : get(image, codeAt(e + 1));
        const quint8 delay = last ? 0 : get(image, delayAt(e + 1));
        put(image, stateAt(e), state);
        put(image, codeAt(e), code);
        put(image, delayAt(e), delay);
    }
}

void setEventDelay(Report &image, int row, int delayMs)
{
    if (row < 0 || row >= kMaxEvents)
        return;
    put(image, delayAt(row), delayByte(delayMs));
}

} // namespace orvanta::macro
