// Fuzz harness of the content checks and the font-number scans: every check runs on each input.
#include "ProjectFile.h"
#include "ProjectFileFakeTarget.h"
#include "ResourceCheck.h"
#include "TempCwd.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static qrl::test::TempDirectory dir;
    const std::string file = dir.file("resource.bin");
    qrl::test::writeFile(file, std::string(reinterpret_cast<const char*>(data), size));
    const QString path = QString::fromStdString(file);

    ProjectFileFakeTarget target;
    for (int subtype = 0; subtype <= 9; ++subtype)
        ValidateItemFile(path, subtype, target);
    std::uint32_t id = 0;
    GetSfaFontID(path, id, target);
    GetPclFontID(path, id, target);
    return 0;
}
