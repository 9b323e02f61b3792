#pragma once
// The vendor's web addresses and the one way the console opens a web page, so
// tests can watch what would be opened instead of starting a browser.

#include <QUrl>
#include <functional>

namespace orvanta
{

inline constexpr const char WEBSITE_URL[] = "https://www.orvanta-rgb.com/";
inline constexpr const char SOCIAL_MEDIA_URL[] = "https://www.facebook.com/orvantargb";
inline constexpr const char PRODUCT_PAGE_URL[] = "https://www.orvanta-rgb.com/products/orvanta-rgb";
inline constexpr const char CUSTOMER_SERVICE_URL[] = "https://support.orvanta-rgb.com/";

struct WebLinks {
    using Opener = std::function<bool(const QUrl &url)>;
    // Default: QDesktopServices::openUrl. A page that cannot be opened is ignored.
    static Opener open;
    static void restoreDefaults();
    static bool openAddress(const char *address) { return open && open(QUrl(address)); }
};

} // namespace orvanta
