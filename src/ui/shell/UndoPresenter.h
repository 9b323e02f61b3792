#pragma once
// Undo of the one-click actions that destroy work: the factory reset and the
// deletion of a saved profile or a macro. Their files are kept before they
// run; the UNDO button (for a while) and the tray (until the next such action)
// put them back, with the links, and bring the keyboard up to date.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class ConsoleTray;
class QPushButton;
class QTimer;
class QWidget;
struct ConsoleContext;
namespace orvanta
{
struct ShellStyles;
}

class UndoPresenter : public QObject
{
    Q_OBJECT
public:
    // Builds the UNDO button in `parent` (the window's central widget).
    UndoPresenter(ConsoleContext &context, QWidget *parent, const orvanta::ShellStyles &styles);

    QPushButton *button() const { return m_button; }
    // The tray offers the kept action too.
    void setTray(ConsoleTray *tray);

    // Keeps `paths` before an action ("factory reset", "profile" or "macro",
    // with the name deleted) and offers its undo; false, told as a notice,
    // when they could not be kept (the action is then not carried out).
    bool keep(const QString &kind, const QString &name, const QStringList &paths);
    // Keeps what a factory reset rewrites.
    bool keepFactoryReset();
    QString label() const; // "Undo <action>", empty when nothing is kept

public slots:
    // Puts back what the last kept action changed.
    void undoLastAction();

signals:
    // The files are back: the pages show the active profile anew.
    void restored();

private:
    ConsoleContext &m_context;
    QPushButton *m_button;
    QTimer *m_offer; // how long the UNDO button stays
    QPointer<ConsoleTray> m_tray;
};
