#include "CommandSender.h"

#include <QDebug>
#include <QThread>

using namespace orvanta;

namespace
{

void stampMode(Report &r, quint8 profile)
{
    r[0] = kReportId;
    r[1] = CMD_LIGHT_MODE;
    r[2] = profile;
    r[8] = profile;
}

void stampPage(Report &r, quint8 command, quint8 profile, int b3, int b4)
{
    r[0] = kReportId;
    r[1] = command;
    r[2] = profile;
    r[3] = quint8(b3);
    if (b4 >= 0)
        r[4] = quint8(b4);
}

} // namespace

CommandSender::CommandSender(QObject *parent)
    : QObject(parent), keyMap(DEFAULT_KEY_MAP), m_pause(sleepingPause())
{
}

CommandSender::PauseFunction CommandSender::sleepingPause()
{
    return [](unsigned ms) { QThread::msleep(ms); };
}

void CommandSender::setPauseFunction(PauseFunction pause)
{
    m_pause = pause ? std::move(pause) : sleepingPause();
}

CommandSender::OperationScope::OperationScope(CommandSender *sender, int profile, bool quiet)
    : m_sender(sender)
{
    if (m_sender->m_depth++ == 0) {
        m_sender->m_operation = {};
        m_sender->m_operation.quiet = quiet;
    }
    if (m_sender->m_operation.profile == 0)
        m_sender->m_operation.profile = profile;
}

CommandSender::OperationScope::~OperationScope()
{
    if (--m_sender->m_depth > 0)
        return;
    KeyboardLink::Operation op = std::move(m_sender->m_operation);
    m_sender->m_operation = {};
    if (!m_sender->m_link || op.steps.empty())
        return;
    op.droppable = m_sender->m_fromOtherProgram;
    m_sender->m_lastOperation = m_sender->m_link->enqueue(std::move(op));
}

void CommandSender::send(HidDevice *handle, const Report &report, unsigned pauseMs)
{
    if (m_link) {
        // Collected here; the link sends it with its pause when the whole
        // operation has been composed.
        const OperationScope scope(this, 0);
        m_operation.steps.push_back({report, pauseMs});
        return;
    }
    // The result is not examined: a keyboard that is missing or refuses a report
    // leaves the console's own state as it is.
    if (handle)
        handle->sendFeatureReport(report.data(), report.size());
    m_pause(pauseMs);
}

void CommandSender::sendReport(HidDevice *handle, const Report &report)
{
    qDebug() << "sand_cmd()";
    send(handle, report, kPauseMs);
}

void CommandSender::sendLongReport(HidDevice *handle, const Report &report)
{
    qDebug() << "sand_L_cmd()";
    send(handle, report, kLongPauseMs);
}

Report CommandSender::selectProfileReport(int profile)
{
    Report r = zeroReport();
    r[0] = kReportId;
    r[1] = CMD_SELECT_PROFILE;
    r[2] = quint8(profile);
    return r;
}

Report CommandSender::keyMapReport(int profile, const std::array<quint8, 256> &map)
{
    Report r = zeroReport();
    r[0] = kReportId;
    r[1] = CMD_KEY_MAP;
    r[2] = quint8(profile);
    std::copy(map.begin(), map.end(), r.begin() + 8);
    return r;
}

Report CommandSender::zoneTableReport(int table, const Report &red, const Report &green,
                                      const Report &blue, quint8 profile)
{
    Report r = zeroReport();
    r[0] = kReportId;
    r[1] = CMD_ZONE_TABLE;
    r[2] = profile;
    const int base = kZoneTableOffsets[table];
    for (int z = 0; z < kZoneCount; ++z) {
        r[base + z] = red[z];
        r[base + kZoneCount + z] = green[z];
        r[base + 2 * kZoneCount + z] = blue[z];
    }
    if (table > 0) {
        r[74] = 0x01;
        r[75] = 0x15;
        r[142] = 0x01;
        r[143] = 0x15;
    }
    return r;
}

void CommandSender::selectProfile(HidDevice *handle, int profile)
{
    const OperationScope scope(this, profile);
    sendReport(handle, selectProfileReport(profile));
}

void CommandSender::setSingleKey(quint8 keyCode, quint8 newCode)
{
    qDebug("single_key %d %d", keyCode, newCode);
    const int pos = keyMapPosition(keyCode);
    if (pos < 0)
        return;
    keyMap[pos] = newCode;
    qDebug("aaaa  %d %d", pos, newCode);
}

void CommandSender::resetSingleKey(quint8 keyCode)
{
    const int pos = keyMapPosition(keyCode);
    if (pos >= 0)
        keyMap[pos] = DEFAULT_KEY_MAP[pos];
}

void CommandSender::resetKeyMap()
{
    keyMap = DEFAULT_KEY_MAP;
}

void CommandSender::writeKeyMap(HidDevice *handle, int profile)
{
    const OperationScope scope(this, profile);
    sendReport(handle, selectProfileReport(profile));
    sendReport(handle, keyMapReport(profile, keyMap));
    sendReport(handle, selectProfileReport(profile));
}

void CommandSender::resetKeyAndWrite(HidDevice *handle, quint8 keyCode, int profile)
{
    const OperationScope scope(this, profile);
    resetSingleKey(keyCode);
    writeKeyMap(handle, profile);
}

void CommandSender::writeKeyMapAndMacros(HidDevice *handle, const QVector<Report> &reports,
                                         int profile, int count)
{
    const OperationScope scope(this, profile);
    sendLongReport(handle, selectProfileReport(profile));
    sendLongReport(handle, keyMapReport(profile, keyMap));
    const int n = qBound(0, count, reports.size());
    for (int i = 0; i < n; ++i)
        sendLongReport(handle, reports[i]);
    sendLongReport(handle, zeroReport());
}

void CommandSender::resetProfileToDefault(HidDevice *handle, int profile)
{
    const OperationScope scope(this, profile);
    Report mode = zeroReport();
    stampMode(mode, quint8(profile));
    mode[16] = 8;
    mode[18] = 4;
    mode[19] = 8;
    mode[22] = 2;
    Report closing = mode;
    closing[13] = 4;
    sendReport(handle, selectProfileReport(profile));
    sendReport(handle, mode);
    sendReport(handle, keyMapReport(profile, DEFAULT_KEY_MAP));
    sendReport(handle, closing);
    sendReport(handle, selectProfileReport(profile));
}

void CommandSender::sendAppLight(HidDevice *handle, quint8 value)
{
    const OperationScope scope(this, 1, true);
    m_operation.tickSeries = orvanta::KeyboardLink::kLightPulseTicks;
    Report r = zeroReport();
    stampMode(r, 1); // the light pulse always addresses profile 1
    r[13] = value;
    r[16] = 8;
    r[22] = 0;
    sendReport(handle, r);
    sendReport(handle, r);
}

void CommandSender::sendLightStatic(HidDevice *handle, Report &first, Report &page1, Report &page2,
                                    Report &page3, Report &closing, quint8 profile)
{
    const OperationScope scope(this, profile);
    stampMode(first, profile);
    stampPage(page1, CMD_LED_PAGE, profile, 1, -1);
    stampPage(page2, CMD_LED_PAGE, profile, 2, -1);
    stampPage(page3, CMD_LED_PAGE, profile, 3, -1);
    stampMode(closing, profile);
    for (const Report *r :
         std::initializer_list<const Report *>{&first, &page1, &page2, &page3, &closing})
        sendReport(handle, *r);
}

void CommandSender::sendLightReactive(HidDevice *handle, Report &first, Report &page1,
                                      Report &page2, Report &page3, Report &closing, quint8 profile)
{
    const OperationScope scope(this, profile);
    stampMode(first, profile);
    stampPage(page1, CMD_LED_PAGE_EX, profile, 1, 1);
    stampPage(page2, CMD_LED_PAGE_EX, profile, 1, 2);
    stampPage(page3, CMD_LED_PAGE_EX, profile, 1, 3);
    stampMode(closing, profile);
    for (const Report *r :
         std::initializer_list<const Report *>{&first, &page1, &page2, &page3, &closing})
        sendReport(handle, *r);
}

void CommandSender::sendLightArrow(HidDevice *handle, Report &first, Report &zonePage1,
                                   Report &zonePage2, Report &closing, const Report &red,
                                   const Report &green, const Report &blue, quint8 profile)
{
    const OperationScope scope(this, profile);
    stampMode(first, profile);
    stampPage(zonePage1, CMD_ZONE_PAGE, profile, 0, 1);
    stampPage(zonePage2, CMD_ZONE_PAGE, profile, 0, 2);
    const Report table = zoneTableReport(1, red, green, blue, profile);
    stampMode(closing, profile);
    closing[12] = 2;
    closing[13] = 4;
    closing[16] = 0;
    closing[22] = 0;
    for (const Report *r :
         std::initializer_list<const Report *>{&first, &zonePage1, &zonePage2, &table, &closing})
        sendReport(handle, *r);
}

void CommandSender::sendLightWave(HidDevice *handle, Report &first, const Report &red,
                                  const Report &green, const Report &blue, Report &closing,
                                  quint8 profile)
{
    const OperationScope scope(this, profile);
    stampMode(first, profile);
    const Report table = zoneTableReport(0, red, green, blue, profile);
    stampMode(closing, profile);
    for (const Report *r : std::initializer_list<const Report *>{&first, &table, &closing})
        sendReport(handle, *r);
}

void CommandSender::sendLightRipple(HidDevice *handle, Report &first, Report &zonePage1,
                                    Report &zonePage2, const Report &red, const Report &green,
                                    const Report &blue, Report &closing, quint8 profile)
{
    const OperationScope scope(this, profile);
    qDebug("profile %d", profile);
    stampMode(first, profile);
    Report bank[3];
    const Report *sources[3] = {&red, &green, &blue};
    for (int i = 0; i < 3; ++i) {
        bank[i] = zeroReport();
        stampPage(bank[i], CMD_LED_PAGE_EX, profile, 4, i + 1);
        bank[i][28] = (*sources[i])[20];
        bank[i][29] = (*sources[i])[21];
    }
    stampPage(zonePage1, CMD_ZONE_PAGE, profile, 1, 1);
    stampPage(zonePage2, CMD_ZONE_PAGE, profile, 1, 2);
    const Report table = zoneTableReport(2, red, green, blue, profile);
    closing[0] = closing[1] = closing[2] = closing[3] = 0;
    stampMode(closing, profile);
    for (const Report *r : std::initializer_list<const Report *>{
             &first, &bank[0], &bank[1], &bank[2], &zonePage1, &zonePage2, &table, &closing})
        sendReport(handle, *r);
}
