#include "panel/TemplateSort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SNote Note(const std::string& text)
{
    SNote n;
    n.text = text;
    return n;
}

std::vector<std::string> Texts(const Templates& templates)
{
    std::vector<std::string> out;
    for (const SNote& n : templates.all())
        out.push_back(n.text);
    return out;
}

using Texts_ = std::vector<std::string>;

// Builds templates whose text names them, with one field set per template.
template <typename Set>
Templates Build(const std::vector<std::pair<std::string, Set>>& rows,
                void (*apply)(SNote&, const Set&))
{
    Templates t;
    for (const auto& [name, value] : rows) {
        SNote n = Note(name);
        apply(n, value);
        t.append(n);
    }
    return t;
}

TEST(SortTemplates, TextAscendingThenDescendingThenAscendingAgain)
{
    Templates t;
    for (const char* s : {"pear", "Apple", "fig", "apple", "Zebra"})
        t.append(Note(s));
    int last = -1;
    SortTemplates(t, 0, last);
    // Byte-wise and case-sensitive: capitals come before lower case.
    EXPECT_EQ(Texts(t), (Texts_{"Apple", "Zebra", "apple", "fig", "pear"}));
    EXPECT_EQ(last, 0);
    SortTemplates(t, 0, last);
    EXPECT_EQ(Texts(t), (Texts_{"pear", "fig", "apple", "Zebra", "Apple"}));
    SortTemplates(t, 0, last);
    EXPECT_EQ(Texts(t), (Texts_{"Apple", "Zebra", "apple", "fig", "pear"}));
}

TEST(SortTemplates, BytesAboveAsciiSortAfterIt)
{
    Templates t;
    t.append(Note("Caf\xe9"));
    t.append(Note("Cafz"));
    int last = -1;
    SortTemplates(t, 0, last);
    EXPECT_EQ(Texts(t), (Texts_{"Cafz", "Caf\xe9"}));
}

TEST(SortTemplates, CategoryAscendingThenReversed)
{
    Templates t = Build<std::string>({{"w", "Work"}, {"h", "Home"}, {"g", "Gifts"}},
                                     [](SNote& n, const std::string& v) { n.category = v; });
    int last = 3;
    SortTemplates(t, 1, last);
    EXPECT_EQ(Texts(t), (Texts_{"g", "h", "w"}));
    SortTemplates(t, 1, last);
    EXPECT_EQ(Texts(t), (Texts_{"w", "h", "g"}));
}

TEST(SortTemplates, ColorSortsByNameNotByNumber)
{
    // Yellow 2, Blue1 5, Red 0, Random 10, and a damaged -4 that reads as "Random".
    Templates t =
        Build<int>({{"yellow", 2}, {"blue1", 5}, {"red", 0}, {"random", 10}, {"damaged", -4}},
                   [](SNote& n, const int& v) { n.color = v; });
    int last = -1;
    SortTemplates(t, 3, last);
    EXPECT_EQ(Texts(t), (Texts_{"blue1", "random", "damaged", "red", "yellow"}));
    SortTemplates(t, 3, last);
    EXPECT_EQ(Texts(t), (Texts_{"yellow", "red", "damaged", "random", "blue1"}));
}

TEST(SortTemplates, StyleSortsByNameWithTheLowerCaseCutLast)
{
    Templates t =
        Build<int>({{"cutTLBR", 5}, {"rect", 0}, {"cutBL", 4}, {"random", 9}, {"roundAll", 2}},
                   [](SNote& n, const int& v) { n.shape = v; });
    int last = -1;
    SortTemplates(t, 4, last);
    EXPECT_EQ(Texts(t), (Texts_{"cutBL", "random", "rect", "roundAll", "cutTLBR"}));
    SortTemplates(t, 4, last);
    EXPECT_EQ(Texts(t), (Texts_{"cutTLBR", "roundAll", "rect", "random", "cutBL"}));
}

TEST(SortTemplates, SizeSortsByNameAndOutOfRangeReadsAs132x152)
{
    Templates t = Build<int>({{"175", 5}, {"bad", 17}, {"120", 0}, {"150", 3}},
                             [](SNote& n, const int& v) { n.size = v; });
    int last = -1;
    SortTemplates(t, 5, last);
    EXPECT_EQ(Texts(t), (Texts_{"120", "bad", "150", "175"}));
    SortTemplates(t, 5, last);
    EXPECT_EQ(Texts(t), (Texts_{"175", "150", "bad", "120"}));
}

TEST(SortTemplates, DefaultFirstThenLast)
{
    Templates t = Build<bool>({{"a", false}, {"b", false}, {"d", true}},
                              [](SNote& n, const bool& v) { n.isDefault = v; });
    int last = -1;
    SortTemplates(t, 6, last);
    EXPECT_EQ(t.get(0).text, "d");
    EXPECT_TRUE(t.get(0).isDefault);
    SortTemplates(t, 6, last);
    EXPECT_EQ(t.get(2).text, "d");
}

TEST(SortTemplates, DateIsChronologicalAcrossYears)
{
    auto at = [](const char* name, std::uint16_t y, std::uint16_t mo, std::uint16_t d,
                 std::uint16_t h, std::uint16_t mi, std::uint16_t s) {
        SNote n = Note(name);
        n.created = SystemTime{y, mo, 0, d, h, mi, s, 0};
        return n;
    };
    Templates t;
    t.append(at("2023-12-31", 2023, 12, 31, 8, 0, 0));
    t.append(at("2024-05-01", 2024, 5, 1, 8, 0, 0));
    t.append(at("2022-06-15", 2022, 6, 15, 8, 0, 0));
    t.append(at("2024-05-01 second later", 2024, 5, 1, 8, 0, 1));
    t.append(at("2024-05-01 an hour earlier", 2024, 5, 1, 7, 59, 59));
    int last = -1;
    SortTemplates(t, 2, last);
    EXPECT_EQ(Texts(t), (Texts_{"2022-06-15", "2023-12-31", "2024-05-01 an hour earlier",
                                "2024-05-01", "2024-05-01 second later"}));
    SortTemplates(t, 2, last);
    EXPECT_EQ(Texts(t), (Texts_{"2024-05-01 second later", "2024-05-01",
                                "2024-05-01 an hour earlier", "2023-12-31", "2022-06-15"}));
}

TEST(SortTemplates, EarliestOfEqualKeysWinsAndEqualKeysMayTradePlaces)
{
    auto withCategory = [](const char* name, const char* category) {
        SNote n = Note(name);
        n.category = category;
        return n;
    };
    {
        // B, A1, A2: A1 is taken first, then A2 is swapped over B.
        Templates t;
        t.append(withCategory("B", "b"));
        t.append(withCategory("A1", "a"));
        t.append(withCategory("A2", "a"));
        int last = -1;
        SortTemplates(t, 1, last);
        EXPECT_EQ(Texts(t), (Texts_{"A1", "A2", "B"}));
    }
    {
        // B1, B2, A: A swaps with B1, which then sits behind B2.
        Templates t;
        t.append(withCategory("B1", "b"));
        t.append(withCategory("B2", "b"));
        t.append(withCategory("A", "a"));
        int last = -1;
        SortTemplates(t, 1, last);
        EXPECT_EQ(Texts(t), (Texts_{"A", "B2", "B1"}));
    }
}

TEST(SortTemplates, RepeatReversesTheCurrentOrderEvenAfterAdditions)
{
    Templates t;
    for (const char* s : {"c", "a", "b"})
        t.append(Note(s));
    int last = -1;
    SortTemplates(t, 0, last);
    t.append(Note("0"));
    SortTemplates(t, 0, last);
    EXPECT_EQ(Texts(t), (Texts_{"0", "c", "b", "a"}));
    // Another key sorts afresh, ascending.
    SortTemplates(t, 1, last);
    EXPECT_EQ(last, 1);
    SortTemplates(t, 0, last);
    EXPECT_EQ(Texts(t), (Texts_{"0", "a", "b", "c"}));
}

TEST(SortTemplates, UnknownKeyKeepsTheOrderButRepeatStillReverses)
{
    Templates t;
    for (const char* s : {"c", "a", "b"})
        t.append(Note(s));
    int last = -1;
    SortTemplates(t, 9, last);
    EXPECT_EQ(Texts(t), (Texts_{"c", "a", "b"}));
    EXPECT_EQ(last, 9);
    SortTemplates(t, 9, last);
    EXPECT_EQ(Texts(t), (Texts_{"b", "a", "c"}));
}

TEST(SortTemplates, EmptyAndSingleCollectionsAreFine)
{
    Templates empty;
    int last = -1;
    SortTemplates(empty, 0, last);
    EXPECT_EQ(empty.count(), 0);
    Templates one;
    one.append(Note("x"));
    SortTemplates(one, 2, last);
    SortTemplates(one, 2, last);
    EXPECT_EQ(Texts(one), (Texts_{"x"}));
}

} // namespace
