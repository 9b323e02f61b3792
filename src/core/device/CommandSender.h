#pragma once
// The keyboard's command set: every device operation as its fixed sequence of
// feature reports, paced for the firmware, and the key map last composed for
// the active on-board profile.

#include "HidDevice.h"
#include "Report.h"
#include "core/keys/DefaultKeyMap.h"

#include "KeyboardLink.h"
#include <QObject>

#include <QVector>
#include <array>
#include <functional>

class CommandSender : public QObject
{
    Q_OBJECT
public:
    using Report = orvanta::Report;
    using HidDevice = orvanta::HidDevice;
    using PauseFunction = std::function<void(unsigned ms)>;

    explicit CommandSender(QObject *parent = nullptr);

    // The pause taken after every report sent directly. Defaults to sleeping
    // the calling thread; tests install a recorder instead of waiting.
    void setPauseFunction(PauseFunction pause);
    static PauseFunction sleepingPause();

    // With a link, every operation below is queued on it as one whole (the
    // handle arguments are then not used) and paced by its worker thread.
    // Without one, reports go straight to the handle, paced on this thread.
    void setLink(orvanta::KeyboardLink *link) { m_link = link; }
    orvanta::KeyboardLink *link() const { return m_link; }
    // The id of the operation queued last (0 before the first).
    quint64 lastOperation() const { return m_lastOperation; }
    // Operations queued while set come from another program: the link drops
    // them when its queue is full.
    void setFromOtherProgram(bool fromOtherProgram) { m_fromOtherProgram = fromOtherProgram; }

    // Everything sent during its lifetime goes out as one operation; `profile`
    // names the on-board profile it addresses (the first named wins).
    class OperationScope
    {
    public:
        OperationScope(CommandSender *sender, int profile, bool quiet = false);
        ~OperationScope();
        OperationScope(const OperationScope &) = delete;
        OperationScope &operator=(const OperationScope &) = delete;

    private:
        CommandSender *m_sender;
    };

    std::array<quint8, 256> keyMap;

    // Primitives: one prepared report, then 100 ms (sendReport) or 300 ms (sendLongReport).
    void sendReport(HidDevice *handle, const Report &report);
    void sendLongReport(HidDevice *handle, const Report &report);

    void selectProfile(HidDevice *handle, int profile);
    void selectProfile1(HidDevice *handle) { selectProfile(handle, 1); }
    void selectProfile2(HidDevice *handle) { selectProfile(handle, 2); }
    void selectProfile3(HidDevice *handle) { selectProfile(handle, 3); }
    void selectProfile4(HidDevice *handle) { selectProfile(handle, 4); }
    void selectProfile5(HidDevice *handle) { selectProfile(handle, 5); }

    void setSingleKey(quint8 keyCode, quint8 newCode);
    void resetSingleKey(quint8 keyCode);
    void resetKeyMap();
    void writeKeyMap(HidDevice *handle, int profile);
    void resetKeyAndWrite(HidDevice *handle, quint8 keyCode, int profile);
    void writeKeyMapAndMacros(HidDevice *handle, const QVector<Report> &reports, int profile,
                              int count);
    void resetProfileToDefault(HidDevice *handle, int profile);
    void sendAppLight(HidDevice *handle, quint8 value);

    // Lighting senders: stamp the header bytes of the buffers they are given,
    // build the reports they own, and send everything in the keyboard's order.
    // Colour sources are read in bytes 0..21 only (one value per zone).
    void sendLightStatic(HidDevice *handle, Report &first, Report &page1, Report &page2,
                         Report &page3, Report &closing, quint8 profile);
    void sendLightReactive(HidDevice *handle, Report &first, Report &page1, Report &page2,
                           Report &page3, Report &closing, quint8 profile);
    void sendLightArrow(HidDevice *handle, Report &first, Report &zonePage1, Report &zonePage2,
                        Report &closing, const Report &red, const Report &green, const Report &blue,
                        quint8 profile);
    void sendLightWave(HidDevice *handle, Report &first, const Report &red, const Report &green,
                       const Report &blue, Report &closing, quint8 profile);
    void sendLightRipple(HidDevice *handle, Report &first, Report &zonePage1, Report &zonePage2,
                         const Report &red, const Report &green, const Report &blue,
                         Report &closing, quint8 profile);

    // Report builders shared by the operations above (pure).
    static Report selectProfileReport(int profile);
    static Report keyMapReport(int profile, const std::array<quint8, 256> &map);
    static Report zoneTableReport(int table, const Report &red, const Report &green,
                                  const Report &blue, quint8 profile);

private:
    void send(HidDevice *handle, const Report &report, unsigned pauseMs);
    PauseFunction m_pause;
    orvanta::KeyboardLink *m_link = nullptr;
    orvanta::KeyboardLink::Operation m_operation; // being collected
    int m_depth = 0;
    quint64 m_lastOperation = 0;
    bool m_fromOtherProgram = false;
};
