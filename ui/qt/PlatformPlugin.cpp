#include "PlatformPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <algorithm>

namespace Brisvane {
namespace {

// The interface a platform plugin declares, the same since Qt 5.3
// (QPlatformIntegrationFactoryInterface_iid, in a private header of Qt's):
// Qt takes no plugin that declares another for a platform.
const QString PlatformInterface = QStringLiteral("org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3");

// Where Qt looks for platform plugins: the folder QT_QPA_PLATFORM_PLUGIN_PATH
// names first, then "platforms" in each of its library paths.
QStringList PlatformFolders()
{
    QStringList folders;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM_PLUGIN_PATH"))
        folders.append(qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"));
    for (const QString& path : QCoreApplication::libraryPaths())
        folders.append(path + QStringLiteral("/platforms"));
    return folders;
}

// Whether the plugin is a platform plugin with the key `name`, from its
// metadata, which is read without loading it.
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

}  // namespace

PlatformPlugin FindPlatformPlugin(const std::string& name)
{
    const QString key = QString::fromStdString(name);
    PlatformPlugin found;
    for (const QString& folder : PlatformFolders()) {
        const QDir dir(folder);
        for (const QString& entry : dir.entryList(QDir::Files)) {
            const QString file = dir.filePath(entry);
            if (!QLibrary::isLibrary(file))
                continue;
            // Qt's loader knows a plugin by its real path, and shares what
            // it loaded with this one.
            QPluginLoader plugin(QFileInfo(file).canonicalFilePath());
            if (!IsPlatform(plugin, key))
                continue;
            if (plugin.isLoaded())
                return {PluginState::Loaded, {}};
            // Loaded here only to hear Qt's reason where it would not load;
            // the program ends next.
            if (plugin.load()) {
                found = {PluginState::Untried, {}};
                continue;
            }
            if (found.State != PluginState::Missing)
                continue;
            // A plugin whose library Qt has failed to load keeps no reason
            // in the plugin loader; the library loader gives it again.
            const QString rejected = plugin.errorString();
            QLibrary library(plugin.fileName());
            found = {PluginState::Unloadable, (library.load() ? rejected : library.errorString()).toStdString()};
        }
    }
    return found;
}

}  // namespace Brisvane
