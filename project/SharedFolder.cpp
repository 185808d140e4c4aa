#include "SharedFolder.h"

namespace qrl {

bool isSharedFolderPath(const QString& path)
{
    return path.startsWith(QLatin1Char('\\'));
}

} // namespace qrl
