// Entry point of the window tests: one QApplication on the offscreen platform.

#include <QApplication>

#include <cstdlib>
#include <gtest/gtest.h>

// fontconfig and the platform plugins keep allocations for the life of the process;
// LeakSanitizer would report them as leaks of every window test.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
