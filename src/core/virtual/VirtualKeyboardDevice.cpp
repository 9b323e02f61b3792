#include "VirtualKeyboardDevice.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

namespace orvanta
{

namespace
{
constexpr int kRecentLines = 40;
}

VirtualKeyboardDevice::VirtualKeyboardDevice(const QString &statePath, QObject *parent)
    : QObject(parent), m_state(factoryState()), m_path(statePath)
{
    if (m_path.isEmpty() || !QFileInfo::exists(m_path))
        return;
    const StateLoadResult load = loadState(m_path, m_state);
    if (!load.loaded) {
        // Keep the unreadable file for a look later instead of saving over it.
        const QString aside = m_path + QStringLiteral(".broken");
        QFile::remove(aside);
        QFile::rename(m_path, aside);
        m_loadError = load.error +
                      QStringLiteral(" (kept as %1; starting from the factory memory)").arg(aside);
    }
}

bool VirtualKeyboardDevice::sendFeatureReport(const quint8 *data, std::size_t length)
{
    DecodedReport decoded;
    QString saveError;
    bool newFailure = false;
    {
        QMutexLocker lock(&m_mutex);
        decoded = applyReport(m_state, data, length);
        m_recent.append(describe(decoded));
        while (m_recent.size() > kRecentLines)
            m_recent.removeFirst();
        // The pulse is a passing light, not memory: it is not saved.
        if (!m_path.isEmpty() && decoded.kind != ReportKind::AppLight) {
            const SaveResult saved = saveState(m_state, m_path);
            if (!saved.ok())
                saveError = saved.failures().first().reason;
            // A disk that stays full fails every report: told once, until a
            // save works again or fails for another reason.
            newFailure = !saveError.isEmpty() && saveError != m_saveError;
            m_saveError = saveError;
        }
    }
    if (newFailure) {
        qWarning().noquote() << "virtual keyboard: not saved:" << m_path << "-" << saveError;
        emit saveFailed(m_path, saveError);
    }
    if (decoded.kind == ReportKind::AppLight)
        emit appLightPulsed(decoded.appLight);
    emit stateChanged();
    // The keyboard takes every report; one it cannot read is kept and shown.
    return true;
}

VirtualKeyboardState VirtualKeyboardDevice::state() const
{
    QMutexLocker lock(&m_mutex);
    return m_state;
}

QStringList VirtualKeyboardDevice::recentReports() const
{
    QMutexLocker lock(&m_mutex);
    return m_recent;
}

QString VirtualKeyboardDevice::lastError() const
{
    QMutexLocker lock(&m_mutex);
    return m_saveError.isEmpty() ? m_loadError : m_saveError;
}

} // namespace orvanta
