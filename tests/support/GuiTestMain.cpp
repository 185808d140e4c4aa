// The main() of GUI tests: one QApplication for the whole run, made before any test and destroyed
// before the program's static objects.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
