#pragma once

#include <QString>

// The open or save dialog of project files, starting in the projects directory; the name goes in
// and comes out in `fileName`. The save dialog adds ".prj" to a name typed without an extension.
bool projectFileDialog(QString& fileName, int titleId, bool mustExist, bool open);
