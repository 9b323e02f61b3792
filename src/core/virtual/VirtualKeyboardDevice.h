#pragma once
// The virtual keyboard: takes the console's feature reports like the USB
// keyboard does, keeps what the keyboard would keep, and saves it after every
// change so it survives restarts. Reports may arrive on any thread; watchers
// are told through signals, which reach a window on its own thread queued.

#include "ReportDecoder.h"
#include "VirtualKeyboardState.h"
#include "core/device/HidDevice.h"

#include <QMutex>
#include <QObject>
#include <QStringList>

namespace orvanta
{

class VirtualKeyboardDevice : public QObject, public HidDevice
{
    Q_OBJECT
public:
    // The state file inside the data directory.
    static QString defaultStateFile() { return QStringLiteral("virtual_keyboard.json"); }

    // Starts from the saved state at `statePath` (factory memory when there is
    // none); an empty path keeps everything in memory.
    explicit VirtualKeyboardDevice(const QString &statePath = QString(), QObject *parent = nullptr);

    bool sendFeatureReport(const quint8 *data, std::size_t length) override;
    QString path() const override { return QStringLiteral("virtual"); }

    VirtualKeyboardState state() const;
    // The latest decoded reports as short lines, newest last (bounded).
    QStringList recentReports() const;
    // Why the last load or save failed; empty when everything worked.
    QString lastError() const;
    QString statePath() const { return m_path; }

signals:
    void stateChanged();
    void appLightPulsed(quint8 value);
    // Saving the state to `path` failed (logged; told again only after a
    // save worked or failed for another reason).
    void saveFailed(const QString &path, const QString &reason);

private:
    mutable QMutex m_mutex;
    VirtualKeyboardState m_state;
    QStringList m_recent;
    QString m_path;
    QString m_loadError;
    QString m_saveError;
};

} // namespace orvanta
