#pragma once
// Keeps the keyboard in step with what the console saved.
//
// Per on-board profile (slot 1..5) and per keyboard (the USB one and the
// virtual one) it remembers whether that keyboard received everything saved
// for the slot: its lighting, its key map (with the instant-shift keys) and its
// macros. A lighting, key-map or macro operation that reached no keyboard
// leaves the slot out of date on both; one that reached only one keyboard
// leaves it out of date on the other. When a keyboard appears, bringUpToDate()
// sends each of its out-of-date slots, rebuilt from the saved profile linked to
// it, one whole operation per slot, then selects the active slot. A slot the
// console never changed is never sent. The marks survive a restart in
// "system/keyboard_sync.ini".

#include "CommandSender.h"
#include "KeyboardLink.h"
#include "core/storage/AtomicFile.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>

namespace orvanta
{

class SlotSync : public QObject
{
    Q_OBJECT
public:
    enum class Keyboard { Usb = 0, Virtual = 1 };
    // The saved profile linked to a slot (1..5).
    using LinkedProfile = std::function<QString(int slot)>;

    static QString stateFile(); // "system/keyboard_sync.ini", relative to the data directory
    // How long marks wait before they are saved together (a factory reset's
    // own saves go first, and the window's thread never waits for them).
    static constexpr int kSaveDelayMs = 1000;

    // Reads the marks kept by an earlier run; watches every outcome of `link`.
    SlotSync(KeyboardLink *link, LinkedProfile linkedProfile, QObject *parent = nullptr);
    ~SlotSync() override;

    bool isOutOfDate(Keyboard keyboard, int slot) const;
    QList<int> outOfDate(Keyboard keyboard) const; // ascending
    // A slot's saved state changed without an operation (files put back by an
    // undo): no keyboard has it.
    void markChanged(int slot);

    // Sends every slot the connected keyboard misses, in ascending order, then
    // selects `activeSlot`. With nothing to send, the selection goes only when
    // `selectAnyway`. Nothing happens without a keyboard. Returns how many
    // slots were queued.
    int bringUpToDate(int activeSlot, bool selectAnyway = true);
    bool isUpdating() const { return !m_updates.isEmpty(); }
    // Saves the marks now rather than a moment later (also done on destruction).
    void writeMarks();

    // One operation that brings `slot` up to date from the files of
    // `profile`: the stored lighting (when complete), then the key map with
    // the macro reports, each macro addressed to `slot`.
    static DeviceOperation slotStateOperation(int slot, const QString &profile);

signals:
    // During an update: `done` of `total` slots are through (sent or not).
    void progress(int done, int total);
    // The update is over: `sent` slots reached the keyboard, `left` did not
    // (they stay out of date and go with the next update).
    void updateFinished(int sent, int left);
    void saveFailed(QString path, QString reason);

private:
    void operationReached(quint64 id, KeyboardLink::Outcome outcome, KeyboardLink::State keyboard,
                          int written);
    void setMarks(Keyboard keyboard, int marks);
    void load();
    void save(); // soon: many marks change together, and saves may wait for others

    KeyboardLink *m_link;
    LinkedProfile m_linkedProfile;
    CommandSender m_sender;        // queues the updates on the link
    std::array<int, 2> m_marks{};  // per keyboard: bit n-1 set while slot n is out of date
    QHash<quint64, int> m_updates; // update operations on their way, with their slot
    int m_total = 0, m_done = 0, m_sent = 0;
    QTimer *m_saveTimer;
};

} // namespace orvanta
