#pragma once
// hidapi-backed access to the keyboard: the HidDevice for an opened interface,
// discovery of the keyboard's interfaces, and a report of what discovery sees.

#include "HidDevice.h"

#include <QString>
#include <QVector>

struct hid_device_;

namespace orvanta {

constexpr unsigned short kVendorId = 0x264A;
constexpr unsigned short kProductId = 0x3006;
constexpr unsigned short kVendorUsagePage = 0xFF01;
constexpr unsigned short kConsumerUsagePage = 0x0C;

class HidapiDevice : public HidDevice
{
public:
    HidapiDevice(hid_device_ *handle, const QString &path);
    ~HidapiDevice() override;
    HidapiDevice(const HidapiDevice &) = delete;
    HidapiDevice &operator=(const HidapiDevice &) = delete;

    bool sendFeatureReport(const quint8 *data, std::size_t length) override;
    QString path() const override { return m_path; }

private:
    hid_device_ *m_handle;
    QString m_path;
};

// hid_init once per process; hid_exit runs at process exit.
bool ensureHidInitialised();

// Enumerates the HID interfaces and keeps the keyboard's vendor interface
// (usage page 0xFF01, usage 1) in `vendor` and its consumer-control interface
// (usage page 0x0C, usage 1) in `consumer`. The last match in enumeration order
// wins; a handle it replaces is closed. Leaves both untouched when nothing matches.
void findKeyboard(HidDevice *&vendor, HidDevice *&consumer);

struct InterfaceReport
{
    QString path;
    unsigned short vendorId = 0;
    unsigned short productId = 0;
    unsigned short usagePage = 0;
    unsigned short usage = 0;
    int interfaceNumber = -1;
    enum Role { Vendor, Consumer, OtherInterface, ForeignProduct } role = OtherInterface;
    bool opened = false;     // whether an open was tried and succeeded
    QString openError;       // why it could not be opened
    bool chosen = false;     // the interface discovery keeps
};

// What discovery would find, without keeping anything open: every interface of
// the vendor, whether it can be opened and which ones would be used.
QVector<InterfaceReport> diagnoseKeyboard();

} // namespace orvanta
