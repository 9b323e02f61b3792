#pragma once
// Everything the console asks of the desktop rather than of the keyboard: the
// file choosers of import and export, the update question and release note,
// starting an outside program and opening a web page. The main window hands
// one implementation to its pages through the console context; tests give a
// recording one so that nothing appears on screen or starts.

#include <QString>
#include <QUrl>

class QWidget;

namespace orvanta
{

class DesktopServices
{
public:
    virtual ~DesktopServices() = default;

    // The chosen file, or an empty text when the user cancels.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    // A modal question with Yes and No (information icon, no parent); true on Yes.
    virtual bool ask(const QString &title, const QString &text) = 0;
    // A small window with the release note; does not block.
    virtual void showNote(const QString &note) = 0;
    // Starts `program` detached with no arguments; the console never waits for
    // its result. `workDir` empty: the current directory. `elevated`: on
    // Windows through the shell with the "runas" verb, elsewhere ignored.
    // Returns whether the program started.
    virtual bool startProgram(const QString &program, const QString &workDir, bool elevated) = 0;
    // A page that cannot be opened is ignored.
    virtual bool openUrl(const QUrl &url) = 0;
};

} // namespace orvanta
