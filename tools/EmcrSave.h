#pragma once

#include "EmcrCommandFile.h"

#include <QString>

class CQuorlyn32Doc;

// Where the EMCR creator's two files go and the road that asks for them and writes them.
namespace qrl::emcr {

// The directory the files are proposed in: the forms directory of the file locations, or, when
// that is not set, the directory of the project's file (empty for a project never saved). Ends
// with a separator unless empty.
QString fileDirectory(const QString& formsDirectory, const QString& projectPath);

// The file name offered in `directory`: `base` + ".prn", or, while that is taken, `base` followed
// by 2 ... 99 and ".prn". A name is taken by any directory entry, a dangling link included. When
// all of them are taken the name with 99 is offered; the save dialog asks before it is overwritten.
QString proposedFileName(const QString& directory, const QString& base);

// "emcr on" / "emcr off" from the string table (the fixed texts when the table has none).
QString enableBaseName();
QString disableBaseName();

enum class SaveOutcome {
    Written,  // both files written: the paths are set
    StayOpen, // nothing to write, a refusal shown, a save dialog cancelled or the disable file failed
    Cancel,   // the enable file failed: the creator ends
};
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::StayOpen;
    QString enablePath;
    QString disablePath;
};

// The creator's "Add to project": refuses a job with no assignment (message kEmcrNoAssignment) or one that
// cannot become commands, then asks for the enable file and writes it, then the disable file
// (refused, message kDisableFileIsEnableFile, when it names the enable file). Paths are set only when both
// were written; an enable file written before a failed, refused or cancelled disable file stays on disk.
SaveResult saveFiles(const EmcrCommandJob& job, const QString& directory);

} // namespace qrl::emcr
