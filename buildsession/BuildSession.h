#pragma once

#include "BuildContextBlocks.h"
#include "BuildOptions.h"
#include "BuildProject.h"

#include <QString>

#include <memory>

namespace qrl {
class Spooler;
}

namespace qrl::build {

class BuildMonitor;
class BuildWorkspace;

// One build of a project, from the checks to the delivery: the work behind the build dialog's
// Build button, without a window. Questions, file dialogs and messages go through qrl::ui(); the
// progress window is the monitor. The build runs in a private directory that is removed, and the
// current directory restored, on every road; a failed road leaves no job, and the output file as
// it was before the build (none when there was none).
class BuildSession {
public:
    // `spooler`: not owned; nullptr means the program's spooler.
    explicit BuildSession(qrl::Spooler* spooler = nullptr);
    ~BuildSession();
    BuildSession(const BuildSession&) = delete;
    BuildSession& operator=(const BuildSession&) = delete;

    // Builds `project` as `options` say and delivers it. The result says whether the dialog
    // closes and carries the project's settings with the medium the build was made for.
    BuildResult run(const BuildProject& project, const BuildOptions& options, BuildMonitor& monitor);

    // The checks before anything is asked: items present, program data readable, names fit for
    // printer commands. False after the message.
    static bool ValidateProject(const BuildProject& project, const BuildOptions& options);

    // The default name of an export file: the title without a ".prj" extension.
    static QString defaultExportName(const QString& title);

private:
    bool confirmFormat(const BuildOptions& options) const;
    bool chooseOutputFile(const BuildOptions& options, QString& path) const;
    bool BuildItems(const BuildProject& project, StorageMedium medium, const BuildWorkspace& workspace);
    bool BuildFontItem(const BuildItem& item, int index);
    bool BuildResourceItem(const BuildItem& item, int index, StorageMedium medium,
                           const BuildWorkspace& workspace);
    bool BuildSlots(StorageMedium medium);
    bool deliver(const BuildProject& project, const BuildOptions& options, const QString& outputPath);

    static void BuildProgressCallback(const char* text, int weight, void* user);

    qrl::Spooler* m_spooler;
    // Made anew by every run: a build never sees the blocks of an earlier one.
    std::unique_ptr<BuildContextBlocks> m_context;
    BuildMonitor* m_monitor = nullptr;
};

} // namespace qrl::build
