#pragma once
// Shared pieces of the fuzz targets: one quiet application object, the input
// as stored texts, a keyboard that only checks what it is sent, and checks
// that stop the run with a message.

#include "core/device/HidDevice.h"
#include "core/device/Report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace orvanta::fuzz
{

// A broken invariant is a finding like a crash: libFuzzer keeps the input.
[[noreturn]] inline void fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::orvanta::fuzz::fail(#cond, __FILE__, __LINE__);                                      \
    } while (false)

inline void discardMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

// Settings objects and text codecs want an application object; the parsers'
// log lines would only slow the run down, so they are dropped. The file
// targets work in a fresh temporary directory (in memory where there is one:
// settings files are flushed to disk on every write).
inline void initialise(bool scratchDirectory)
{
    static int argc = 1;
    static char name[] = "orvanta-fuzz";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
    qInstallMessageHandler(discardMessages);
    if (!scratchDirectory)
        return;
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/orvanta-fuzz-XXXXXX"));
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !QDir().mkpath("system"))
        fail("no temporary working directory", __FILE__, __LINE__);
}

#define ORVANTA_FUZZ_INITIALISE(scratchDirectory)                                                  \
    extern "C" int LLVMFuzzerInitialize(int *, char ***)                                           \
    {                                                                                              \
        ::orvanta::fuzz::initialise(scratchDirectory);                                             \
        return 0;                                                                                  \
    }

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
        FUZZ_CHECK(data != nullptr);
        FUZZ_CHECK(length == kReportSize);
        FUZZ_CHECK(data[0] == kReportId);
        if (expectedProfile >= 0)
            FUZZ_CHECK(data[2] == expectedProfile);
        ++reports;
        return true;
    }
    int expectedProfile = -1; // byte 2 of every report, when set
    int reports = 0;
};

} // namespace orvanta::fuzz
