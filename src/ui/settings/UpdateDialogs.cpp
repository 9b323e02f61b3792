#include "UpdateDialogs.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTextEdit>
#include <QVBoxLayout>

namespace orvanta
{

namespace
{

bool askUser(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void showNoteWindow(const QString &note)
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

} // namespace

UpdateDialogs::Question UpdateDialogs::ask = askUser;
UpdateDialogs::Note UpdateDialogs::showNote = showNoteWindow;

void UpdateDialogs::restoreDefaults()
{
    ask = askUser;
    showNote = showNoteWindow;
}

} // namespace orvanta
