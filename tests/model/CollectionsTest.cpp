#include "model/Collections.h"
#include "model/Factory.h"

#include <gtest/gtest.h>

namespace {

SNote Named(const char* text, bool isDefault)
{
    SNote n;
    n.text = text;
    n.isDefault = isDefault;
    return n;
}

TEST(Templates, FindDefaultTakesFirstMarkedAndClearsTheCopy)
{
    Templates t;
    t.append(Named("A", false));
    t.append(Named("B", true));
    t.append(Named("C", true));
    auto d = t.FindDefaultTemplate();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->text, "B");
    EXPECT_FALSE(d->isDefault);
    EXPECT_TRUE(t.get(1).isDefault);
}

TEST(Templates, FindDefaultWithoutMarkCopiesLastAndMarksIt)
{
    Templates t;
    LoadFactoryTemplates(t, SystemTime{2021, 3, 5, 5, 14, 7, 9, 0});
    auto d = t.FindDefaultTemplate();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->text, "To do...");
    EXPECT_EQ(d->color, NoteColor::Orange);
    EXPECT_EQ(d->shape, NoteShape::CutBL);
    EXPECT_TRUE(d->isDefault);
    t.append(*d); // "New template" then appends a template that is the default
    EXPECT_EQ(t.FindDefaultTemplate()->text, "To do...");
    EXPECT_FALSE(Templates{}.FindDefaultTemplate());
}

TEST(Templates, SetDefaultMovesTheMarkAndNeverClearsIt)
{
    Templates t;
    t.append(Named("A", false));
    t.append(Named("B", true));
    t.append(Named("C", true));
    t.SetDefaultTemplate(1); // already default: nothing changes, C keeps its mark
    EXPECT_TRUE(t.get(2).isDefault);
    t.SetDefaultTemplate(0);
    EXPECT_TRUE(t.get(0).isDefault);
    EXPECT_FALSE(t.get(1).isDefault);
    EXPECT_FALSE(t.get(2).isDefault);
    t.SetDefaultTemplate(7);
    t.SetDefaultTemplate(-1);
    EXPECT_TRUE(t.get(0).isDefault);
}

TEST(Templates, CloningTheDefaultKeepsTheFirstEffective)
{
    Templates t;
    t.append(Named("A", true));
    t.append(Named("B", false));
    t.append(t.get(0));
    EXPECT_EQ(t.FindDefaultTemplate()->text, "A");
    t.remove(0);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.FindDefaultTemplate()->text, "A"); // the clone, now at index 1
}

TEST(Collections, IndexOutsideThrowsInvalidArgument)
{
    Templates t;
    t.append(SNote{});
    EXPECT_THROW(t.get(1), std::invalid_argument);
    EXPECT_THROW(t.get(-1), std::invalid_argument);
    EXPECT_THROW(t.replace(1, SNote{}), std::invalid_argument);
    EXPECT_THROW(t.remove(3), std::invalid_argument);
    Categories c;
    EXPECT_THROW(c.get(0), std::invalid_argument);
    SlotList<int> slots;
    EXPECT_THROW(slots.setNull(0), std::invalid_argument);
}

TEST(Collections, ClosedSlotStaysAndIsNotReused)
{
    int a = 1, b = 2, c = 3;
    SlotList<int> notes;
    notes.append(&a);
    notes.append(&b);
    notes.setNull(0);
    EXPECT_EQ(notes.count(), 2);
    EXPECT_EQ(notes.get(0), nullptr);
    EXPECT_EQ(notes.append(&c), 2);
}

TEST(Factory, ContentIsExact)
{
    Categories c;
    c.append("Mine");
    LoadFactoryCategories(c);
    ASSERT_EQ(c.count(), 13);
    EXPECT_EQ(c.get(0), "Home");
    EXPECT_EQ(c.get(11), "Idias");
    EXPECT_EQ(c.get(12), "Gifts");

    Templates t;
    const SystemTime now{2021, 3, 5, 5, 14, 7, 9, 0};
    LoadFactoryTemplates(t, now);
    ASSERT_EQ(t.count(), 3);
    EXPECT_EQ(t.get(0).category, "Gifts");
    EXPECT_EQ(t.get(0).text, "Don't forget about...");
    EXPECT_EQ(t.get(0).shape, NoteShape::RoundAll);
    EXPECT_EQ(t.get(0).color, NoteColor::Green1);
    EXPECT_EQ(t.get(1).category, "Favorites");
    EXPECT_EQ(t.get(1).color, NoteColor::Blue2);
    EXPECT_EQ(t.get(1).shape, NoteShape::Rectangle);
    for (const SNote& n : t.all()) {
        EXPECT_EQ(n.size, NoteSize::Size132x152);
        EXPECT_EQ(n.signatureKind, SignatureKind::TimeCreate);
        EXPECT_EQ(n.signatureText, "My note...");
        EXPECT_EQ(n.font.face(), "Arial");
        EXPECT_EQ(n.font.height, -11);
        EXPECT_EQ(n.font.weight, 0);
        EXPECT_EQ(n.created, now);
        EXPECT_FALSE(n.isDefault);
    }
}

TEST(LogFontFace, IsCutTo31Bytes)
{
    LogFont f;
    f.setFace(std::string(40, 'x'));
    EXPECT_EQ(f.face(), std::string(31, 'x'));
}

} // namespace
