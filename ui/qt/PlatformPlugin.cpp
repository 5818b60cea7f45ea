#include "PlatformPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <dlfcn.h>

namespace Brisvane {
namespace {

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

// Whether the plugin in `file` is a platform plugin with the key `name`,
// from its metadata, which is read without loading it.
bool IsPlatform(const QString& file, const QString& name)
{
    const QJsonObject metaData = QPluginLoader(file).metaData();
    if (!metaData.value(QStringLiteral("IID"))
             .toString()
             .startsWith(QStringLiteral("org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface")))
        return false;
    const QJsonArray keys =
        metaData.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
    return std::any_of(keys.begin(), keys.end(),
                       [&](const QJsonValue& key) { return key.toString().compare(name, Qt::CaseInsensitive) == 0; });
}

// Whether the process has the library in `file` loaded: the dynamic loader
// knows a file by its identity, whatever path it was opened by.
bool IsLoaded(const QString& file)
{
    void* handle = ::dlopen(QFile::encodeName(file).constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    ::dlclose(handle);
    return true;
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
            if (!QLibrary::isLibrary(file) || !IsPlatform(file, key))
                continue;
            if (IsLoaded(file))
                return {PluginState::Ran, {}};
            // Loaded here only to hear from the dynamic loader why Qt could
            // not load it; the program ends next.
            if (void* handle = ::dlopen(QFile::encodeName(file).constData(), RTLD_LAZY)) {
                ::dlclose(handle);
                return {PluginState::Ran, {}};
            }
            if (found.State == PluginState::Missing)
                found = {PluginState::Unloadable, ::dlerror()};
        }
    }
    return found;
}

}  // namespace Brisvane
