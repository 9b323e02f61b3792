#include "WidgetDesktopServices.h"

#include "core/settings/ProgramLauncher.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTextEdit>
#include <QVBoxLayout>

namespace orvanta
{

QString WidgetDesktopServices::saveFileName(QWidget *parent, const QString &caption,
                                            const QString &dir, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString WidgetDesktopServices::openFileName(QWidget *parent, const QString &caption,
                                            const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

bool WidgetDesktopServices::ask(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void WidgetDesktopServices::showNote(const QString &note)
{
    auto *dialog = new QDialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("ORVANTA RGB SOFTWARE UPDATE"));
    dialog->setStyleSheet(
        QStringLiteral("QDialog{background-color: rgb(38,38,38);} QLabel{color:white;}"
                       "QTextEdit{background-color: rgb(24,24,24); color:white;"
                       " border: 1px solid rgb(132,132,132);}"));
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(QStringLiteral("Update Note:"), dialog));
    auto *text = new QTextEdit(dialog);
    text->setReadOnly(true);
    text->setPlainText(note);
    layout->addWidget(text);
    dialog->resize(320, 320);
    dialog->show();
}

bool WidgetDesktopServices::startProgram(const QString &program, const QString &workDir,
                                         bool elevated)
{
    return startDetachedProgram(program, workDir, elevated);
}

bool WidgetDesktopServices::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

DesktopServices &defaultDesktopServices()
{
    static WidgetDesktopServices services;
    return services;
}

} // namespace orvanta
