#include "FactoryResetFiles.h"

#include "core/assign/InstantShift.h"
#include "core/device/CommandSender.h"
#include "core/lighting/LightingBuilders.h"
#include "core/storage/MacroReportsFile.h"

#include <QDebug>
#include <QThread>

namespace orvanta
{

FactoryResetFiles::FactoryResetFiles(QObject *parent) : QObject(parent) {}

FactoryResetFiles::~FactoryResetFiles()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

SaveResult FactoryResetFiles::save(const Contents &contents)
{
    SaveResult result;
    for (int n = 1; n <= 5; ++n)
        result +=
            storeLightCommandSet(contents.lighting.value(n - 1), contents.profiles.value(n - 1));
    for (int n = 1; n <= 5; ++n) {
        const QString profile = contents.profiles.value(n - 1);
        result += MacroReportsFile::create(profile);
        result += KeyMapFile::write(profile, contents.assignments.signalFileTexts(contents.keyMap));
        result += AssignmentFile::write(profile, contents.assignments.macroFileTexts());
    }
    result += writeShiftTargets(ShiftTargets{});
    return result;
}

void FactoryResetFiles::sendLighting(CommandSender &sender, Contents &contents)
{
    contents.lighting.clear();
    for (int n = 1; n <= 5; ++n) {
        qDebug("reset %d", n);
        LightCommandSet set =
            factoryLightCommandSet(n, contents.staticMode, contents.staticModeSpeed);
        stampLightCommandSet(set, quint8(n));
        sender.send(lightingOperation(set, quint8(n)));
        contents.lighting.append(set);
    }
}

bool FactoryResetFiles::start(const Contents &contents)
{
    if (m_worker)
        return false;
    // Every save the user makes from now on waits for these, so none of them
    // is overwritten by the reset or interleaves with it.
    beginBackgroundSaves();
    m_worker = QThread::create([this, contents] {
        SaveResult result;
        {
            const BackgroundSaveScope scope;
            result = save(contents);
        }
        QMetaObject::invokeMethod(
            this, [this, result] { saved(result); }, Qt::QueuedConnection);
    });
    m_worker->start();
    return true;
}

void FactoryResetFiles::saved(const SaveResult &result)
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    emit finished(result);
    // Work handed over meanwhile may start another save: run what was waiting
    // for this one only.
    const QVector<std::function<void()>> waiting = std::move(m_afterSave);
    m_afterSave.clear();
    for (const auto &then : waiting)
        then();
}

void FactoryResetFiles::whenSaved(std::function<void()> then)
{
    if (m_worker)
        m_afterSave.append(std::move(then));
    else
        then();
}

} // namespace orvanta
