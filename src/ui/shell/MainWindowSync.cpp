// Keeping the keyboard in step: what could not reach a keyboard is sent when
// one appears, with its progress and outcome in the status band.

#include "MainWindow.h"

#include "core/app/Notices.h"
#include "core/controller/ConsoleController.h"
#include "core/device/SlotSync.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaEnum>

using namespace orvanta;

void MainWindow::setUpKeyboardSync()
{
    m_context.slotSync = new SlotSync(
        m_context.link, [this](int slot) { return m_context.controller->bindings().linked(slot); },
        this);
    connect(m_context.slotSync, &SlotSync::saveFailed, this, &MainWindow::saveFailed);
    // The log tells each keyboard's coming and going and each operation's outcome.
    connect(m_context.link, &KeyboardLink::stateChanged, this, [](KeyboardLink::State state) {
        qInfo().noquote() << "keyboard:" << KeyboardLink::stateKey(state);
    });
    connect(m_context.link, &KeyboardLink::operationFinished, this,
            [](quint64 id, KeyboardLink::Outcome outcome, int profile, bool quiet) {
                if (!quiet)
                    qInfo().noquote()
                        << QStringLiteral("operation %1 for profile %2: %3")
                               .arg(id)
                               .arg(profile)
                               .arg(QString::fromLatin1(
                                   QMetaEnum::fromType<KeyboardLink::Outcome>().valueToKey(
                                       int(outcome))));
            });
    connect(m_context.slotSync, &SlotSync::progress, this, [this](int done, int total) {
        showNotice(QCoreApplication::translate("LumoProject", "Updating the keyboard: %1 of %2")
                       .arg(qMin(done + 1, total))
                       .arg(total),
                   NoticeKind::Info);
    });
    connect(m_context.slotSync, &SlotSync::updateFinished, this, [this](int, int left) {
        if (left == 0)
            showNotice(QCoreApplication::translate("LumoProject", "The keyboard is up to date"),
                       NoticeKind::Success);
        else
            showNotice(QCoreApplication::translate(
                           "LumoProject",
                           "The keyboard went away during its update: %1 profiles follow when "
                           "it is back")
                           .arg(left),
                       NoticeKind::Warning);
    });
}

void MainWindow::bringKeyboardUpToDate(bool selectAnyway)
{
    m_context.slotSync->bringUpToDate(m_context.controller->bindings().active, selectAnyway);
}

void MainWindow::setUpNotices()
{
    connect(m_context.notices, &Notices::posted, this,
            [this](const QString &text, Notices::Kind kind) {
                // The status band is made after the pages; nothing is posted before it exists.
                if (statusBand)
                    showNotice(text, NoticeKind(int(kind)));
            });
}
