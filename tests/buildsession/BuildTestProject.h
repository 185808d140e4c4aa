// Projects for build tests, made in code from small resource files, and the slot images the
// engine makes of them on its own (without the build session).
#pragma once

#include "BuildProject.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace qrl::test {

// Item files of a fixture project, written into `dir`.
class BuildFixture {
public:
    explicit BuildFixture(std::string dir) : m_dir(std::move(dir)) {}

    // An item of `subtype` whose file holds `bytes`.
    build::BuildItem item(const std::string& fileName, int subtype, const std::string& name,
                          const std::string& bytes, std::uint16_t automatic = 0,
                          std::uint32_t resourceId = 0) const;
    // A PCL macro whose ".par" writer writes the body between its start and end escapes.
    build::BuildItem pclMacro(const std::string& fileName, std::uint32_t number,
                              const std::string& body) const;

    // A Tellurade macro ABCD, a PCL macro 12, a power-on form FORM1 and program data fwupdate, on a
    // Compact Flash card of 128 MB.
    build::BuildProject cardProject() const;

private:
    std::string m_dir;
};

// One slot image as the engine writes it.
struct EngineSlot {
    int kind = 0;
    QByteArray name;
    QByteArray image;
};

// Runs the engine's resource, link, slot and image exports over `project` for `medium` in a
// directory of its own and returns the slot images in slot order.
std::vector<EngineSlot> engineSlots(const build::BuildProject& project, StorageMedium medium);

// What every road of a build must leave: the current directory as it was before, and nothing of
// the build in the program's temporary directory.
class BuildLeftovers {
public:
    BuildLeftovers();
    void expectNone() const;

private:
    QString m_startDir;
};

// What the Tarnwick road sends of a macro slot image: the bytes from 236 on, without the zero
// bytes among the last four.
QByteArray trimmedMacroImage(const QByteArray& image);

} // namespace qrl::test
