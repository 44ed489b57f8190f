// Fills a data folder for the start-up benchmarks.
//   make_stores <folder/>                      2000 templates with long texts, 50 categories
//   make_stores <folder/> --notes N [--rolled] [--hidden]
//                                              N stored notes at distinct places on a
//                                              1280x1024 screen, all unrolled or all rolled
//                                              up, and settings with the panel shown (or
//                                              hidden) at the bottom right

#include "model/Factory.h"
#include "store/Stores.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool WriteLargeTemplates(const std::string& folder)
{
    SystemTime now{2024, 6, 3, 12, 9, 30, 15, 0};
    Templates factory;
    LoadFactoryTemplates(factory, now);
    Templates templates;
    for (int i = 0; i < 2000; ++i) {
        SNote t = factory.get(i % factory.count());
        t.isDefault = i == 0;
        t.text = "Template " + std::to_string(i) + ": " + std::string(400, 'x');
        t.category = "Category " + std::to_string(i % 50);
        templates.append(t);
    }
    Categories categories;
    for (int i = 0; i < 50; ++i)
        categories.append("Category " + std::to_string(i));
    return store::WriteTemplates(folder, templates) && store::WriteCategories(folder, categories);
}

// Notes made from the factory templates (so every size, shape and colour is realistic),
// laid out on a 25 x 8 grid; every note has its own top-left corner on the screen.
bool WriteNotes(const std::string& folder, int count, bool rolled)
{
    SystemTime now{2024, 6, 3, 12, 9, 30, 15, 0};
    Templates factory;
    LoadFactoryTemplates(factory, now);
    std::vector<SNote> notes;
    for (int i = 0; i < count; ++i) {
        SNote n = factory.get(i % factory.count());
        n.isDefault = false;
        n.minimized = rolled;
        n.color = i % 10;
        n.shape = i % 7;
        n.text = "Note " + std::to_string(i) + ": a few words to wrap over some lines of the note.";
        n.left = (i % 25) * 48 + (i / 25) % 4;
        n.top = (i / 25 % 8) * 110 + 5;
        notes.push_back(n);
    }
    return store::WriteNotes(folder, notes);
}

bool WriteSettings(const std::string& folder, bool panelHidden)
{
    SSettings settings;
    settings.panelVisible = !panelHidden;
    settings.panelLeft = 1000;
    settings.panelTop = 680;
    return store::WriteSettings(folder, settings);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_stores <data folder with trailing slash> [--notes N "
                             "[--rolled] [--hidden]]\n");
        return 2;
    }
    const std::string folder = argv[1];
    store::CreateDataFolder(folder);
    if (argc >= 4 && std::strcmp(argv[2], "--notes") == 0) {
        const int count = std::atoi(argv[3]);
        bool rolled = false;
        bool hidden = false;
        for (int i = 4; i < argc; ++i) {
            rolled = rolled || std::strcmp(argv[i], "--rolled") == 0;
            hidden = hidden || std::strcmp(argv[i], "--hidden") == 0;
        }
        return WriteNotes(folder, count, rolled) && WriteSettings(folder, hidden) ? 0 : 1;
    }
    return WriteLargeTemplates(folder) ? 0 : 1;
}
