#pragma once
// Shared pieces of the fuzz targets: one quiet application object, the input
// as stored texts, the framing of what would be sent, and checks that stop the
// run with a message (libFuzzer keeps the input as a finding).

#include "core/device/DeviceOperation.h"

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

// Every report of `operation` carries the report id and its profile in byte 2.
inline void checkFraming(const DeviceOperation &operation, int profile)
{
    for (const DeviceStep &step : operation.steps)
        FUZZ_CHECK(step.report[0] == kReportId && step.report[2] == profile);
}

} // namespace orvanta::fuzz

using namespace orvanta;
