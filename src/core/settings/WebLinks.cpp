#include "WebLinks.h"

#include <QDesktopServices>

namespace orvanta
{

static bool openInBrowser(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

WebLinks::Opener WebLinks::open = openInBrowser;

void WebLinks::restoreDefaults()
{
    open = openInBrowser;
}

} // namespace orvanta
