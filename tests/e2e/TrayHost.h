#pragma once
// A minimal system tray on an X display (the XEmbed tray protocol, without the
// embedding): it owns the tray selection, so programs started on the display
// show their tray icons, and it maps each icon that asks to dock at the top
// left corner, where xdotool can click it.

#include <QString>

namespace orvanta::test
{

class TrayHost
{
public:
    TrayHost() = default;
    ~TrayHost();
    TrayHost(const TrayHost &) = delete;
    TrayHost &operator=(const TrayHost &) = delete;

    // Becomes the tray of `display` (":N"); false when that fails.
    bool open(const QString &display);
    // Waits for an icon to ask to dock, maps it and returns its window (0 if none came).
    unsigned long waitForIcon(int timeoutMs);

private:
    void *m_display = nullptr; // Display *
    unsigned long m_tray = 0;  // the tray's own window
    unsigned long m_opcode = 0;
};

} // namespace orvanta::test
