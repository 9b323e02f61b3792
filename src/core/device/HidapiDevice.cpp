#include "HidapiDevice.h"

#include <QDebug>
#include <hidapi/hidapi.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvanta {

HidapiDevice::HidapiDevice(hid_device_ *handle, const QString &path)
    : m_handle(handle), m_path(path)
{
}

HidapiDevice::~HidapiDevice()
{
    if (m_handle)
        hid_close(m_handle);
}

bool HidapiDevice::sendFeatureReport(const quint8 *data, std::size_t length)
{
    if (!m_handle)
        return false;
    const int sent = hid_send_feature_report(m_handle, data, length);
    if (sent < 0) {
        qDebug() << "send failed" << m_path;
        return false;
    }
    return true;
}

static void exitHid()
{
    hid_exit();
}

bool ensureHidInitialised()
{
    static const bool ok = [] {
        const bool initialised = hid_init() == 0;
        if (initialised)
            std::atexit(exitHid);
        return initialised;
    }();
    return ok;
}

namespace {

bool isVendorInterface(const hid_device_info *d)
{
    return d->usage_page == kVendorUsagePage && d->usage == 1;
}

bool isConsumerInterface(const hid_device_info *d)
{
    return d->usage_page == kConsumerUsagePage && d->usage == 1;
}

} // namespace

void findKeyboard(HidDevice *&vendor, HidDevice *&consumer)
{
    if (!ensureHidInitialised()) {
        qInfo() << "all in here";
        return;
    }
    hid_device_info *list = hid_enumerate(kVendorId, 0);
    int index = 0;
    for (hid_device_info *d = list; d; d = d->next, ++index) {
        if (d->vendor_id != kVendorId || d->product_id != kProductId) {
            qInfo() << "close usb";
            continue;
        }
        const bool isVendor = isVendorInterface(d);
        const bool isConsumer = isConsumerInterface(d);
        qInfo("is you!!!! %d >>> %d", d->usage, d->usage_page);
        if (!isVendor && !isConsumer)
            continue; // another interface of the keyboard: never opened
        hid_device *handle = hid_open_path(d->path);
        if (!handle)
            continue;
        auto *device = new HidapiDevice(handle, QString::fromLocal8Bit(d->path));
        if (isVendor) {
            delete vendor;
            vendor = device;
            qInfo("DDDDDDDD :::: %d", index);
            // hidapi does not expose the report lengths; the keyboard uses 264-byte feature reports.
            qInfo("r資料長度:: %d", 0);
            qInfo("w資料長度:: %d", 0);
        } else {
            delete consumer;
            consumer = device;
            qInfo("rrrrrrrrr :::: %d", index);
        }
    }
    hid_free_enumeration(list);
}

QVector<InterfaceReport> diagnoseKeyboard()
{
    QVector<InterfaceReport> out;
    if (!ensureHidInitialised())
        return out;
    hid_device_info *list = hid_enumerate(kVendorId, 0);
    int lastVendor = -1, lastConsumer = -1;
    for (hid_device_info *d = list; d; d = d->next) {
        InterfaceReport r;
        r.path = QString::fromLocal8Bit(d->path);
        r.vendorId = d->vendor_id;
        r.productId = d->product_id;
        r.usagePage = d->usage_page;
        r.usage = d->usage;
        r.interfaceNumber = d->interface_number;
        if (d->vendor_id != kVendorId || d->product_id != kProductId)
            r.role = InterfaceReport::ForeignProduct;
        else if (isVendorInterface(d))
            r.role = InterfaceReport::Vendor;
        else if (isConsumerInterface(d))
            r.role = InterfaceReport::Consumer;
        if (r.role == InterfaceReport::Vendor || r.role == InterfaceReport::Consumer) {
            errno = 0;
            hid_device *handle = hid_open_path(d->path);
            const int err = errno;
            if (handle) {
                r.opened = true;
                hid_close(handle);
                if (r.role == InterfaceReport::Vendor)
                    lastVendor = out.size();
                else
                    lastConsumer = out.size();
            } else if (err) {
                r.openError = QString::fromLocal8Bit(std::strerror(err));
            } else {
                r.openError = QStringLiteral("could not be opened");
            }
        }
        out.append(r);
    }
    hid_free_enumeration(list);
    if (lastVendor >= 0)
        out[lastVendor].chosen = true;
    if (lastConsumer >= 0)
        out[lastConsumer].chosen = true;
    return out;
}

} // namespace orvanta
