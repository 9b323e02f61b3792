#pragma once
// Shared pieces of the fuzz targets: one quiet application object, the input
// as stored texts, a keyboard that only checks what it is sent, and checks
// that stop the run with a message.

#include "core/device/HidDevice.h"
#include "core/device/Report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

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
// log lines would only slow the run down, so they are dropped.
inline void initialise()
{
    static int argc = 1;
    static char name[] = "orvanta-fuzz";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    qInstallMessageHandler(discardMessages);
}

// A fresh temporary working directory for the file targets, kept for the run.
// Settings files are flushed to disk on every write; in memory that costs nothing.
inline void enterScratchDirectory()
{
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir) {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
        dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/orvanta-fuzz-XXXXXX"));
        if (!dir->isValid() || !QDir::setCurrent(dir->path()))
            fail("no temporary working directory", __FILE__, __LINE__);
    }
}

inline QString inputText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
}

// Stored texts arrive one per line, as a file's values would.
inline QStringList inputLines(const uint8_t *data, size_t size)
{
    return inputText(data, size).split(QLatin1Char('\n'));
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
