#include "LightCommandReplay.h"

#include "CommandSender.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <QDebug>

namespace orvanta {

StoredLighting parseStoredLighting(const QStringList &stored)
{
    qDebug() << "change_light_cmd_to_char()";
    StoredLighting out;
    if (stored.isEmpty())
        return out;
    out.type = toNumber(stored[0], -1);
    const int count = IniStore::lightCmdReportCount(out.type);
    bool complete = count > 0 && stored.size() >= count + 1;
    for (int i = 0; i < count; ++i) {
        const QString line = stored.value(i + 1);
        const QStringList parts = splitList(line);
        if (parts.size() < int(kReportSize))
            complete = false;
        Report r = zeroReport();
        for (int b = 0; b < int(kReportSize) && b < parts.size(); ++b) {
            bool ok = false;
            const int v = parts[b].trimmed().toInt(&ok);
            if (!ok)
                complete = false;
            r[b] = quint8(v & 0xFF);
        }
        out.buffers.append(r);
    }
    out.complete = complete;
    return out;
}

bool sendLightSet(CommandSender &sender, HidDevice *handle, int type, QVector<Report> &b,
                  quint8 profile)
{
    if (b.size() != IniStore::lightCmdReportCount(type))
        return false;
    switch (type) {
    case 0:
        sender.sendLightStatic(handle, b[0], b[1], b[2], b[3], b[4], profile);
        return true;
    case 1:
        sender.sendLightReactive(handle, b[0], b[1], b[2], b[3], b[4], profile);
        return true;
    case 2:
        sender.sendLightArrow(handle, b[0], b[1], b[2], b[6], b[3], b[4], b[5], profile);
        return true;
    case 3:
        sender.sendLightWave(handle, b[0], b[1], b[2], b[3], b[4], profile);
        return true;
    case 4:
        sender.sendLightRipple(handle, b[0], b[1], b[2], b[3], b[4], b[5], b[6], profile);
        return true;
    default:
        return false;
    }
}

bool replayStoredLighting(CommandSender &sender, HidDevice *handle, StoredLighting l,
                          quint8 profile)
{
    return l.complete && sendLightSet(sender, handle, l.type, l.buffers, profile);
}

} // namespace orvanta
