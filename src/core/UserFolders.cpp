#include "core/UserFolders.h"

#include "platform/Environment.h"
#include "platform/FileLookup.h"
#include "platform/Prompts.h"

#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace {

QString lastName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

// The path with its last name spelt as the entry that exists, whatever its case.
QString actualPath(const QString& path) { return FileLookup::resolvePath(path); }

// Creates one folder level; the reason when that fails.
QString createOneFolder(const QString& path)
{
    std::error_code error;
    const std::filesystem::path target(path.toStdString());
    if (std::filesystem::create_directory(target, error) || std::filesystem::is_directory(target))
        return {};
    if (!error)
        error = std::make_error_code(std::errc::file_exists);
    return QString::fromStdString(error.message());
}

bool present(const QString& path)
{
    return lookupEntryName(path).compare(lastName(path), Qt::CaseInsensitive) == 0;
}

// Creates the folder when it is missing; a failure is shown under the title given.
void createReporting(const Prompts& prompts, const QString& path, const QString& title)
{
    if (present(path))
        return;
    const QString failure = createOneFolder(path);
    if (!failure.isEmpty())
        prompts.tell(failure + QStringLiteral("  ") + path, title);
}

// Makes sure one of the user's folders exists; a failure is the user folders' own, and
// the search goes on with the next step.
void makeSure(const Prompts& prompts, const QString& path)
{
    createReporting(prompts, path, QStringLiteral("User Access Directory Error"));
}

} // namespace

QString lookupEntryName(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(actualPath(path));
    if (!info.exists() || info.isHidden())
        return {};
    return info.fileName();
}

void CreateFolderPath(const Prompts& prompts, const QString& path, quint8 flag)
{
    if (path.isEmpty()) {
        prompts.tell(QStringLiteral("Invalid Path"), QStringLiteral("Unable to Create Directory"));
        return;
    }
    if (flag == 1)
        createReporting(prompts, path, QStringLiteral("Unable to create directory."));
    else if (!present(path))
        createOneFolder(path);
}

QString GetUserFolder(const Environment& env, const Prompts& prompts, const QString& folder, const QString& subfolder)
{
    const QString profile = env.variable("USERPROFILE");

    auto settle = [&](const QString& documents) {
        const QString base = actualPath(documents);
        makeSure(prompts, base + folder);
        const QString withFolder = actualPath(base + folder);
        makeSure(prompts, withFolder + subfolder);
        return withFolder;
    };

    if (profile.isEmpty()) {
        // A desktop session without a Windows-style profile: its own documents folder.
        const QString documents = env.documentsLocation();
        makeSure(prompts, documents);
        return settle(documents);
    }

    // Folder names match without regard to case, so an existing "my documents" is used
    // rather than a second folder made beside it.
    const QString myDocuments = profile + QStringLiteral("/My Documents");
    if (!present(myDocuments))
        CreateFolderPath(prompts, myDocuments, 0);
    if (present(myDocuments))
        return settle(myDocuments);

    const QString documents = profile + QStringLiteral("/Documents");
    if (present(documents))
        return settle(documents);

    const QString fromProfile = settle(profile);
    const QString appData = env.variable("APPDATA");
    // Without APPDATA the profile's own folder is the only sensible place.
    return appData.isEmpty() ? fromProfile : settle(appData);
}
