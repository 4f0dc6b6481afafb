#pragma once
// What the main window shows of the session beyond its panels' own controls: the messages of
// the port and the buffer, and STOP's layout across the panels. Free functions, each in the
// handler file of its subject; the window's constructor wires them to the session.

#include "core/store/config_file.h"

class ArmSession;
class Dialogs;
class MenuPanel;
class QWidget;
class TransportPanel;
struct Folders;

// port_handlers.cpp: an open that failed, a probe that came back, a device that went away.
void tellPortOutcomes(QWidget *window, ArmSession &session, Dialogs &dialogs);

// recording_handlers.cpp: STOP's layout, in STOP's order, before STOP changes the state.
void showStopLayout(TransportPanel &transport, MenuPanel &menus, const ArmSession &session);
// The capacity guard ended the recording: "Buffer Full!!!", and HOME stays off until STOP.
void tellBufferFull(QWidget *window, Dialogs &dialogs, TransportPanel &transport);

// config_handlers.cpp: the file's settings over the defaults; the defaults when it is missing
// or cannot be read, which the operator is told.
config::Settings readConfiguration(QWidget *window, const Folders &folders, Dialogs &dialogs);
