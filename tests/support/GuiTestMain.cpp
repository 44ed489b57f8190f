// Entry point of the window tests: one QApplication on the offscreen platform.

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

// fontconfig and the platform plugins keep allocations for the life of the process;
// LeakSanitizer would report them as leaks of every window test.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // ctest runs the cases of one program side by side: each process gets its own data
    // folder below the one the build chose, so that no two cases share store files.
    const char* base = std::getenv("XDG_DATA_HOME");
    std::string folder = std::string(base && *base ? base : "/tmp") + "/run-XXXXXX";
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path());
    const bool own = mkdtemp(folder.data()) != nullptr;
    if (own) {
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        setenv("XDG_STATE_HOME", (folder + "/state").c_str(), 1);
        const std::string runtime = folder + "/run";
        if (mkdir(runtime.c_str(), 0700) == 0)
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (own) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return result;
}
