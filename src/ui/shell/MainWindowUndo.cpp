// Undo of the one-click actions that destroy work: the factory reset and the
// deletion of a saved profile or a macro. Their files are kept before they
// run; the UNDO button (for a while) and the tray (until the next such action)
// put them back, with the links, and bring the keyboard up to date.

#include "MainWindow.h"

#include "ConsoleTray.h"
#include "core/app/Notices.h"
#include "core/controller/ConsoleController.h"
#include "core/device/SlotSync.h"
#include "core/profiles/FactoryResetFiles.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/UndoStore.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/macro/MacroPage.h"
#include "ui/profiles/ProfileMenu.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

using namespace orvanta;

namespace
{
constexpr int kUndoOfferMs = 30000; // how long the UNDO button is offered
}

void MainWindow::setUpUndo()
{
    undoButton = new QPushButton(centralWidget());
    undoButton->setObjectName(QStringLiteral("undo_button"));
    undoButton->setGeometry(700, 76, 80, 20);
    undoButton->setCursor(Qt::PointingHandCursor);
    undoButton->setFocusPolicy(Qt::TabFocus);
    undoButton->setStyleSheet(styles.actionButton);
    undoButton->setText(QCoreApplication::translate("LumoProject", "UNDO"));
    undoButton->hide();
    connect(undoButton, &QPushButton::released, this, &MainWindow::undoLastAction);
    m_undoOffer = new QTimer(this);
    m_undoOffer->setSingleShot(true);
    connect(m_undoOffer, &QTimer::timeout, undoButton, &QWidget::hide);
    m_context.keepForUndo = [this](const QString &kind, const QString &name,
                                   const QStringList &paths) {
        return keepForUndo(kind, name, paths);
    };
}

QString MainWindow::undoLabel() const
{
    const UndoStore::Action kept = UndoStore::kept();
    if (kept.kind == QLatin1String("factory reset"))
        return QCoreApplication::translate("LumoProject", "Undo factory reset");
    if (!kept.kind.isEmpty())
        return QCoreApplication::translate("LumoProject", "Undo delete %1").arg(kept.name);
    return QString();
}

bool MainWindow::keepForUndo(const QString &kind, const QString &name, const QStringList &paths)
{
    const SaveResult kept = UndoStore::keep(kind, name, paths);
    if (!kept.ok()) {
        const SaveFailure &f = kept.failures().first();
        m_context.notices->fileFailed(
            QCoreApplication::translate("LumoProject",
                                        "Nothing was changed: the files could not be kept for "
                                        "Undo (%1)")
                .arg(f.reason),
            f.path, f.reason);
        return false;
    }
    const QString text =
        kind == QLatin1String("factory reset")
            ? QCoreApplication::translate("LumoProject",
                                          "Factory settings restored. UNDO brings yours back")
            : QCoreApplication::translate("LumoProject", "%1 deleted. UNDO brings it back")
                  .arg(name);
    showNotice(text, NoticeKind::Info);
    undoButton->show();
    undoButton->raise();
    m_undoOffer->start(kUndoOfferMs);
    if (m_tray)
        m_tray->setUndoAction(undoLabel());
    return true;
}

bool MainWindow::keepFactoryResetForUndo()
{
    // Every folder of a linked saved profile and the console's own settings,
    // but neither the undo folder nor the record of the keyboard's state.
    QStringList paths;
    for (int slot = 1; slot <= 5; ++slot) {
        const QString folder =
            QStringLiteral("lightfile/") + m_context.controller->bindings().linked(slot);
        if (!paths.contains(folder))
            paths << folder;
    }
    for (const QString &entry : listEntries(QStringLiteral("system")))
        if (entry != QLatin1String("undo") &&
            QStringLiteral("system/") + entry != SlotSync::stateFile())
            paths << QStringLiteral("system/") + entry;
    return keepForUndo(QStringLiteral("factory reset"), QString(), paths);
}

void MainWindow::undoLastAction()
{
    if (m_context.controller->factoryResetSaving()) {
        // The reset's files are still being written: the undo follows them.
        auto *once = new QObject(this);
        connect(m_context.controller, &ConsoleController::factoryResetSaved, once, [this, once] {
            delete once;
            undoLastAction();
        });
        return;
    }
    const UndoStore::Action action = UndoStore::kept();
    if (action.kind.isEmpty()) {
        m_context.notices->refuse(QCoreApplication::translate("LumoProject", "Nothing to undo"));
        return;
    }
    const QStringList before = m_context.controller->bindings().names;
    const SaveResult restored = UndoStore::restore();
    if (!restored.ok()) {
        const SaveFailure &f = restored.failures().first();
        m_context.notices->fileFailed(
            QCoreApplication::translate("LumoProject", "Undo failed: %1 (%2)")
                .arg(f.path, f.reason),
            f.path, f.reason);
        return;
    }
    undoButton->hide();
    m_undoOffer->stop();
    if (m_tray)
        m_tray->setUndoAction(QString());

    // The links, the pages and the key map as the files now say.
    m_context.controller->bindings().read();
    m_context.customize->loadInstantShiftTargets();
    m_context.profileMenu->refillProfileList();
    if (action.kind == QLatin1String("macro"))
        m_context.macros->showMacro(action.name);
    showActiveProfile(m_context.controller->bindings().active);

    // Every slot whose saved state came back goes to the keyboard again.
    for (int slot = 1; slot <= 5; ++slot) {
        const bool restoredSlot =
            action.kind == QLatin1String("factory reset") ||
            (action.kind == QLatin1String("profile") &&
             (m_context.controller->bindings().linked(slot) == action.name ||
              before.value(slot - 1) != m_context.controller->bindings().names.value(slot - 1)));
        if (restoredSlot)
            m_context.slotSync->markChanged(slot);
    }
    m_context.notices->post(
        QCoreApplication::translate("LumoProject", "Undone: %1")
            .arg(action.kind == QLatin1String("factory reset")
                     ? QCoreApplication::translate("LumoProject", "factory reset")
                     : action.name),
        Notices::Kind::Success);
    bringKeyboardUpToDate(true);
}
