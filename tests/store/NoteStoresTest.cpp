#include "StoreTestSupport.h"
#include "model/Factory.h"
#include "store/StoreFile.h"
#include "store/Stores.h"

namespace {

using store::kNotesFile;
using store::kTemplatesFile;

// 5 March 2021 14:07:09, a Friday.
SystemTime March5()
{
    SystemTime t;
    t.year = 2021;
    t.month = 3;
    t.dayOfWeek = 5;
    t.day = 5;
    t.hour = 14;
    t.minute = 7;
    t.second = 9;
    return t;
}

// Stands in for the panel's dialog font: every field set, so a test sees which ones the
// store overwrites.
LogFont DialogFont()
{
    LogFont f;
    f.setFace("MS Shell Dlg");
    f.height = -8;
    f.width = 3;
    f.escapement = 4;
    f.orientation = 5;
    f.weight = 400;
    f.italic = 1;
    f.underline = 1;
    f.strikeOut = 1;
    f.charSet = 6;
    f.outPrecision = 7;
    f.clipPrecision = 8;
    f.quality = 9;
    f.pitchAndFamily = 10;
    return f;
}

std::vector<SNote> FactoryTemplates(const SystemTime& now = March5())
{
    Templates t;
    LoadFactoryTemplates(t, now);
    return t.all();
}

// The first factory template as stored, 86 bytes.
const Bytes kFactoryRecord = Hex(
    "00 00 01 00 00 00 03 00 00 00 01 00 00 00 02 00 00 00 0A 4D 79 20 6E 6F 74 65 2E 2E 2E 15 44 "
    "6F 6E 27 74 20 66 6F 72 67 65 74 20 61 62 6F 75 74 2E 2E 2E 05 47 69 66 74 73 05 41 72 69 61 "
    "6C F5 FF FF FF 00 00 00 00 00 00 00 05 00 0E 00 07 00 03 00 09 00 E5 07");

// Three notes that differ in every stored field.
std::vector<SNote> SampleNotes()
{
    std::vector<SNote> notes;
    for (int i = 0; i < 3; ++i) {
        SNote n;
        n.minimized = i == 1;
        n.isDefault = i == 2;
        n.shape = i + 4;
        n.size = 5 - i;
        n.color = 7 + i;
        n.signatureKind = i == 0 ? 4 : i;
        n.category = i == 0 ? "Work" : std::string(300, 'c');
        n.text = "Line one\r\nline \xE9 two " + std::to_string(i);
        n.signatureText = i == 2 ? "" : "sig" + std::to_string(i);
        n.left = -120 + 1000 * i;
        n.top = 7000 - i;
        n.font = DialogFont();
        n.font.setFace(i == 0 ? "Arial" : "DejaVu Sans Mono");
        n.font.height = -11 - i;
        n.font.italic = static_cast<std::uint8_t>(i);
        n.font.strikeOut = static_cast<std::uint8_t>(2 - i);
        n.font.underline = i == 1 ? 0xFF : 0;
        n.font.weight = 100 * (i + 4);
        n.created = March5();
        n.created.day = static_cast<std::uint16_t>(10 + i);
        n.created.second = static_cast<std::uint16_t>(59 - i);
        n.created.year = static_cast<std::uint16_t>(1999 + i);
        notes.push_back(n);
    }
    return notes;
}

Templates AsTemplates(const std::vector<SNote>& notes)
{
    Templates t;
    for (const SNote& n : notes)
        t.append(n);
    return t;
}

// What a reader gives back: unstored font fields from the base font, no day of week or
// milliseconds, no position for a template, no default mark for a note.
SNote AsRead(SNote n, bool isTemplate)
{
    LogFont font = DialogFont();
    font.setFace(n.font.face());
    font.height = n.font.height;
    font.italic = n.font.italic;
    font.strikeOut = n.font.strikeOut;
    font.underline = n.font.underline;
    font.weight = n.font.weight;
    n.font = font;
    n.created.dayOfWeek = 0;
    n.created.milliseconds = 0;
    if (isTemplate) {
        n.left = n.top = 0;
    } else {
        n.isDefault = false;
    }
    return n;
}

class NoteStoresTest : public StoreFolderTest {
protected:
    std::vector<SNote> readTemplates()
    {
        Templates t;
        t.append(SNote{}); // the reader must clear what was there
        store::ReadTemplates(folder(), t, DialogFont(), March5());
        return t.all();
    }
    std::vector<SNote> readNotes() { return store::ReadNotes(folder(), DialogFont()); }
};

// ---- encoding ----

TEST_F(NoteStoresTest, FactoryTemplateIsStoredAsTheDocumentedBytes)
{
    Templates t;
    t.append(FactoryTemplates()[0]);
    ASSERT_TRUE(store::WriteTemplates(folder(), t));
    EXPECT_EQ(kFactoryRecord.size(), 86u);
    EXPECT_EQ(readFile(kTemplatesFile), Concat({Hex("01 00 00 00"), kFactoryRecord}));
}

TEST_F(NoteStoresTest, NoteRecordCarriesPositionInsteadOfDefaultMark)
{
    SNote n = FactoryTemplates()[0];
    n.isDefault = true; // not stored in a note record
    n.left = 0x01020304;
    n.top = -2;
    ASSERT_TRUE(store::WriteNotes(folder(), {n}));
    // The template record without its second byte, with x and y after the category.
    Bytes expected = Hex("01 00 00 00");
    expected.push_back(kFactoryRecord[0]);
    expected.insert(expected.end(), kFactoryRecord.begin() + 2, kFactoryRecord.begin() + 57);
    Bytes position = Hex("04 03 02 01 FE FF FF FF");
    expected.insert(expected.end(), position.begin(), position.end());
    expected.insert(expected.end(), kFactoryRecord.begin() + 57, kFactoryRecord.end());
    EXPECT_EQ(readFile(kNotesFile), expected);
}

TEST_F(NoteStoresTest, FontStyleBytesAndWeightFollowTheHeight)
{
    SNote n = FactoryTemplates()[0];
    n.font.italic = 1;
    n.font.strikeOut = 2;
    n.font.underline = 3;
    n.font.weight = 700;
    ASSERT_TRUE(store::WriteTemplates(folder(), AsTemplates({n})));
    const Bytes file = readFile(kTemplatesFile);
    ASSERT_EQ(file.size(), 4u + 86);
    // height, italic, strike-out, underline, weight, then day, hour, minute, month, second, year
    EXPECT_EQ(Bytes(file.begin() + 4 + 63, file.end()),
              Hex("F5 FF FF FF 01 02 03 BC 02 00 00 05 00 0E 00 07 00 03 00 09 00 E5 07"));
}

TEST_F(NoteStoresTest, SmallestRecordsAre45And52Bytes)
{
    ASSERT_TRUE(store::WriteTemplates(folder(), AsTemplates({SNote{}, SNote{}})));
    EXPECT_EQ(readFile(kTemplatesFile).size(), 4u + 2 * 45);
    ASSERT_TRUE(store::WriteNotes(folder(), {SNote{}, SNote{}}));
    EXPECT_EQ(readFile(kNotesFile).size(), 4u + 2 * 52);
}

TEST_F(NoteStoresTest, EmptyCollectionsAreSavedAsEmptyFiles)
{
    writeFile(kTemplatesFile, Hex("01 02 03"));
    writeFile(kNotesFile, Hex("01 02 03"));
    ASSERT_TRUE(store::WriteTemplates(folder(), Templates{}));
    ASSERT_TRUE(store::WriteNotes(folder(), {}));
    EXPECT_TRUE(exists(kTemplatesFile));
    EXPECT_TRUE(exists(kNotesFile));
    EXPECT_EQ(readFile(kTemplatesFile), Bytes{});
    EXPECT_EQ(readFile(kNotesFile), Bytes{});
    // ...which read back as the factory templates and no notes.
    EXPECT_EQ(readTemplates(), FactoryTemplates());
    EXPECT_TRUE(readNotes().empty());
}

// ---- round trip ----

TEST_F(NoteStoresTest, EveryStoredTemplateFieldRoundTrips)
{
    std::vector<SNote> sample = SampleNotes();
    for (SNote& n : sample) {
        n.created.dayOfWeek = 3;
        n.created.milliseconds = 999;
    }
    ASSERT_TRUE(store::WriteTemplates(folder(), AsTemplates(sample)));
    std::vector<SNote> back = readTemplates();
    ASSERT_EQ(back.size(), sample.size());
    for (std::size_t i = 0; i < sample.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i], AsRead(sample[i], true));
        EXPECT_EQ(back[i].left, 0);
        EXPECT_EQ(back[i].top, 0);
        EXPECT_EQ(back[i].created.dayOfWeek, 0);
        EXPECT_EQ(back[i].created.milliseconds, 0);
        EXPECT_EQ(back[i].font.width, 3); // from the base font
    }
    EXPECT_TRUE(back[2].isDefault);
    EXPECT_EQ(back[1].font.underline, 0xFF); // style bytes are not normalised
}

TEST_F(NoteStoresTest, EveryStoredNoteFieldRoundTrips)
{
    std::vector<SNote> sample = SampleNotes();
    ASSERT_TRUE(store::WriteNotes(folder(), sample));
    std::vector<SNote> back = readNotes();
    ASSERT_EQ(back.size(), sample.size());
    for (std::size_t i = 0; i < sample.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i], AsRead(sample[i], false));
        EXPECT_FALSE(back[i].isDefault);
    }
    EXPECT_EQ(back[0].left, -120);
    EXPECT_EQ(back[2].top, 6998);
}

TEST_F(NoteStoresTest, SavingTwiceOrAfterReadingGivesIdenticalBytes)
{
    ASSERT_TRUE(store::WriteTemplates(folder(), AsTemplates(SampleNotes())));
    ASSERT_TRUE(store::WriteNotes(folder(), SampleNotes()));
    const Bytes templates = readFile(kTemplatesFile);
    const Bytes notes = readFile(kNotesFile);
    ASSERT_TRUE(store::WriteTemplates(folder(), AsTemplates(SampleNotes())));
    ASSERT_TRUE(store::WriteNotes(folder(), SampleNotes()));
    EXPECT_EQ(readFile(kTemplatesFile), templates);
    EXPECT_EQ(readFile(kNotesFile), notes);

    ASSERT_TRUE(store::WriteTemplates(folder(), AsTemplates(readTemplates())));
    ASSERT_TRUE(store::WriteNotes(folder(), readNotes()));
    EXPECT_EQ(readFile(kTemplatesFile), templates);
    EXPECT_EQ(readFile(kNotesFile), notes);
}

TEST_F(NoteStoresTest, LongFaceNameIsCutTo31Characters)
{
    const std::string face40 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    ASSERT_EQ(face40.size(), 40u);
    // The factory record with its "Arial" (bytes 57..62) replaced by the 40-character name.
    Bytes record(kFactoryRecord.begin(), kFactoryRecord.begin() + 57);
    record.push_back(40);
    Bytes face = Ascii(face40);
    record.insert(record.end(), face.begin(), face.end());
    record.insert(record.end(), kFactoryRecord.begin() + 63, kFactoryRecord.end());
    writeFile(kTemplatesFile, Concat({Hex("01 00 00 00"), record}));

    std::vector<SNote> back = readTemplates();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].font.face(), face40.substr(0, 31));
    EXPECT_EQ(back[0].font.faceName[31], '\0');
    EXPECT_EQ(back[0].text, "Don't forget about...");
    EXPECT_EQ(back[0].created.year, 2021);
}

// ---- failures: templates ----

TEST_F(NoteStoresTest, TemplatesFallBackToFactorySet)
{
    SCOPED_TRACE("missing file");
    EXPECT_EQ(readTemplates(), FactoryTemplates());

    writeFile(kTemplatesFile, {});
    EXPECT_EQ(readTemplates(), FactoryTemplates()) << "empty file";

    writeFile(kTemplatesFile, Hex("00 00 00 00"));
    EXPECT_EQ(readTemplates(), FactoryTemplates()) << "count 0";

    writeFile(kTemplatesFile, Concat({Hex("02 00 00 00"), kFactoryRecord}));
    EXPECT_EQ(readTemplates(), FactoryTemplates()) << "count above the records held";

    // A string whose 64-bit length is out of range, in the second record.
    Bytes bad =
        Concat({Hex("02 00 00 00"), kFactoryRecord,
                Hex("00 00 01 00 00 00 03 00 00 00 "
                    "01 00 00 00 02 00 00 00 FF FF FF FF FF FF FF 00 00 00 80 00 00 00 00")});
    writeFile(kTemplatesFile, bad);
    EXPECT_EQ(readTemplates(), FactoryTemplates()) << "archive error";

    std::filesystem::remove(path(kTemplatesFile));
    std::filesystem::create_directory(path(kTemplatesFile));
    EXPECT_EQ(readTemplates(), FactoryTemplates()) << "not a regular file";
}

TEST_F(NoteStoresTest, NegativeTemplateCountLeavesNoTemplates)
{
    writeFile(kTemplatesFile, Concat({Hex("FF FF FF FF"), kFactoryRecord}));
    EXPECT_TRUE(readTemplates().empty());
}

TEST_F(NoteStoresTest, CountZeroThenSaveWritesTheThreeFactoryTemplates)
{
    writeFile(kTemplatesFile, Hex("00 00 00 00"));
    Templates t;
    store::ReadTemplates(folder(), t, FactoryFont(), March5());
    ASSERT_TRUE(store::WriteTemplates(folder(), t));
    Bytes file = readFile(kTemplatesFile);
    ASSERT_GE(file.size(), 4u + 86);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), Hex("03 00 00 00"));
    EXPECT_EQ(Bytes(file.begin() + 4, file.begin() + 90), kFactoryRecord);
    // Against "Don't forget about..." (21) and "Gifts" (5): "Great idea..." (13) with
    // "Favorites" (9), and "To do..." (8) with "Private" (7).
    EXPECT_EQ(file.size(), 4u + 86 + (86 - 8 + 4) + (86 - 13 + 2));
}

TEST_F(NoteStoresTest, TemplatesCutAtAnyByteFallBackWhole)
{
    ASSERT_TRUE(store::WriteTemplates(folder(), AsTemplates(SampleNotes())));
    const Bytes whole = readFile(kTemplatesFile);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        writeFile(kTemplatesFile, Bytes(whole.begin(), whole.begin() + length));
        ASSERT_EQ(readTemplates(), FactoryTemplates());
    }
    writeFile(kTemplatesFile, whole);
    EXPECT_EQ(readTemplates().size(), 3u);
}

// ---- failures: notes ----

TEST_F(NoteStoresTest, NotesWithoutUsableCountAreNone)
{
    EXPECT_TRUE(readNotes().empty()) << "missing file";
    writeFile(kNotesFile, {});
    EXPECT_TRUE(readNotes().empty()) << "empty file";
    writeFile(kNotesFile, Hex("00 00 00 00"));
    EXPECT_TRUE(readNotes().empty()) << "count 0";
    ASSERT_TRUE(store::WriteNotes(folder(), SampleNotes()));
    Bytes file = readFile(kNotesFile);
    file[0] = 0xFE;
    file[1] = file[2] = file[3] = 0xFF;
    writeFile(kNotesFile, file);
    EXPECT_TRUE(readNotes().empty()) << "negative count";
}

TEST_F(NoteStoresTest, NotesCutAtAnyByteKeepTheRecordsCompletelyRead)
{
    const std::vector<SNote> sample = SampleNotes();
    // Where each record ends, from the sizes of files holding the first k notes.
    std::vector<std::size_t> recordEnd;
    for (std::size_t k = 1; k <= sample.size(); ++k) {
        ASSERT_TRUE(store::WriteNotes(folder(), {sample.begin(), sample.begin() + k}));
        recordEnd.push_back(readFile(kNotesFile).size());
    }
    const Bytes whole = readFile(kNotesFile);
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        writeFile(kNotesFile, Bytes(whole.begin(), whole.begin() + length));
        std::size_t complete = 0;
        while (complete < recordEnd.size() && recordEnd[complete] <= length)
            ++complete;
        std::vector<SNote> back = readNotes();
        ASSERT_EQ(back.size(), complete);
        for (std::size_t i = 0; i < complete; ++i)
            ASSERT_EQ(back[i], AsRead(sample[i], false));
    }
}

TEST_F(NoteStoresTest, NotesCutInTheThirdRecordSaveBackAsTwo)
{
    ASSERT_TRUE(store::WriteNotes(folder(), SampleNotes()));
    Bytes file = readFile(kNotesFile);
    file.resize(file.size() - 20);
    writeFile(kNotesFile, file);
    std::vector<SNote> back = readNotes();
    ASSERT_EQ(back.size(), 2u);
    ASSERT_TRUE(store::WriteNotes(folder(), back));
    Bytes saved = readFile(kNotesFile);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 4), Hex("02 00 00 00"));
    EXPECT_EQ(readNotes(), back);
}

TEST_F(NoteStoresTest, NotesReadPositionsAsStored)
{
    SNote far;
    far.left = 50000;
    far.top = -40000;
    ASSERT_TRUE(store::WriteNotes(folder(), {far}));
    std::vector<SNote> back = readNotes();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].left, 50000);
    EXPECT_EQ(back[0].top, -40000);
}

} // namespace
