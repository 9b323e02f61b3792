#pragma once
// The one seam to the keyboard: something that takes feature reports.

#include <QString>
#include <QtGlobal>
#include <cstddef>

namespace orvanta {

class HidDevice
{
public:
    virtual ~HidDevice() = default;
    // Sends one feature report (byte 0 is the report id). Returns false when the
    // device refused it; callers do not retry.
    virtual bool sendFeatureReport(const quint8 *data, std::size_t length) = 0;
    virtual QString path() const { return QString(); }
};

} // namespace orvanta
