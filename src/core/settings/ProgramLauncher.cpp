#include "ProgramLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

namespace orvanta
{

namespace
{

#ifdef Q_OS_WIN
// The software updater needs administrator rights: the shell asks the user.
bool startElevated(const QString &program, const QString &workDir)
{
    const std::wstring file = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring dir = QDir::toNativeSeparators(workDir).toStdWString();
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = L"";
    info.lpDirectory = workDir.isEmpty() ? nullptr : dir.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info))
        return false;
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, 3000);
        CloseHandle(info.hProcess);
    }
    return true;
}
#endif

} // namespace

bool startDetachedProgram(const QString &program, const QString &workDir, bool elevated)
{
#ifdef Q_OS_WIN
    if (elevated)
        return startElevated(program, workDir);
#else
    Q_UNUSED(elevated)
#endif
    return QProcess::startDetached(program, QStringList(), workDir);
}

QString firmwareUpdaterProgram()
{
    const QString exe = QStringLiteral("./fw/FWUpdate.exe");
#ifndef Q_OS_WIN
    if (!QFileInfo::exists(exe))
        return QStringLiteral("./fw/FWUpdate");
#endif
    return exe;
}

QString softwareUpdaterProgram(const QString &folder)
{
    const QDir dir(folder);
    const QString exe = dir.filePath(QStringLiteral("BrindleUpdate.exe"));
#ifndef Q_OS_WIN
    const QString plain = dir.filePath(QStringLiteral("BrindleUpdate"));
    if (QFileInfo::exists(plain))
        return plain;
#endif
    return exe;
}

} // namespace orvanta
