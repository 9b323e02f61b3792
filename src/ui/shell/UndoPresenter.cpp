#include "UndoPresenter.h"
#include "core/app/TranslationContexts.h"

#include "ConsoleContext.h"
#include "ConsoleTray.h"
#include "Shell.h"
#include "StatusBand.h"
#include "core/app/Notices.h"
#include "core/controller/ConsoleController.h"
#include "core/device/SlotSync.h"
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

UndoPresenter::UndoPresenter(ConsoleContext &context, QWidget *parent, const ShellStyles &styles)
    : QObject(parent), m_context(context), m_button(new QPushButton(parent)),
      m_offer(new QTimer(this))
{
    m_button->setObjectName(QStringLiteral("undo_button"));
    m_button->setGeometry(700, 76, 80, 20);
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->setFocusPolicy(Qt::TabFocus);
    m_button->setStyleSheet(styles.actionButton);
    m_button->setText(context::Shell::tr("UNDO"));
    m_button->hide();
    connect(m_button, &QPushButton::released, this, &UndoPresenter::undoLastAction);
    m_offer->setObjectName(QStringLiteral("undo_offer"));
    m_offer->setSingleShot(true);
    connect(m_offer, &QTimer::timeout, m_button, &QWidget::hide);
    m_context.controller->profiles().setKeepForUndo(
        [this](const QString &kind, const QString &name, const QStringList &paths) {
            return keep(kind, name, paths);
        });
}

void UndoPresenter::setTray(ConsoleTray *tray)
{
    m_tray = tray;
    m_tray->setUndoAction(label()); // an action kept by an earlier run
}

QString UndoPresenter::label() const
{
    const UndoStore::Action kept = UndoStore::kept();
    if (kept.kind == QLatin1String("factory reset"))
        return context::Shell::tr("Undo factory reset");
    if (!kept.kind.isEmpty())
        return context::Shell::tr("Undo delete %1").arg(kept.name);
    return QString();
}

bool UndoPresenter::keep(const QString &kind, const QString &name, const QStringList &paths)
{
    const SaveResult kept = UndoStore::keep(kind, name, paths);
    if (!kept.ok()) {
        const SaveFailure &f = kept.failures().first();
        m_context.notices->fileFailed(
            context::Shell::tr("Nothing was changed: the files could not be kept for "
                               "Undo (%1)")
                .arg(f.reason),
            f.path, f.reason);
        return false;
    }
    const QString text =
        kind == QLatin1String("factory reset")
            ? context::Shell::tr("Factory settings restored. UNDO brings yours back")
            : context::Shell::tr("%1 deleted. UNDO brings it back").arg(name);
    m_context.notices->inform(text);
    // The notice goes after a few seconds; the button still says what it undoes.
    m_button->setToolTip(label());
    m_button->setAccessibleDescription(label());
    m_button->show();
    m_button->raise();
    m_offer->start(kUndoOfferMs);
    if (m_tray)
        m_tray->setUndoAction(label());
    return true;
}

bool UndoPresenter::keepFactoryReset()
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
    return keep(QStringLiteral("factory reset"), QString(), paths);
}

void UndoPresenter::undoLastAction()
{
    ConsoleController *controller = m_context.controller;
    if (controller->factoryResetSaving()) {
        // The reset's files are still being written: the undo follows them.
        auto *once = new QObject(this);
        connect(controller, &ConsoleController::factoryResetSaved, once, [this, once] {
            delete once;
            undoLastAction();
        });
        return;
    }
    const UndoStore::Action action = UndoStore::kept();
    if (action.kind.isEmpty()) {
        m_context.notices->refuse(context::Shell::tr("Nothing to undo"));
        return;
    }
    const QStringList before = controller->bindings().names;
    const SaveResult back = UndoStore::restore();
    if (!back.ok()) {
        const SaveFailure &f = back.failures().first();
        m_context.notices->fileFailed(
            context::Shell::tr("Undo failed: %1 (%2)").arg(f.path, f.reason), f.path, f.reason);
        return;
    }
    m_button->hide();
    m_offer->stop();
    if (m_tray)
        m_tray->setUndoAction(QString());

    // The links, the pages and the key map as the files now say.
    controller->bindings().read();
    m_context.customize->loadInstantShiftTargets();
    m_context.profileMenu->refillProfileList();
    if (action.kind == QLatin1String("macro"))
        m_context.macros->showMacro(action.name);
    emit restored();

    // Every slot whose saved state came back goes to the keyboard again.
    for (int slot = 1; slot <= 5; ++slot) {
        const bool restoredSlot =
            action.kind == QLatin1String("factory reset") ||
            (action.kind == QLatin1String("profile") &&
             (controller->bindings().linked(slot) == action.name ||
              before.value(slot - 1) != controller->bindings().names.value(slot - 1)));
        if (restoredSlot)
            m_context.slotSync->markChanged(slot);
    }
    m_context.notices->post(context::Shell::tr("Undone: %1")
                                .arg(action.kind == QLatin1String("factory reset")
                                         ? context::Shell::tr("factory reset")
                                         : action.name),
                            Notices::Kind::Success);
    m_context.slotSync->bringUpToDate(controller->bindings().active, true);
}
