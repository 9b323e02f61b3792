#include "FileDialogs.h"

#include <QFileDialog>

namespace orvanta {

static QString askSave(QWidget *parent, const QString &caption, const QString &dir,
                       const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

static QString askOpen(QWidget *parent, const QString &caption, const QString &dir,
                       const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

FileDialogs::Chooser FileDialogs::saveFileName = askSave;
FileDialogs::Chooser FileDialogs::openFileName = askOpen;

void FileDialogs::restoreDefaults()
{
    saveFileName = askSave;
    openFileName = askOpen;
}

} // namespace orvanta
