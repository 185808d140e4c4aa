#pragma once

class QWidget;

// A session end (SIGTERM, SIGINT, SIGHUP, or the session manager's quit) closes the main window the
// way its close command does, so the placement, the version and the log's ending line are written.
void installSessionEndHandler(QWidget* mainWindow);
