#pragma once
// Reading a file of the data directory without being stalled or flooded by it.
// Every read opens the file without blocking and checks, on the opened file,
// that it is a regular file no larger than its kind ever is; a FIFO, a device,
// a socket or an oversized file is skipped (reads as missing) and remembered
// for one notice, so a planted FIFO cannot hang the console and a link to
// /dev/zero cannot fill its memory.
//
// Links in the data directory. The data directory's own entries (its folders
// "lightfile", "macrofile", "system", "Image", ... and its files) may be
// symbolic links, made by the user or by the console for the installed
// pictures. A linked folder is then used for everything: reading, saving, New,
// Copy, Delete, Import and the clean-up at start-up; a linked file is read as
// what it names. Nothing below them is ever followed: a link inside a folder
// (a profile folder that is a link included) is never read, never copied as
// what it names (copies leave it out) and never removed through (it is removed
// as a link). No file is ever written through a link: a save replaces a link
// with a regular file, and is refused when a folder on its way below the
// top is a link. Paths that are absolute or leave the data directory (a file
// the user chose for an import) are the user's own and are read as they name.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvanta
{

// The largest file of each kind the console reads. No settings file comes near
// its bound (the largest, a full cmd/macro.ini, holds about 120 kB); the
// installed pictures are under 64 kB each; the virtual keyboard's state is a few
// hundred kilobytes.
constexpr qint64 kSettingsFileLimit = 4 * 1024 * 1024;
constexpr qint64 kPictureFileLimit = 8 * 1024 * 1024;
constexpr qint64 kStateFileLimit = 8 * 1024 * 1024;

struct [[nodiscard]] FileRead {
    enum class Status {
        Read,       // `bytes` holds the whole file
        Missing,    // no such file
        NotRegular, // a FIFO, a device, a socket, a folder, or a link where none is followed
        TooLarge,   // larger than the limit of its kind
        Failed,     // it could not be read; `reason` says why
    };
    Status status = Status::Missing;
    QByteArray bytes;
    QString reason;

    bool ok() const { return status == Status::Read; }
    bool skipped() const { return status == Status::NotRegular || status == Status::TooLarge; }
};

// Reads the file at `path` whole when it is a regular file of at most `limit`
// bytes (see above). A skipped file is logged once and kept for
// takeSkippedFiles().
FileRead readRegularFile(const QString &path, qint64 limit);
// The same checks on the opened file, without reading it: for readers that
// must open the file by name themselves (the settings library).
FileRead checkRegularFile(const QString &path, qint64 limit);

// Appends `bytes` to the file the user chose at `path` (an export), creating
// it when missing. Only a regular file is written: a FIFO or a device is
// refused without waiting for a reader. Empty when done, else the reason.
QString appendToRegularFile(const QString &path, const QByteArray &bytes);

// The files that reads skipped since the last call, each once, for a notice.
QStringList takeSkippedFiles();

} // namespace orvanta
