// One input = one store file: the first byte picks the store, the rest is its content.
// Each input is read, written back and read again; the second read must give what the
// first one did (a sound reader never needs a second pass to settle).

#include "model/Factory.h"
#include "store/Stores.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const std::string& Folder()
{
    // Never destroyed: the exit handler below still needs it.
    static const std::string* folder = [] {
        // Every write syncs: on tmpfs that costs nothing.
        const bool shm = access("/dev/shm", W_OK) == 0;
        std::string pattern = shm ? "/dev/shm/pinleaf-fuzz-XXXXXX" : "/tmp/pinleaf-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return new std::string(pattern + "/");
    }();
    return *folder;
}

void Put(const char* name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = Folder() + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
}

void Clean(const char* name)
{
    unlink((Folder() + name).c_str());
    // Each damaged read keeps a copy of its own: all of them go.
    const std::string copies = std::string(name) + ".damaged";
    for (const auto& entry : std::filesystem::directory_iterator(Folder()))
        if (entry.path().filename().string().rfind(copies, 0) == 0)
            unlink(entry.path().c_str());
}

template <typename T> void Same(const T& first, const T& second)
{
    if (!(first == second))
        std::abort();
}

bool SameSettings(const SSettings& a, const SSettings& b)
{
    return a.alwaysOnTop == b.alwaysOnTop && a.panelVisible == b.panelVisible &&
           a.panelColor == b.panelColor && a.panelStyle == b.panelStyle &&
           a.listViewMode == b.listViewMode && a.hotKeyMode == b.hotKeyMode &&
           a.panelLeft == b.panelLeft && a.panelTop == b.panelTop;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string& folder = Folder();
    // The stores keep no day of the week: a factory record made now reads back with 0.
    const SystemTime now{2024, 6, 0, 12, 9, 30, 15, 0};
    // The program reads with the factory font as the base, as the factory records use.
    const LogFont base = FactoryFont();
    switch (data[0] % 4) {
    case 0: {
        Put(store::kSettingsFile, data + 1, size - 1);
        SSettings first, second;
        store::ReadSettings(folder, first);
        if (!store::WriteSettings(folder, first))
            std::abort();
        store::ReadSettings(folder, second);
        if (!SameSettings(first, second))
            std::abort();
        Clean(store::kSettingsFile);
        break;
    }
    case 1: {
        Put(store::kCategoriesFile, data + 1, size - 1);
        Categories first, second;
        store::ReadCategories(folder, first);
        if (!store::WriteCategories(folder, first))
            std::abort();
        store::ReadCategories(folder, second);
        if (first.count() > 0) // an empty list reads back as the factory one
            Same(first.all(), second.all());
        Clean(store::kCategoriesFile);
        break;
    }
    case 2: {
        Put(store::kTemplatesFile, data + 1, size - 1);
        Templates first, second;
        store::ReadTemplates(folder, first, base, now);
        if (!store::WriteTemplates(folder, first))
            std::abort();
        store::ReadTemplates(folder, second, base, now);
        if (first.count() > 0) // an empty set reads back as the factory one
            Same(first.all(), second.all());
        Clean(store::kTemplatesFile);
        break;
    }
    default: {
        Put(store::kNotesFile, data + 1, size - 1);
        const std::vector<SNote> first = store::ReadNotes(folder, base);
        if (!store::WriteNotes(folder, first))
            std::abort();
        Same(first, store::ReadNotes(folder, base));
        Clean(store::kNotesFile);
        break;
    }
    }
    return 0;
}
