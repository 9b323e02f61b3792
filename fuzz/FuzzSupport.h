#pragma once
// Shared pieces of the fuzz targets: one quiet application object, the input
// as stored texts, a keyboard that only checks what it is sent, and checks
// that stop the run with a message (libFuzzer keeps the input as a finding).

#include "core/device/DeviceOperation.h"
#include "core/device/HidDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__),    \
                std::abort();                                                                      \
    } while (false)

// Settings objects and text codecs want an application object; the parsers'
// log lines would only slow the run down. The file targets work in a fresh
// temporary directory (in memory where there is one: settings files are
// flushed to disk on every write).
#define ORVANTA_FUZZ_INITIALISE(scratchDirectory)                                                  \
    extern "C" int LLVMFuzzerInitialize(int *, char ***)                                           \
    {                                                                                              \
        static int argc = 1;                                                                       \
        static char name[] = "orvanta-fuzz", *argv[] = {name, nullptr};                            \
        new QCoreApplication(argc, argv);                                                          \
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});     \
        if (scratchDirectory) {                                                                    \
            const QFileInfo shm(QStringLiteral("/dev/shm"));                                       \
            static QTemporaryDir dir(                                                              \
                (shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath()) +            \
                QStringLiteral("/orvanta-fuzz-XXXXXX"));                                           \
            FUZZ_CHECK(dir.isValid() && QDir::setCurrent(dir.path()) && QDir().mkpath("system"));  \
        }                                                                                          \
        return 0;                                                                                  \
    }

namespace orvanta::fuzz
{

// Stored texts arrive one per line, as a file's values would.
inline QStringList inputLines(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)).split('\n');
}

// A small number taken from the input, for the parameters that are not text.
inline int inputByte(const uint8_t *data, size_t size, size_t index)
{
    return index < size ? data[index] : 0;
}

// Takes every report and checks its framing; keeps only a count.
class CheckingDevice : public HidDevice
{
public:
    bool sendFeatureReport(const quint8 *data, std::size_t length) override
    {
        FUZZ_CHECK(data != nullptr && length == kReportSize && data[0] == kReportId);
        FUZZ_CHECK(expectedProfile < 0 || data[2] == expectedProfile);
        ++reports;
        return true;
    }
    int expectedProfile = -1; // byte 2 of every report, when set
    int reports = 0;
    void send(const DeviceOperation &operation)
    {
        for (const DeviceStep &step : operation.steps)
            sendFeatureReport(step.report.data(), step.report.size());
    }
};

} // namespace orvanta::fuzz

using namespace orvanta;
