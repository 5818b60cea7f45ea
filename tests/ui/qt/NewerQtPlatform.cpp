// A platform plugin as a newer Qt builds one: its metadata says Qt 6.9 (or
// one minor version past this Qt), and its version tag binds to that
// version of Qt Core (NewerQtCore.cpp), which this Qt lacks. This Qt rejects
// it from its metadata, and the dynamic loader would refuse it. It never
// runs: it makes nothing.

#include <QObject>

// The minor version a plugin's metadata records is the one its Qt headers
// say, where the plugin's header is read.
#undef QT_VERSION_MINOR
#define QT_VERSION_MINOR BRISVANE_NEWER_QT_MINOR

#include <QtPlugin>

class NewerQtPlatform : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3" FILE "NewerQtPlatform.json")
};

#include "NewerQtPlatform.moc"
