// Fuzz harness of the project file readers: each input is read as a current project, imported as
// an older one and opened as the program opens a file. Every file an imported record names is the
// input itself, so the content checks of the font classification see hostile bytes too.
#include "AppContext.h"
#include "ProjectFile.h"
#include "ProjectFileFakeTarget.h"
#include "TempCwd.h"

#include <QBuffer>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static qrl::AppContext app;
    static qrl::test::TempDirectory dir;
    const std::string file = dir.file("input.bin");
    const std::string input(reinterpret_cast<const char*>(data), size);
    qrl::test::writeFile(file, input);

    for (int road = 0; road < 3; ++road) {
        QByteArray bytes(input.data(), static_cast<qsizetype>(input.size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ProjectFileFakeTarget target;
        target.everyFileIs = QString::fromStdString(file);
        const QString path = QStringLiteral("fuzz.prj");
        if (road == 0)
            ReadProjectFile(buffer, path, target);
        else if (road == 1)
            ImportDosProject(buffer, path, target);
        else
            LoadProjectFile(buffer, path, target);
    }
    return 0;
}
