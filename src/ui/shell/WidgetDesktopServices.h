#pragma once
// The desktop services the console really uses: Qt's file dialogs, message
// boxes, detached processes and the system's web browser.

#include "core/app/DesktopServices.h"

namespace orvanta
{

class WidgetDesktopServices : public DesktopServices
{
public:
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    bool ask(const QString &title, const QString &text) override;
    void showNote(const QString &note) override;
    bool startProgram(const QString &program, const QString &workDir, bool elevated) override;
    bool openUrl(const QUrl &url) override;
};

// The instance pages use when they were built without a console context.
DesktopServices &defaultDesktopServices();

} // namespace orvanta
