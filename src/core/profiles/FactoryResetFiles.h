#pragma once
// The files of a factory reset, saved away from the window's thread.
//
// Each on-board profile's factory lighting, empty macro commands, key map and
// macro keys are stored with the saved profile linked to it, then the
// instant-shift flags are cleared: every file all or nothing and on the disk
// before the next one starts (see saveFile), in that order. A worker thread
// does the saving, so the window's thread never waits for the disk; finished()
// and the work handed to whenSaved() follow on the thread that started it.

#include "core/assign/AssignmentTable.h"
#include "core/lighting/LightingBuilders.h"
#include "core/storage/AtomicFile.h"

#include <QObject>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>

class CommandSender;
class QThread;

namespace orvanta
{

class FactoryResetFiles : public QObject
{
    Q_OBJECT
public:
    struct Contents {
        QStringList profiles; // the saved profile linked to on-board profile 1..5
        int staticMode = 0;   // profile 1's Static lighting keeps this sub-mode
        int staticModeSpeed = 0;
        QVector<LightCommandSet> lighting; // as sent to profile 1..5 (see sendLighting)
        std::array<quint8, 256> keyMap{};  // stored with every profile
        AssignmentTable assignments;       // every key back to its default function
    };

    explicit FactoryResetFiles(QObject *parent = nullptr);
    ~FactoryResetFiles() override; // waits for a save under way

    // Starts saving `contents` on a worker thread. Refused (false, nothing
    // saved) while an earlier save is under way.
    bool start(const Contents &contents);
    bool isSaving() const { return m_worker != nullptr; }
    // Runs `then` once the save under way is over, after finished() and after
    // the work handed over before; at once when no save is under way.
    void whenSaved(std::function<void()> then);

    // The saves themselves, on the calling thread: every failure, in order.
    static SaveResult save(const Contents &contents);
    // Queues each on-board profile's factory lighting, profile 1 to 5, and
    // keeps each set as sent (stamped) in `contents.lighting`.
    static void sendLighting(CommandSender &sender, Contents &contents);

signals:
    void finished(const orvanta::SaveResult &saved);

private:
    void saved(const SaveResult &result);

    QThread *m_worker = nullptr;
    QVector<std::function<void()>> m_afterSave;
};

} // namespace orvanta
