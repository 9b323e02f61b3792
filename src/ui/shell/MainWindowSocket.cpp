// Commands from the control socket.

#include "MainWindow.h"

#include "core/device/CommandSender.h"
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
    m_context.sender->setFromOtherProgram(true);
    switch (action.kind) {
    case SocketAction::SwitchProfile:
        activateProfile(action.profile);
        break;
    case SocketAction::PaintColour:
        qDebug() << "commandType" << map.value(QStringLiteral("Color")).toString();
        qDebug() << "rgb" << action.red << action.green << action.blue;
        // Sent only: the profile's stored lighting returns at its next activation.
        sendStaticColour(*m_context.sender, m_context.device, action.red, action.green, action.blue,
                         quint8(m_context.lighting->profileNumber));
        break;
    case SocketAction::PulseStart:
        if (!appLightTimer->isActive())
            appLightTimer->start(500);
        appLightValue = action.pulseValue;
        break;
    case SocketAction::PulseStop:
        appLightTimer->stop();
        // A tick still waiting behind other operations would light the keyboard
        // after the stop; one already being sent finishes.
        if (m_context.link)
            m_context.link->withdrawTicks(KeyboardLink::kLightPulseTicks);
        break;
    case SocketAction::None:
        break;
    }
    m_context.sender->setFromOtherProgram(false);
}

void MainWindow::pulseAppLight()
{
    m_context.sender->setFromOtherProgram(true);
    m_context.sender->sendAppLight(m_context.device, appLightValue);
    m_context.sender->setFromOtherProgram(false);
}
