#include "ProfileLibrary.h"

#include "ProfileBindings.h"
#include "ProfileExportCheck.h"
#include "ProfileStore.h"
#include "core/app/Notices.h"
#include "core/app/TranslationContexts.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/RegularFile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvanta
{

namespace
{
const QString kLightfile = QStringLiteral("./lightfile/");

QString noRoom(int limit)
{
    return context::Shell::tr("No room for another profile: at most %1 are kept").arg(limit);
}

// Tells what a copy left out: entries that are not folders or regular files.
void tellSkipped(Notices &notices, const QString &profile, const QStringList &skipped)
{
    QStringList names;
    for (const QString &path : skipped)
        names << QFileInfo(path).fileName();
    if (!names.isEmpty())
        notices.refuse(context::Shell::tr("%1 was made without %2: only folders and regular "
                                          "files are copied")
                           .arg(profile, names.join(QStringLiteral(", "))));
}
} // namespace

ProfileLibrary::ProfileLibrary(ProfileBindings &bindings, Notices &notices,
                               std::function<bool()> allowed)
    : m_bindings(bindings), m_notices(notices), m_allowed(std::move(allowed))
{
}

bool ProfileLibrary::saveBindings()
{
    return m_notices.report(m_bindings.save());
}

ProfileResult ProfileLibrary::refuse(const QString &text)
{
    m_notices.refuse(text);
    return ProfileResult{ProfileResult::Status::Refused};
}

ProfileResult ProfileLibrary::failed(const QString &text, const QString &path,
                                     const QString &reason)
{
    m_notices.fileFailed(text, path, reason);
    return ProfileResult{ProfileResult::Status::Failed};
}

ProfileResult ProfileLibrary::create()
{
    if (m_allowed && !m_allowed())
        return {};
    const QString name =
        countEntries(QStringLiteral("./lightfile")) >= kProfileLimit ? QString() : newProfileName();
    if (name.isEmpty())
        return refuse(noRoom(kProfileLimit));
    SaveResult saved;
    QStringList skipped;
    if (!copyProfile(ProfileBindings::builtIn(1), name, &saved, &skipped)) {
        (void)m_notices.report(saved);
        return ProfileResult{ProfileResult::Status::Failed};
    }
    tellSkipped(m_notices, name, skipped);
    return ProfileResult{ProfileResult::Status::Done, name};
}

ProfileResult ProfileLibrary::copy(const QString &profile)
{
    if ((m_allowed && !m_allowed()) || profile.isEmpty())
        return {};
    // The listing counted with "." and "..": copies stop at 13 real entries.
    if (countEntries(QStringLiteral("./lightfile")) + 2 >= kProfileLimit)
        return refuse(noRoom(kProfileLimit - 2));
    const QString name = copyNameFor(profile);
    if (name.isEmpty())
        return refuse(
            context::Shell::tr("No more copies of %1: every copy name is taken").arg(profile));
    SaveResult saved;
    QStringList skipped;
    if (!copyProfile(profile, name, &saved, &skipped)) {
        (void)m_notices.report(saved);
        return ProfileResult{ProfileResult::Status::Failed};
    }
    tellSkipped(m_notices, name, skipped);
    return ProfileResult{ProfileResult::Status::Done, name};
}

ProfileResult ProfileLibrary::remove(const QString &profile)
{
    if ((m_allowed && !m_allowed()) || profile.isEmpty())
        return {};
    if (isBuiltInProfile(profile))
        return refuse(
            context::Shell::tr("%1 is a built-in profile and cannot be deleted").arg(profile));
    if (m_keepForUndo && !m_keepForUndo(QStringLiteral("profile"), profile,
                                        {QStringLiteral("lightfile/") + profile,
                                         QStringLiteral("system/profile_connect.ini")}))
        return ProfileResult{ProfileResult::Status::Failed}; // told by the keeper
    const SaveResult deleted = deleteProfile(profile);
    if (!deleted.ok())
        return failed(context::Shell::tr("Could not delete %1: a file in it could not be removed")
                          .arg(profile),
                      deleted.failures().first().path, deleted.failures().first().reason);
    const int slot = m_bindings.active;
    m_bindings.names[slot - 1] = ProfileBindings::builtIn(slot);
    (void)saveBindings();
    return ProfileResult{ProfileResult::Status::Done, m_bindings.names[slot - 1]};
}

ProfileResult ProfileLibrary::rename(const QString &profile, const QString &typed)
{
    if (m_allowed && !m_allowed())
        return {};
    QString text = typed;
    const bool cut = text.size() > kNameLimit;
    if (cut)
        text.truncate(kNameLimit);
    if (text.trimmed().isEmpty())
        return refuse(context::Shell::tr("A profile name cannot be empty"));
    if (containsForbiddenCharacter(text) || text.contains(QLatin1String(".."))) {
        qDebug() << "forbidden character in profile name" << text;
        return refuse(
            context::Shell::tr("A profile name cannot contain * | \\ : \" < > ? / or .."));
    }
    if (text != text.trimmed())
        return refuse(context::Shell::tr("A profile name cannot begin or end with a space"));
    if (listEntries(QStringLiteral("./lightfile")).contains(text))
        return refuse(context::Shell::tr("A profile named %1 already exists").arg(text));
    if (!isUsableProfileName(text) || isBuiltInProfile(text))
        return refuse(context::Shell::tr("%1 is the name of a built-in profile").arg(text));
    if (profile.isEmpty())
        return {};
    if (isBuiltInProfile(profile))
        return refuse(
            context::Shell::tr("%1 is a built-in profile and cannot be renamed").arg(profile));
    const QString from = kLightfile + profile;
    const QString to = kLightfile + text;
    if (!QDir().rename(from, to))
        return failed(
            context::Shell::tr("Could not rename %1 to %2; it keeps its name").arg(profile, text),
            from, QStringLiteral("rename failed"));
    // Every slot bound to the old name follows it.
    QStringList &names = m_bindings.names;
    const QStringList before = names;
    for (QString &name : names)
        if (name == profile)
            name = text;
    names[m_bindings.active - 1] = text;
    if (!saveBindings()) {
        // The bindings still name the old folder: it keeps its name.
        QDir().rename(to, from);
        names = before;
        return ProfileResult{ProfileResult::Status::Failed};
    }
    ProfileResult done = ProfileResult{ProfileResult::Status::Done, text};
    if (cut)
        done.note = context::Shell::tr("Profile names are at most %1 characters: renamed to %2")
                        .arg(kNameLimit)
                        .arg(text);
    return done;
}

ProfileResult ProfileLibrary::exportTo(const QString &profile, const QString &chosenFile)
{
    const QString target = exportFileName(chosenFile);
    if ((m_allowed && !m_allowed()) || profile.isEmpty() || target.isEmpty())
        return {};
    const QString failure = appendToRegularFile(target, exportText(profile).toUtf8());
    if (!failure.isEmpty()) {
        qWarning().noquote() << "save failed:" << target << "-" << failure;
        (void)m_notices.report(SaveResult(target, failure));
        return ProfileResult{ProfileResult::Status::Failed};
    }
    return ProfileResult{ProfileResult::Status::Done, profile};
}

ProfileResult ProfileLibrary::importFrom(const QString &file)
{
    if ((m_allowed && !m_allowed()) || file.isEmpty())
        return {};
    const QString name = importNameFromPath(file);
    if (!isProfileExport(file))
        return refuse(context::Shell::tr("%1 is not a profile export: nothing was imported")
                          .arg(QFileInfo(file).fileName()));
    if (name.isEmpty())
        return refuse(
            context::Shell::tr("%1 does not give a usable profile name: nothing was imported")
                .arg(QFileInfo(file).fileName()));
    if (QFileInfo::exists(kLightfile + name))
        return refuse(context::Shell::tr("A profile named %1 already exists").arg(name));
    if (!m_notices.report(importProfile(file, name)))
        return ProfileResult{ProfileResult::Status::Failed};
    return ProfileResult{ProfileResult::Status::Done, name};
}

} // namespace orvanta
