#pragma once
// What the status band and the tray say about the keyboard: its state, each
// operation's outcome, the notices of the one notices sink, failed saves,
// the update that brings a keyboard up to date (with its progress), and the
// factory reset's progress bar, which follows the keyboard's queue. The log
// tells each keyboard's coming and going and each operation's outcome.

#include "core/device/KeyboardLink.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVector>
#include <functional>

class ConsoleTray;
class QMessageBox;
class StatusBand;
struct ConsoleContext;

class StatusPresenter : public QObject
{
    Q_OBJECT
public:
    StatusPresenter(ConsoleContext &context, StatusBand *band, QObject *parent);

    // Follows the context's link from its first operation on, and keeps the
    // keyboard in step through a SlotSync made for it (put in the context).
    void watchLink();
    void setTray(ConsoleTray *tray);

    // Sends what the keyboard misses of the console's slots; with
    // `selectAnyway` the active one is selected even when nothing is missing.
    void bringKeyboardUpToDate(bool selectAnyway);
    // Shows the factory reset's progress window until the keyboard has the
    // last of `steps` (the reset's operations, queued after `before`).
    void followFactoryReset(const QVector<quint64> &steps, quint64 before);
    bool resetRunning() const { return m_resetRunning; }
    // The console's state for the control socket's status request: one line of JSON.
    QByteArray statusReply() const;

public slots:
    void showKeyboardState();
    // A file kept its old content: told, and kept in view for a while.
    void saveFailed(const QString &path, const QString &reason);

private:
    void keyboardArrived();
    void operationFinished(quint64 id, orvanta::KeyboardLink::Outcome outcome, int profile,
                           bool quiet);
    // Runs `then` once operation `id` is over; at once when it was not queued
    // on the link or is `before` (nothing was queued since).
    void afterOperation(quint64 id, quint64 before, std::function<void()> then);
    // Once the factory reset's window is gone and its files are saved: one
    // notice, kept until dismissed, names every file it could not save; the
    // keyboard gets those profiles back as the files keep them.
    void tellFactoryResetFailures();
    void showLastingNotice(const QString &text);

    ConsoleContext &m_context;
    StatusBand *m_band;
    QPointer<ConsoleTray> m_tray;
    QElapsedTimer m_saveFailure; // since the last failed save
    QHash<quint64, std::function<void()>> m_afterOperation;
    bool m_resetRunning = false;
    QPointer<QMessageBox> m_lastingNotice;
};
