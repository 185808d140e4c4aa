#pragma once

#include <QApplication>

namespace qrl::test {

// The one QApplication of a widget test executable, made on first use (offscreen under CTest).
inline void ensureGuiApplication()
{
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "quorlyn-gui-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

} // namespace qrl::test
