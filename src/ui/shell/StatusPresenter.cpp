#include "StatusPresenter.h"

#include "ConsoleContext.h"
#include "ConsoleTray.h"
#include "ResetProgressView.h"
#include "StatusBand.h"
#include "core/app/Notices.h"
#include "core/app/TranslationContexts.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/SlotSync.h"
#include "core/storage/DataPaths.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QMetaEnum>

using namespace orvanta;

using NoticeKind = StatusBand::NoticeKind;

StatusPresenter::StatusPresenter(ConsoleContext &context, StatusBand *band, QObject *parent)
    : QObject(parent), m_context(context), m_band(band)
{
    connect(m_context.notices, &Notices::posted, this,
            [this](const QString &text, Notices::Kind kind) {
                m_band->showNotice(text, NoticeKind(int(kind)));
            });
    connect(m_context.notices, &Notices::lastingPosted, this, &StatusPresenter::showLastingNotice);
    connect(m_context.controller, &ConsoleController::factoryResetSaved, this, [this] {
        if (!m_resetRunning)
            tellFactoryResetFailures();
    });
}

void StatusPresenter::showLastingNotice(const QString &text)
{
    m_band->showNotice(text, NoticeKind::Error);
    if (!m_lastingNotice) {
        m_lastingNotice =
            new QMessageBox(QMessageBox::Warning, context::Window::tr("ORVANTA RGB"), QString(),
                            QMessageBox::Ok, qobject_cast<QWidget *>(m_band->window()));
        m_lastingNotice->setObjectName(QStringLiteral("lastingNotice"));
        m_lastingNotice->setAttribute(Qt::WA_DeleteOnClose);
        m_lastingNotice->setWindowModality(Qt::NonModal);
    }
    m_lastingNotice->setText(text);
    m_lastingNotice->show();
    m_lastingNotice->raise();
}

void StatusPresenter::tellFactoryResetFailures()
{
    const SaveResult failed = m_context.controller->takeFactoryResetFailures();
    if (failed.ok())
        return;
    const ProfileBindings &bindings = m_context.controller->bindings();
    QStringList names;
    int profiles = 0;
    for (const SaveFailure &f : failed.failures()) {
        const QString path = QDir::cleanPath(f.path);
        QString name = QFileInfo(path).fileName();
        for (int n = 1; n <= 5; ++n) {
            const QString linked = bindings.linked(n);
            if (path.startsWith(QDir::cleanPath(DataPaths::profileDir(linked)) + '/')) {
                name = context::Shell::tr("profile %1").arg(linked);
                profiles |= 1 << (n - 1);
            }
        }
        if (!names.contains(name))
            names << name;
    }
    // The files keep the earlier settings: so does the keyboard.
    for (int n = 1; n <= 5; ++n)
        if (profiles & (1 << (n - 1)))
            m_context.slotSync->markChanged(n);
    bringKeyboardUpToDate(false);
    m_context.notices->postLasting(
        context::Shell::tr("The factory reset could not save %1 (%2). These keep their earlier "
                           "settings, on the keyboard too.")
            .arg(names.join(QStringLiteral(", ")), failed.failures().first().reason));
}

void StatusPresenter::setTray(ConsoleTray *tray)
{
    m_tray = tray;
    m_tray->setKeyboardStatus(KeyboardLink::stateText(m_context.link->state()));
}

void StatusPresenter::watchLink()
{
    KeyboardLink *link = m_context.link;
    m_context.slotSync = new SlotSync(
        link, [this](int slot) { return m_context.controller->bindings().linked(slot); }, this);
    connect(link, &KeyboardLink::stateChanged, this, [](KeyboardLink::State state) {
        qInfo().noquote() << "keyboard:" << KeyboardLink::stateKey(state);
    });
    connect(link, &KeyboardLink::operationFinished, this,
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
        m_band->showNotice(context::Shell::tr("Updating the keyboard: %1 of %2")
                               .arg(qMin(done + 1, total))
                               .arg(total),
                           NoticeKind::Info);
    });
    connect(m_context.slotSync, &SlotSync::updateFinished, this, [this](int, int left) {
        if (left == 0)
            m_band->showNotice(context::Shell::tr("The keyboard is up to date"),
                               NoticeKind::Success);
        else
            m_band->showNotice(
                context::Shell::tr("The keyboard went away during its update: %1 profiles "
                                   "follow when it is back")
                    .arg(left),
                NoticeKind::Warning);
    });
    connect(link, &KeyboardLink::stateChanged, this, &StatusPresenter::showKeyboardState);
    connect(link, &KeyboardLink::keyboardArrived, this, &StatusPresenter::keyboardArrived);
    connect(link, &KeyboardLink::operationFinished, this, &StatusPresenter::operationFinished);
}

void StatusPresenter::bringKeyboardUpToDate(bool selectAnyway)
{
    m_context.slotSync->bringUpToDate(m_context.controller->bindings().active, selectAnyway);
}

void StatusPresenter::showKeyboardState()
{
    const KeyboardLink::State state = m_context.link->state();
    m_band->setKeyboardState(KeyboardLink::stateText(state), state != KeyboardLink::State::Absent);
    if (m_tray)
        m_tray->setKeyboardStatus(KeyboardLink::stateText(state));
}

void StatusPresenter::keyboardArrived()
{
    // A keyboard plugged in now may sit on any of its profiles: bring it to
    // the one the console shows as active.
    m_band->showNotice(KeyboardLink::stateText(m_context.link->state()), NoticeKind::Success);
    bringKeyboardUpToDate(true);
}

void StatusPresenter::saveFailed(const QString &path, const QString &reason)
{
    m_saveFailure.start();
    // Through the one notices path (saveFile has logged the failure).
    m_context.notices->post(context::Shell::tr("Not saved: %1 (%2). It keeps its earlier content.")
                                .arg(QFileInfo(path).fileName(), reason),
                            Notices::Kind::Error);
}

void StatusPresenter::operationFinished(quint64 id, KeyboardLink::Outcome outcome, int profile,
                                        bool quiet)
{
    if (const auto then = m_afterOperation.take(id))
        then();
    // A failed save stays in view: the keyboard's confirmation must not hide it.
    if (m_saveFailure.isValid() && m_saveFailure.elapsed() < StatusBand::kNoticeMs &&
        (outcome == KeyboardLink::Outcome::Sent || outcome == KeyboardLink::Outcome::NotConnected))
        return;
    const QString target = profile >= 1 && profile <= 5
                               ? context::Shell::tr("PROFILE %1").arg(profile)
                               : context::Shell::tr("the keyboard");
    switch (outcome) {
    case KeyboardLink::Outcome::Sent:
        if (!quiet)
            m_band->showNotice(context::Shell::tr("Sent to %1").arg(target), NoticeKind::Success);
        break;
    case KeyboardLink::Outcome::NotConnected:
        if (!quiet)
            m_band->showNotice(context::Shell::tr("Saved; the keyboard is not connected"),
                               NoticeKind::Warning);
        break;
    case KeyboardLink::Outcome::Failed:
    case KeyboardLink::Outcome::Lost:
    case KeyboardLink::Outcome::Dropped:
        if (!quiet)
            m_band->showNotice(
                context::Shell::tr(
                    "Not sent to %1: the keyboard did not respond. Your settings are saved.")
                    .arg(target),
                NoticeKind::Error);
        break;
    case KeyboardLink::Outcome::Overflow:
        break; // logged by the link; another program sent more than the keyboard can take
    case KeyboardLink::Outcome::Withdrawn:
        break; // another program's, out of date before its turn
    }
}

void StatusPresenter::afterOperation(quint64 id, quint64 before, std::function<void()> then)
{
    if (m_context.sender->queue() != m_context.link || id == before) {
        then();
        return;
    }
    // Operations finish in the order they were queued: one stands for all before it.
    m_afterOperation.insert(id, std::move(then));
}

void StatusPresenter::followFactoryReset(const QVector<quint64> &steps, quint64 before)
{
    m_resetRunning = true;
    m_context.resetView->setGeometry(0, 0, 1200, 800);
    m_context.resetView->show();
    m_context.resetView->raise();
    m_context.resetView->setProgress(0);
    // The files and pages change at once; the bar follows the keyboard, step
    // by step, as its queue confirms each one.
    quint64 previous = before;
    for (int i = 0; i + 1 < steps.size(); ++i) {
        const int value = i == 0 ? 15 : 15 + 25 * (i - 1);
        afterOperation(steps[i], previous, [this, value] {
            if (m_context.resetView)
                m_context.resetView->setProgress(value);
        });
        previous = steps[i];
    }
    afterOperation(steps.last(), previous, [this] {
        m_resetRunning = false;
        if (!m_context.resetView)
            return;
        m_context.resetView->setProgress(100);
        m_context.resetView->hide();
        if (!m_context.controller->factoryResetSaving())
            tellFactoryResetFailures();
    });
}

QByteArray StatusPresenter::statusReply() const
{
    QJsonObject status;
    const KeyboardLink::State state =
        m_context.link ? m_context.link->state() : KeyboardLink::State::Absent;
    const ProfileBindings &bindings = m_context.controller->bindings();
    status.insert(QStringLiteral("keyboard"), KeyboardLink::stateKey(state));
    status.insert(QStringLiteral("profile"), bindings.active);
    status.insert(QStringLiteral("profileName"), bindings.names.value(bindings.active - 1));
    status.insert(QStringLiteral("queued"), m_context.link ? m_context.link->pending() : 0);
    return QJsonDocument(status).toJson(QJsonDocument::Compact) + '\n';
}
