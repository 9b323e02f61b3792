#pragma once
// Shared helpers for the tests: an in-memory keyboard, recording desktop
// services, a pause recorder and a temporary working directory.

#include "core/app/DesktopServices.h"
#include "core/device/DeviceOperation.h"
#include "core/device/HidDevice.h"
#include "core/device/Report.h"

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <QVector>
#include <functional>

namespace orvanta::test
{

// A keyboard in memory: keeps every feature report it accepts.
class RecordingDevice : public HidDevice
{
public:
    bool sendFeatureReport(const quint8 *data, std::size_t length) override;
    QString path() const override { return QStringLiteral("memory"); }

    QVector<QByteArray> reports;
    bool refuse = false; // refuse every report, as an unplugged keyboard does
    int attempts = 0;
};

// Desktop services that show and start nothing: they keep each request and
// answer the file choosers with `fileName`, the question with `answerYes`, a
// program or address to open with `opens` (false: the platform has none).
struct RecordingDesktop : DesktopServices {
    QStringList files, questions, notes, launches, urls;
    QString fileName;
    bool answerYes = false, opens = true;

    QString saveFileName(QWidget *, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        return files << caption + '|' + dir + '|' + filter, fileName;
    }
    QString openFileName(QWidget *w, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        return saveFileName(w, caption, dir, filter);
    }
    bool ask(const QString &title, const QString &text) override
    {
        return questions << title + '|' + text, answerYes;
    }
    void showNote(const QString &note) override { notes << note; }
    bool startProgram(const QString &program, const QString &dir, bool elevated) override
    {
        return launches << program + '|' + dir + '|' + (elevated ? "elevated" : "plain"), opens;
    }
    bool openUrl(const QUrl &url) override { return urls << url.toString(), opens; }
};

// Records the pauses the command set asks for instead of sleeping.
struct PauseRecorder {
    QVector<unsigned> pauses;
    std::function<void(unsigned)> function()
    {
        return [this](unsigned ms) { pauses.append(ms); };
    }
};

// A command queue that sends every operation at once, report by report, to a
// keyboard in memory and records the pauses instead of taking them, and who
// asked for each operation.
class RecordingQueue : public CommandQueue
{
public:
    RecordingQueue(HidDevice &device, PauseRecorder &pauses) : m_device(device), m_pauses(pauses) {}
    quint64 enqueue(DeviceOperation operation, Origin origin = Origin::User) override
    {
        for (const DeviceStep &step : operation.steps) {
            m_device.sendFeatureReport(step.report.data(), step.report.size());
            m_pauses.pauses.append(step.pauseMs);
        }
        origins.append(origin);
        return ++m_lastId;
    }
    QVector<Origin> origins;

private:
    HidDevice &m_device;
    PauseRecorder &m_pauses;
    quint64 m_lastId = 0;
};

// Sends an operation's reports to `device` at once, on the calling thread.
inline void sendTo(HidDevice &device, const DeviceOperation &operation)
{
    for (const DeviceStep &step : operation.steps)
        device.sendFeatureReport(step.report.data(), step.report.size());
}

// A fresh, empty working directory for the lifetime of the object.
class TempWorkDir
{
public:
    TempWorkDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~TempWorkDir() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    // Copies the installed data tree (built by the build) into this directory.
    bool seedFromDataTree() const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

QByteArray toBytes(const Report &r);
Report reportOf(std::initializer_list<std::pair<int, int>> bytes);
inline QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}
inline QByteArray fromHex(const QString &text)
{
    return QByteArray::fromHex(text.toLatin1());
}

// The report that selects on-board profile `profile`.
inline QByteArray selectBytes(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

// "0=7 1=2 8..263=255" -> a report with those bytes (ranges inclusive), the rest
// zero, as a stored list: "7,2,0,...".
QString reportList(const QString &bytes);

QString readText(const QString &path);
// The text of one key ("Group/key") of an INI file, as stored.
QString iniText(const QString &path, const QString &key);
// Every file below `root` (hidden ones too), by path relative to it, with its
// content (or, when `read` is false, an empty one).
QMap<QString, QByteArray> filesBelow(const QString &root, bool read = true);

// A new pattern file as the console writes it: red to black, red SURFACE.
inline const char kDefaultPatternFile[] = "[Setting]\n"
                                          "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                          "GColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                          "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\n"
                                          "VColor=\"255,0,0\"\n"
                                          "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n";

struct RunResult {
    int exitCode = -1; // -1: did not start, did not end in time, or crashed
    QString out, err;
};
// Runs a program to its end while this process keeps serving its own sockets.
RunResult runProgram(const QString &program, const QStringList &arguments,
                     const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                     int timeoutMs = 30000);
bool writeText(const QString &path, const QByteArray &content);

// Where the build put things (set by CTest in the environment).
inline QString sourceDir()
{
    return qEnvironmentVariable("ORVANTA_SOURCE_DIR");
}
inline QString binDir()
{
    return qEnvironmentVariable("ORVANTA_BIN_DIR");
}
inline QString dataTreeDir()
{
    return qEnvironmentVariable("ORVANTA_DATA_DIR");
}

// Messages the console must read and drop on its control socket: the fixed
// kinds (pick 0..5) or, for any other pick, random bytes that never start with
// "07" and so are never a command.
inline QByteArray socketGarbage(int pick, QRandomGenerator &rng)
{
    static const QByteArray fixed[] = {
        "079",                                              // no such command
        "07",                                               // shorter than its positions
        QByteArray(R"({"command":7,"Data":2})").toBase64(), // valid JSON, but no "}}"
        QByteArray(9000, 'x'),                              // more than one read holds
        QByteArray::fromHex("00303731"),                    // the text ends before it begins
        QByteArray(R"({"command":"7","Data":"abc","Color":{"a":1}})").toBase64()};
    if (pick >= 0 && pick < 6)
        return fixed[pick];
    QByteArray b(int(rng.bounded(1, 300)), '\0');
    for (char &c : b)
        c = char(rng.bounded(256));
    b[0] = char(0x80 | rng.bounded(128));
    return b;
}

} // namespace orvanta::test
