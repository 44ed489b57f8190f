#include "panel/TemplateSort.h"

#include "panel/TemplateTexts.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Ascending selection sort: the earliest of equal keys stays the candidate, so equal
// keys can trade places with whatever they are swapped against.
template <typename Key, typename Less>
void SelectionSort(std::vector<Key>& keys, std::vector<SNote>& items, Less less)
{
    const std::size_t n = items.size();
    for (std::size_t c = 0; c + 1 < n; ++c) {
        std::size_t m = c;
        for (std::size_t i = c + 1; i < n; ++i) {
            if (less(keys[i], keys[m]))
                m = i;
        }
        if (m != c) {
            std::swap(keys[c], keys[m]);
            std::swap(items[c], items[m]);
        }
    }
}

std::string TextKey(const SNote& note, int key)
{
    switch (key) {
    case 0:
        return note.text;
    case 1:
        return note.category;
    case 3:
        return ColorName(note.color);
    case 4:
        return StyleName(note.shape);
    case 5:
        return SizeName(note.size);
    case 6:
        return note.isDefault ? "a" : "b";
    default:
        return {};
    }
}

using TimeKey = std::tuple<int, int, int, int, int, int>;

TimeKey DateKey(const SystemTime& t)
{
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

} // namespace

void SortTemplates(Templates& templates, int key, int& lastSortKey)
{
    std::vector<SNote> items = templates.all();
    if (key == lastSortKey) {
        std::reverse(items.begin(), items.end());
    } else if (key == 2) {
        std::vector<TimeKey> keys;
        for (const SNote& note : items)
            keys.push_back(DateKey(note.created));
        SelectionSort(keys, items, [](const TimeKey& a, const TimeKey& b) { return a < b; });
    } else {
        std::vector<std::string> keys;
        for (const SNote& note : items)
            keys.push_back(TextKey(note, key));
        SelectionSort(keys, items, [](const std::string& a, const std::string& b) {
            return std::strcmp(a.c_str(), b.c_str()) < 0;
        });
    }
    templates.reorder(std::move(items));
    lastSortKey = key;
}
