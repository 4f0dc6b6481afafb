#pragma once
// The program's name and version, set here once for every program built on the core: the
// window, the simulator and the tools.

#include <QCommandLineOption>
#include <QString>

namespace program {

// The application name. The configuration and help folders are found under it, so it has no
// organisation name beside it: ~/.config/kestrel, ~/.local/share/kestrel.
QString name();
// The name people read, in a message box without a title of its own.
QString displayName();
// The project's version.
QString version();
// The desktop application's id: its menu entry is <id>.desktop, its AppStream metadata
// <id>.metainfo.xml.
QString appId();

// -h/--help and -v/--version, worded alike on every program's command line.
QCommandLineOption helpOption();
QCommandLineOption versionOption();

// Names the application (name and version) for the folders and for --version. Call once the
// application object exists; harmless to call again.
void nameApplication();

} // namespace program
