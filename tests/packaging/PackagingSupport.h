#pragma once
// The environments in which the packaging tests run the console and outside tools.

#include <QProcessEnvironment>
#include <QString>

namespace orvanta::test
{

// The environment without the preloaded fake keyboard: outside tools get nothing
// of the console's test set-up.
inline QProcessEnvironment plainEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    return env;
}

// The environment in which the console meets the fake keyboard.
inline QProcessEnvironment fakeKeyboardEnvironment()
{
    QProcessEnvironment env = plainEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), qEnvironmentVariable("ORVANTA_FAKEHID_PRELOAD"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Nothing may leave the machine: the update service is a closed loopback port.
    env.insert(QStringLiteral("ORVANTA_UPDATE_URL"), QStringLiteral("http://127.0.0.1:9"));
    return env;
}

} // namespace orvanta::test
