#include "TestEnvironment.h"

#include <QCoreApplication>

namespace qrl::test {

void ensureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "quorlyn-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

} // namespace qrl::test
