#pragma once

#include <QString>

// Where the CCPY command files are proposed and under which names.
namespace qrl::ccpy {

inline constexpr int kLastNumber = 99;

// The forms directory, else the project's directory, else empty (a bare name).
QString proposalDirectory(const QString& formsDirectory, const QString& projectDirectory);

// "ccpy on.prn" (enable) or "ccpy off.prn" in `directory`, or while that name is taken the
// first free one of "ccpy on2.prn" to "ccpy on99.prn"; when all are taken, the 99th (the save
// dialog then asks before it is replaced). A name is taken by anything that stands there, a
// dangling link included, so a proposal never writes through a link into another place.
QString proposeFileName(const QString& directory, bool enable);

// Whether anything stands at `path`.
bool isNameTaken(const QString& path);

} // namespace qrl::ccpy
