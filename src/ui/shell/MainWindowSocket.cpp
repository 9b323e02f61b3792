// Commands from the control socket.

#include "MainWindow.h"

#include "core/device/CommandSender.h"
#include "core/device/DeviceCommands.h"
#include "core/socket/SocketCommand.h"
#include "ui/lighting/LightingPage.h"

#include <QDebug>
#include <QTimer>

using namespace orvanta;

void MainWindow::socketHelperReceiveData(QVariantMap map)
{
    qDebug() << "commandResultMap:" << map.value(QStringLiteral("command")).toString();
    const SocketAction action = socketActionFor(map);
    // What other programs ask for waits in the keyboard's queue only up to its
    // bound; the rest is dropped rather than piling up without end.
    switch (action.kind) {
    case SocketAction::SwitchProfile:
        activateProfile(action.profile, Origin::OtherProgram);
        break;
    case SocketAction::PaintColour:
        qDebug() << "commandType" << map.value(QStringLiteral("Color")).toString();
        qDebug() << "rgb" << action.red << action.green << action.blue;
        // Sent only: the profile's stored lighting returns at its next activation.
        m_context.sender->send(staticColourOperation(action.red, action.green, action.blue,
                                                     quint8(m_context.lighting->profileNumber)),
                               Origin::OtherProgram);
        break;
    case SocketAction::PulseStart:
        if (!appLightTimer->isActive())
            appLightTimer->start(500);
        appLightValue = action.pulseValue;
        break;
    case SocketAction::PulseStop:
        appLightTimer->stop();
        break;
    case SocketAction::None:
        break;
    }
}

void MainWindow::pulseAppLight()
{
    m_context.sender->send(commands::lightPulse(appLightValue), Origin::OtherProgram);
}
