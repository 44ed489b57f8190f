// The templates store ("data1.log") and the notes store ("data2.log"): a count, then one
// record per note. The two records differ only in the default flag (templates) versus
// the window position (notes); an empty collection is saved as an empty file.

#include "model/Factory.h"
#include "store/StoreFile.h"
#include "store/Stores.h"

namespace store {

namespace {

enum class RecordKind { Template, Note };

void WriteFontAndTime(ArchiveWriter& out, const SNote& note)
{
    out.writeString(note.font.face());
    out.writeInt32(note.font.height);
    out.writeByte(note.font.italic);
    out.writeByte(note.font.strikeOut);
    out.writeByte(note.font.underline);
    out.writeInt32(note.font.weight);
    out.writeUInt16(note.created.day);
    out.writeUInt16(note.created.hour);
    out.writeUInt16(note.created.minute);
    out.writeUInt16(note.created.month);
    out.writeUInt16(note.created.second);
    out.writeUInt16(note.created.year);
}

void WriteRecord(ArchiveWriter& out, const SNote& note, RecordKind kind)
{
    out.writeBool(note.minimized);
    if (kind == RecordKind::Template)
        out.writeBool(note.isDefault);
    out.writeInt32(note.signatureKind);
    out.writeInt32(note.color);
    out.writeInt32(note.size);
    out.writeInt32(note.shape);
    out.writeString(note.signatureText);
    out.writeString(note.text);
    out.writeString(note.category);
    if (kind == RecordKind::Note) {
        out.writeInt32(note.left);
        out.writeInt32(note.top);
    }
    WriteFontAndTime(out, note);
}

// The font starts from the base font; the store holds only face, height, the three
// style bytes and the weight.
void ReadFontAndTime(ArchiveReader& in, SNote& note, const LogFont& baseFont)
{
    note.font = baseFont;
    note.font.setFace(in.readString());
    note.font.height = in.readInt32();
    note.font.italic = in.readByte();
    note.font.strikeOut = in.readByte();
    note.font.underline = in.readByte();
    note.font.weight = in.readInt32();
    note.created = SystemTime{};
    note.created.day = in.readUInt16();
    note.created.hour = in.readUInt16();
    note.created.minute = in.readUInt16();
    note.created.month = in.readUInt16();
    note.created.second = in.readUInt16();
    note.created.year = in.readUInt16();
}

SNote ReadRecord(ArchiveReader& in, RecordKind kind, const LogFont& baseFont)
{
    SNote note;
    note.minimized = in.readBool();
    if (kind == RecordKind::Template)
        note.isDefault = in.readBool();
    note.signatureKind = in.readInt32();
    note.color = in.readInt32();
    note.size = in.readInt32();
    note.shape = in.readInt32();
    note.signatureText = in.readString();
    note.text = in.readString();
    note.category = in.readString();
    if (kind == RecordKind::Note) {
        note.left = in.readInt32();
        note.top = in.readInt32();
    }
    ReadFontAndTime(in, note, baseFont);
    return note;
}

StoreResult WriteRecords(const std::string& folder, const char* name,
                         const std::vector<SNote>& records, RecordKind kind, UncopiedDamage* damage)
{
    return WriteStoreFile(
        folder, name,
        [&](ArchiveWriter& out) {
            if (records.empty())
                return;
            out.writeCount(static_cast<std::int32_t>(records.size()));
            for (const SNote& note : records)
                WriteRecord(out, note, kind);
        },
        damage);
}

} // namespace

ReadOutcome ReadTemplates(const std::string& folder, Templates& templates, const LogFont& baseFont,
                          const SystemTime& now, UncopiedDamage* damage)
{
    enum class Content { Factory, Records, Nothing };
    Content content = Content::Factory;
    templates.clear();
    const ReadOutcome outcome = ReadStoreFile(
        folder, kTemplatesFile,
        [&](ArchiveReader& in) {
            const std::int32_t count = in.readCount();
            if (count < 0) {
                content = Content::Nothing;
                return false;
            }
            // A count of 0 is never written (an empty set is an empty file): factory set.
            for (std::int32_t i = 0; i < count; ++i)
                templates.append(ReadRecord(in, RecordKind::Template, baseFont));
            if (count > 0)
                content = Content::Records;
            return true;
        },
        damage);
    // Anything read before a failure is dropped with it.
    if (content == Content::Factory)
        LoadFactoryTemplates(templates, now);
    else if (content == Content::Nothing)
        templates.clear();
    return outcome;
}

StoreResult WriteTemplates(const std::string& folder, const Templates& templates,
                           UncopiedDamage* damage)
{
    return WriteRecords(folder, kTemplatesFile, templates.all(), RecordKind::Template, damage);
}

namespace {

std::vector<SNote> ReadNoteRecords(const std::string& folder, const char* name,
                                   const LogFont& baseFont, ReadOutcome* outcome,
                                   UncopiedDamage* damage)
{
    std::vector<SNote> notes;
    const ReadOutcome read = ReadStoreFile(
        folder, name,
        [&](ArchiveReader& in) {
            const std::int32_t count = in.readCount();
            if (count < 0)
                return false;
            for (std::int32_t i = 0; i < count; ++i)
                notes.push_back(ReadRecord(in, RecordKind::Note, baseFont));
            return true;
        },
        damage);
    if (outcome)
        *outcome = read;
    return notes;
}

} // namespace

std::vector<SNote> ReadNotes(const std::string& folder, const LogFont& baseFont,
                             ReadOutcome* outcome, UncopiedDamage* damage)
{
    return ReadNoteRecords(folder, kNotesFile, baseFont, outcome, damage);
}

StoreResult WriteNotes(const std::string& folder, const std::vector<SNote>& notes,
                       UncopiedDamage* damage)
{
    return WriteRecords(folder, kNotesFile, notes, RecordKind::Note, damage);
}

std::vector<SNote> ReadNotes(const std::string& folder, const char* name, const LogFont& baseFont,
                             UncopiedDamage* damage)
{
    return ReadNoteRecords(folder, name, baseFont, nullptr, damage);
}

StoreResult WriteNotes(const std::string& folder, const char* name, const std::vector<SNote>& notes,
                       UncopiedDamage* damage)
{
    return WriteRecords(folder, name, notes, RecordKind::Note, damage);
}

} // namespace store
