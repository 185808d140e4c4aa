#pragma once

#include "BuildOptions.h"

#include <QString>

struct BuildContext;

// The road of the two export targets: the EPROM image in one of its three forms and the PC Card
// image of a JEIDA card, written by the engine to a file the user chose before the build.
namespace qrl::build {

class BuildMonitor;

// Asks for the export file, in the save dialog of the options' output form (OutputForms.h). In:
// `name` the default name; out: the chosen path, with the form's extension appended unless the
// path already ends in it (exact comparison). The dialog opens in
// the builds directory, or in `projectDirectory` when that is empty. The file must be writable:
// that is proven without touching the chosen file (OutputFileCheck.h). False when the dialog is
// cancelled, or after the message naming why the file cannot be written; `name` changes only on
// success.
bool SelectExportFile(const BuildOptions& options, const QString& projectDirectory, QString& name);

// Has the engine make the export image from the slot images in the current directory, puts it in
// place at `path` through the one file writer, then removes the slot images, whatever the result.
// `medium`: the engine medium of the build. On success one progress step; on failure the monitor
// is closed, the message names the cause (for a card image that fails on its capacity, message
// kCardCapacityNotSupported), and the file at `path` is as it was. `cardRefused` (when given) tells
// whether the card's capacity was the cause: the user then chooses another card in the dialog.
bool WriteExportFile(BuildContext& context, const BuildOptions& options, StorageMedium medium,
                     const QString& path, BuildMonitor& monitor, bool* cardRefused = nullptr);

// The message of a card capacity the card image cannot be made for. It sends the user to the help
// file only when `helpFilePath` names a file that is there.
QString cardCapacityText(const QString& helpFilePath);

} // namespace qrl::build
