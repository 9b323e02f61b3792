#pragma once
// The vendor's web addresses; the console opens them through its
// DesktopServices.

namespace orvanta
{

inline constexpr const char WEBSITE_URL[] = "https://www.orvanta-rgb.com/";
inline constexpr const char SOCIAL_MEDIA_URL[] = "https://www.facebook.com/orvantargb";
inline constexpr const char PRODUCT_PAGE_URL[] = "https://www.orvanta-rgb.com/products/orvanta-rgb";
inline constexpr const char CUSTOMER_SERVICE_URL[] = "https://support.orvanta-rgb.com/";

} // namespace orvanta
