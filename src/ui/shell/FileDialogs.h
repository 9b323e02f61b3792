#pragma once
// The file choosers of import and export go through here, so tests can answer
// them without a dialog on screen.

#include <QString>
#include <functional>

class QWidget;

namespace orvanta {

struct FileDialogs
{
    using Chooser = std::function<QString(QWidget *parent, const QString &caption,
                                          const QString &dir, const QString &filter)>;
    // Default: QFileDialog::getSaveFileName / getOpenFileName.
    static Chooser saveFileName;
    static Chooser openFileName;
    static void restoreDefaults();
};

} // namespace orvanta
