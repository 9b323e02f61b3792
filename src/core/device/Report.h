#pragma once
// Framing of the keyboard's feature reports: 264 bytes, report id 7 in byte 0,
// command code in byte 1, on-board profile (1..5) in byte 2.

#include <QtGlobal>
#include <array>
#include <cstddef>

namespace orvanta {

constexpr std::size_t kReportSize = 264;
constexpr quint8 kReportId = 7;

using Report = std::array<quint8, kReportSize>;

inline Report zeroReport()
{
    Report r{};
    r.fill(0);
    return r;
}

enum Command : quint8 {
    CMD_SELECT_PROFILE = 0x01,
    CMD_LIGHT_MODE = 0x02,
    CMD_KEY_MAP = 0x03,
    CMD_MACRO = 0x05,
    CMD_LED_PAGE = 0x09,
    CMD_LED_PAGE_EX = 0x0A,
    CMD_ZONE_PAGE = 0x0C,
    CMD_ZONE_TABLE = 0x0D,
};

// The keyboard's firmware needs these pauses after each report.
constexpr unsigned kPauseMs = 100;
constexpr unsigned kLongPauseMs = 300; // key-map and macro writes

// Zone colour tables inside a CMD_ZONE_TABLE report: 22 red, 22 green, 22 blue.
constexpr int kZoneCount = 22;
constexpr int kZoneTableOffsets[3] = {8, 76, 144};

} // namespace orvanta
