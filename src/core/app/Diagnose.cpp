#include "Diagnose.h"

#include "core/device/HidapiDevice.h"

#include <QTextStream>

namespace orvanta
{

static QString hex4(unsigned v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0'));
}

// Without a keyboard, everything can still be tried on the built-in one.
constexpr char kVirtualKeyboardHint[] =
    "Without the keyboard, try the console with the virtual keyboard: "
    "orvanta-console --virtual-keyboard\n";

int runDiagnosis(QTextStream &out)
{
    const QVector<InterfaceReport> found = diagnoseKeyboard();
    out << "ORVANTA RGB keyboard (vendor " << hex4(kVendorId) << ", product " << hex4(kProductId)
        << ")\n";
    if (found.isEmpty()) {
        out << "No HID interface of vendor " << hex4(kVendorId) << " was found.\n"
            << "Is the keyboard plugged in? On Linux, check `lsusb | grep -i 264a`.\n"
            << kVirtualKeyboardHint;
        out.flush();
        return 2;
    }
    bool vendorUsable = false, keyboardSeen = false, permissionProblem = false;
    for (const InterfaceReport &r : found) {
        out << r.path << "  " << hex4(r.vendorId) << ":" << hex4(r.productId) << "  usage page 0x"
            << hex4(r.usagePage) << " usage 0x" << hex4(r.usage);
        switch (r.role) {
        case InterfaceReport::ForeignProduct:
            out << "  another product of the vendor: not used\n";
            continue;
        case InterfaceReport::OtherInterface:
            keyboardSeen = true;
            out << "  keyboard interface: not needed\n";
            continue;
        case InterfaceReport::Vendor:
            keyboardSeen = true;
            out << "  vendor interface (lighting, keys, macros)";
            break;
        case InterfaceReport::Consumer:
            keyboardSeen = true;
            out << "  consumer-control interface";
            break;
        }
        if (r.opened) {
            out << ": opens" << (r.chosen ? ", used" : ", a later one is used") << "\n";
            if (r.role == InterfaceReport::Vendor)
                vendorUsable = true;
        } else {
            out << ": cannot be opened (" << r.openError << ")\n";
            if (r.openError.contains(QLatin1String("ermission")) ||
                r.openError.contains(QLatin1String("denied")))
                permissionProblem = true;
        }
    }
    if (vendorUsable) {
        out << "The keyboard can be used.\n";
        out.flush();
        return 0;
    }
    if (!keyboardSeen) {
        out << "The ORVANTA RGB keyboard itself was not found.\n" << kVirtualKeyboardHint;
        out.flush();
        return 2;
    }
    out << "The keyboard is present but its vendor interface cannot be used.\n";
    if (permissionProblem)
        out << "Fix: install the udev rule (70-orvanta-rgb.rules) so the logged-in user may open\n"
               "the keyboard, then run `sudo udevadm control --reload && sudo udevadm trigger`\n"
               "and plug the keyboard in again.\n";
    out.flush();
    return 1;
}

} // namespace orvanta
