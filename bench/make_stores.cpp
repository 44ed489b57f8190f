// Fills a data folder with large stores for the start-up benchmark: 2000 templates with
// long texts and 50 categories.

#include "model/Factory.h"
#include "store/Stores.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_stores <data folder with trailing slash>\n");
        return 2;
    }
    const std::string folder = argv[1];
    store::CreateDataFolder(folder);
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
    const bool ok = store::WriteTemplates(folder, templates) && store::WriteCategories(folder, categories);
    return ok ? 0 : 1;
}
