#pragma once

#include <QString>

#include <cstdint>

namespace qrl {

// The version record a deliverable carries in its ELF section ".qrl_version".
struct VersionRecord {
    std::uint16_t file[4] = {};
    std::uint16_t product[4] = {};
};

// Reads the version record of the ELF file at `path`. False when the file cannot be read, is no
// 64-bit little-endian ELF file, or has no well-formed record; `out` is then unchanged.
bool readVersionRecord(const QString& path, VersionRecord& out);

// "%d,%d,%d,%d" of four version words.
QString versionText(const std::uint16_t words[4]);

} // namespace qrl
