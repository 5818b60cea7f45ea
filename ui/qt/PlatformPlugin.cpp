#include "PlatformPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLatin1StringView>
#include <QLibrary>
#include <QPluginLoader>

#include <algorithm>

namespace Brisvane {
namespace {

// The interface a platform plugin declares, the same since Qt 5.3
// (QPlatformIntegrationFactoryInterface_iid, in a private header of Qt's):
// Qt takes no plugin that declares another for a platform.
constexpr QLatin1StringView PlatformInterface("org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3");

// Returns where Qt looks for platform plugins: the folder
// QT_QPA_PLATFORM_PLUGIN_PATH names first, then "platforms" in each of its
// library paths.
QStringList PlatformFolders()
{
    QStringList folders;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM_PLUGIN_PATH"))
        folders.append(qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"));
    for (const QString& path : QCoreApplication::libraryPaths())
        folders.append(path + QStringLiteral("/platforms"));
    return folders;
}

// Returns whether the plugin is a platform plugin with the key `name`, from
// its metadata, which is read without loading it.
bool IsPlatform(const QPluginLoader& plugin, const QString& name)
{
    const QJsonObject metaData = plugin.metaData();
    if (metaData.value(QStringLiteral("IID")).toString() != PlatformInterface)
        return false;
    const QJsonArray keys =
        metaData.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
    return std::any_of(keys.begin(), keys.end(),
                       [&](const QJsonValue& key) { return key.toString().compare(name, Qt::CaseInsensitive) == 0; });
}

// Returns the plugins for the platform `name`, in the order Qt finds them,
// each by its real path: Qt's loader knows a plugin by that, and shares
// what it loaded with a loader made from it.
QStringList PluginFiles(const std::string& name)
{
    const QString key = QString::fromStdString(name);
    QStringList files;
    for (const QString& folder : PlatformFolders()) {
        const QDir dir(folder);
        for (const QString& entry : dir.entryList(QDir::Files)) {
            const QString file = QFileInfo(dir.filePath(entry)).canonicalFilePath();
            if (QLibrary::isLibrary(file) && IsPlatform(QPluginLoader(file), key))
                files.append(file);
        }
    }
    return files;
}

bool AnyLoaded(const QStringList& files)
{
    return std::any_of(files.begin(), files.end(), [](const QString& file) { return QPluginLoader(file).isLoaded(); });
}

}  // namespace

bool IsPlatformLoaded(const std::string& name)
{
    return AnyLoaded(PluginFiles(name));
}

PlatformPlugin FindPlatformPlugin(const std::string& name)
{
    const QStringList files = PluginFiles(name);
    if (files.isEmpty())
        return {};
    if (AnyLoaded(files))
        return {PluginState::Loaded, {}};
    // Qt keeps its reason for each plugin it rejected from its metadata, and
    // took the first it did not reject.
    const QString noReason = QPluginLoader().errorString();
    for (const QString& file : files) {
        const QPluginLoader plugin(file);
        if (plugin.errorString() != noReason)
            continue;
        // Where loading it failed, Qt keeps no reason, and its plugin loader
        // does not try again: the library loader does, and fails the same
        // way, before any of the plugin's code runs.
        QLibrary library(file);
        return {PluginState::Unloadable, (library.load() ? noReason : library.errorString()).toStdString()};
    }
    return {PluginState::Unloadable, QPluginLoader(files.front()).errorString().toStdString()};
}

}  // namespace Brisvane
