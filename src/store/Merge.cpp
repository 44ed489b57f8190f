#include "store/Merge.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace store {

namespace {

enum class Kind { Note, Template };

// The font fields the stores keep; the rest comes from the base font on reading.
bool SameStoredFont(const LogFont& a, const LogFont& b)
{
    return a.face() == b.face() && a.height == b.height && a.italic == b.italic &&
           a.strikeOut == b.strikeOut && a.underline == b.underline && a.weight == b.weight;
}

// The stores keep the creation time to the second, without the day of the week.
std::uint64_t StoredTime(const SystemTime& t)
{
    return std::uint64_t{t.year} << 40 | std::uint64_t{t.month & 0xFFu} << 32 |
           std::uint64_t{t.day & 0xFFu} << 24 | std::uint64_t{t.hour & 0xFFu} << 16 |
           std::uint64_t{t.minute & 0xFFu} << 8 | std::uint64_t{t.second & 0xFFu};
}

bool SamePosition(const SNote& a, const SNote& b)
{
    return a.left == b.left && a.top == b.top;
}

bool SameStored(const SNote& a, const SNote& b, Kind kind)
{
    if (kind == Kind::Note ? !SamePosition(a, b) : a.isDefault != b.isDefault)
        return false;
    return a.minimized == b.minimized && a.signatureKind == b.signatureKind && a.color == b.color &&
           a.size == b.size && a.shape == b.shape && a.text == b.text &&
           a.signatureText == b.signatureText && a.category == b.category &&
           SameStoredFont(a.font, b.font) && StoredTime(a.created) == StoredTime(b.created);
}

struct Identity {
    std::uint64_t time = 0;
    std::uint32_t ordinal = 0;
    bool operator==(const Identity&) const = default;
};

struct IdentityHash {
    std::size_t operator()(const Identity& id) const
    {
        return std::hash<std::uint64_t>()(id.time * 0x9E3779B97F4A7C15ULL ^ id.ordinal);
    }
};

using IdentityIndex = std::unordered_map<Identity, int, IdentityHash>;

std::vector<Identity> Identities(const std::vector<SNote>& records)
{
    std::vector<Identity> ids;
    ids.reserve(records.size());
    std::unordered_map<std::uint64_t, std::uint32_t> seen;
    seen.reserve(records.size());
    for (const SNote& record : records) {
        const std::uint64_t time = StoredTime(record.created);
        ids.push_back({time, seen[time]++});
    }
    return ids;
}

IdentityIndex IndexOf(const std::vector<Identity>& ids)
{
    IdentityIndex index;
    index.reserve(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i)
        index.emplace(ids[i], static_cast<int>(i));
    return index;
}

int Find(const IdentityIndex& index, const Identity& id)
{
    const auto it = index.find(id);
    return it == index.end() ? -1 : it->second;
}

// One side's change wins; both sides changed it differently: ours wins.
template <typename T>
void MergeField(T SNote::*field, const SNote& base, const SNote& ours, const SNote& theirs,
                SNote& out, int& conflicts)
{
    if (ours.*field == base.*field)
        out.*field = theirs.*field;
    else if (theirs.*field != base.*field && theirs.*field != ours.*field)
        ++conflicts;
}

SNote MergeRecord(const SNote& base, const SNote& ours, const SNote& theirs, int& conflicts)
{
    SNote out = ours; // the creation time stays ours: it may carry milliseconds
    MergeField(&SNote::minimized, base, ours, theirs, out, conflicts);
    MergeField(&SNote::isDefault, base, ours, theirs, out, conflicts);
    MergeField(&SNote::shape, base, ours, theirs, out, conflicts);
    MergeField(&SNote::size, base, ours, theirs, out, conflicts);
    MergeField(&SNote::color, base, ours, theirs, out, conflicts);
    MergeField(&SNote::signatureKind, base, ours, theirs, out, conflicts);
    MergeField(&SNote::category, base, ours, theirs, out, conflicts);
    MergeField(&SNote::text, base, ours, theirs, out, conflicts);
    MergeField(&SNote::signatureText, base, ours, theirs, out, conflicts);
    // A move is one change: never combine one side's left with the other's top.
    if (SamePosition(ours, base)) {
        out.left = theirs.left;
        out.top = theirs.top;
    } else if (!SamePosition(theirs, base) && !SamePosition(theirs, ours)) {
        ++conflicts;
    }
    if (SameStoredFont(ours.font, base.font))
        out.font = theirs.font;
    else if (!SameStoredFont(theirs.font, base.font) && !SameStoredFont(theirs.font, ours.font))
        ++conflicts;
    return out;
}

struct Entry {
    SNote record;
    int ours = -1;   // index in ours, -1 when ours does not have it
    int theirs = -1; // index in theirs
    int copy = -1;   // entry kept right after this one: theirs' version of the same record
    bool textConflict = false;
};

// True when the records side shares with base appear in base's order.
bool KeepsBaseOrder(const std::vector<Identity>& side, const IdentityIndex& base)
{
    int last = -1;
    for (const Identity& id : side) {
        const int b = Find(base, id);
        if (b < 0)
            continue;
        if (b < last)
            return false;
        last = b;
    }
    return true;
}

class RecordMerger {
public:
    RecordMerger(const std::vector<SNote>& base, const std::vector<SNote>& ours,
                 const std::vector<SNote>& theirs, Kind kind)
        : base_(base), ours_(ours), theirs_(theirs), kind_(kind), baseIds_(Identities(base)),
          oursIds_(Identities(ours)), theirsIds_(Identities(theirs)), baseAt_(IndexOf(baseIds_)),
          oursEntry_(ours.size(), -1), theirsEntry_(theirs.size(), -1)
    {
    }

    std::vector<SNote> run(RecordsMerge& report)
    {
        entries_.reserve(ours_.size() + theirs_.size());
        const IdentityIndex theirsAt = IndexOf(theirsIds_);
        std::vector<bool> theirsMatched(theirs_.size(), false);
        for (std::size_t i = 0; i < ours_.size(); ++i) {
            const int t = Find(theirsAt, oursIds_[i]);
            if (t >= 0)
                theirsMatched[static_cast<std::size_t>(t)] = true;
            fromOurs(static_cast<int>(i), Find(baseAt_, oursIds_[i]), t, report);
        }
        for (std::size_t t = 0; t < theirs_.size(); ++t) {
            if (!theirsMatched[t])
                fromTheirsOnly(static_cast<int>(t), Find(baseAt_, theirsIds_[t]));
        }
        const std::vector<int> order = placeEntries();
        if (kind_ == Kind::Template)
            keepOneDefault(order);
        return collect(order, report);
    }

private:
    int addEntry(Entry entry)
    {
        entries_.push_back(std::move(entry));
        const int e = static_cast<int>(entries_.size()) - 1;
        if (entries_.back().ours >= 0)
            oursEntry_[static_cast<std::size_t>(entries_.back().ours)] = e;
        if (entries_.back().theirs >= 0)
            theirsEntry_[static_cast<std::size_t>(entries_.back().theirs)] = e;
        return e;
    }

    // Keeps ours and, right after it, theirs' different version of the same record. The
    // copy is a record of its own: on the next merge it is the following one among the
    // records created in that second, on both machines once this result is written.
    void keepBoth(int i, int t, bool textConflict)
    {
        const int primary = addEntry({ours(i), i, t, -1, false});
        entries_.push_back({theirs(t), -1, -1, -1, textConflict});
        entries_[static_cast<std::size_t>(primary)].copy = static_cast<int>(entries_.size()) - 1;
    }

    void fromOurs(int i, int b, int t, RecordsMerge& report)
    {
        if (b < 0 && t < 0) {
            addEntry({ours(i), i, -1});
        } else if (b < 0) {
            // Both sides added a record with the same identity (made in the same second).
            if (SameStored(ours(i), theirs(t), kind_))
                addEntry({ours(i), i, t});
            else
                keepBoth(i, t, false);
        } else if (t < 0) {
            // Gone from theirs: removed unless ours changed it, so no edit is lost.
            if (!SameStored(ours(i), base(b), kind_))
                addEntry({ours(i), i, -1});
        } else if (ours(i).text != base(b).text && theirs(t).text != base(b).text &&
                   ours(i).text != theirs(t).text) {
            keepBoth(i, t, true);
        } else {
            addEntry({MergeRecord(base(b), ours(i), theirs(t), report.fieldConflicts), i, t});
        }
    }

    void fromTheirsOnly(int t, int b)
    {
        // Added on theirs, or removed on ours but changed on theirs.
        if (b < 0 || !SameStored(theirs(t), base(b), kind_))
            addEntry({theirs(t), -1, t});
    }

    // The order of the side that reordered (ours when both or neither did), with the other
    // side's own records each after the nearest record before it that the result keeps.
    std::vector<int> placeEntries() const
    {
        const bool followTheirs =
            KeepsBaseOrder(oursIds_, baseAt_) && !KeepsBaseOrder(theirsIds_, baseAt_);
        const std::vector<int>& leading = followTheirs ? theirsEntry_ : oursEntry_;
        const std::vector<int>& other = followTheirs ? oursEntry_ : theirsEntry_;
        auto inLeading = [&](int e) {
            const Entry& entry = entries_[static_cast<std::size_t>(e)];
            return (followTheirs ? entry.theirs : entry.ours) >= 0;
        };
        const std::size_t atEnd = entries_.size();
        std::vector<std::vector<int>> after(entries_.size() + 1);
        std::size_t anchor = atEnd;
        for (const int e : other) {
            if (e < 0)
                continue;
            if (inLeading(e))
                anchor = static_cast<std::size_t>(e);
            else
                after[anchor].push_back(e);
        }
        std::vector<int> order;
        order.reserve(entries_.size());
        auto emit = [&](int e) {
            order.push_back(e);
            if (entries_[static_cast<std::size_t>(e)].copy >= 0)
                order.push_back(entries_[static_cast<std::size_t>(e)].copy);
        };
        for (const int e : leading) {
            if (e < 0)
                continue;
            emit(e);
            for (const int x : after[static_cast<std::size_t>(e)])
                emit(x);
        }
        for (const int x : after[atEnd])
            emit(x);
        return order;
    }

    // Two sides that each moved the default mark leave two marked templates: the one
    // marked in ours keeps it, else the first.
    void keepOneDefault(const std::vector<int>& order)
    {
        int keep = -1;
        for (const int e : order) {
            const Entry& entry = entries_[static_cast<std::size_t>(e)];
            if (!entry.record.isDefault)
                continue;
            if (entry.ours >= 0 && ours(entry.ours).isDefault) {
                keep = e;
                break;
            }
            if (keep < 0)
                keep = e;
        }
        for (const int e : order) {
            if (e != keep)
                entries_[static_cast<std::size_t>(e)].record.isDefault = false;
        }
    }

    std::vector<SNote> collect(const std::vector<int>& order, RecordsMerge& report)
    {
        std::vector<SNote> out;
        out.reserve(order.size());
        report.sources.clear();
        report.sources.reserve(order.size());
        for (const int e : order) {
            Entry& entry = entries_[static_cast<std::size_t>(e)];
            const int k = static_cast<int>(out.size());
            report.sources.push_back(entry.ours);
            if (entry.textConflict)
                report.conflictCopies.push_back(k);
            if (entry.ours >= 0 && !SameStored(entry.record, ours(entry.ours), kind_))
                report.changed.push_back(k);
            if (entry.ours != k)
                report.differsFromOurs = true;
            out.push_back(std::move(entry.record));
        }
        for (std::size_t i = 0; i < ours_.size(); ++i) {
            if (oursEntry_[i] < 0)
                report.removed.push_back(static_cast<int>(i));
        }
        if (out.size() != ours_.size() || !report.changed.empty())
            report.differsFromOurs = true;
        report.differsFromTheirs = out.size() != theirs_.size();
        for (std::size_t k = 0; k < out.size() && !report.differsFromTheirs; ++k)
            report.differsFromTheirs = !SameStored(out[k], theirs_[k], kind_);
        return out;
    }

    const SNote& base(int i) const { return base_[static_cast<std::size_t>(i)]; }
    const SNote& ours(int i) const { return ours_[static_cast<std::size_t>(i)]; }
    const SNote& theirs(int i) const { return theirs_[static_cast<std::size_t>(i)]; }

    const std::vector<SNote>& base_;
    const std::vector<SNote>& ours_;
    const std::vector<SNote>& theirs_;
    const Kind kind_;
    const std::vector<Identity> baseIds_, oursIds_, theirsIds_;
    const IdentityIndex baseAt_;
    std::vector<Entry> entries_;
    std::vector<int> oursEntry_;   // entry holding each record of ours, -1 when dropped
    std::vector<int> theirsEntry_; // entry holding each record of theirs, -1 when dropped
};

bool SameSettings(const SSettings& a, const SSettings& b)
{
    return a.alwaysOnTop == b.alwaysOnTop && a.panelVisible == b.panelVisible &&
           a.panelColor == b.panelColor && a.panelStyle == b.panelStyle &&
           a.listViewMode == b.listViewMode && a.hotKeyMode == b.hotKeyMode &&
           a.panelLeft == b.panelLeft && a.panelTop == b.panelTop;
}

template <typename T> T MergeValue(T base, T ours, T theirs)
{
    return ours == base ? theirs : ours;
}

} // namespace

bool SameStoredNote(const SNote& a, const SNote& b)
{
    return SameStored(a, b, Kind::Note);
}

bool SameStoredTemplate(const SNote& a, const SNote& b)
{
    return SameStored(a, b, Kind::Template);
}

std::vector<SNote> MergeNotes(const std::vector<SNote>& base, const std::vector<SNote>& ours,
                              const std::vector<SNote>& theirs, RecordsMerge* report)
{
    RecordsMerge local;
    return RecordMerger(base, ours, theirs, Kind::Note).run(report ? *report : local);
}

std::vector<SNote> MergeTemplates(const std::vector<SNote>& base, const std::vector<SNote>& ours,
                                  const std::vector<SNote>& theirs, RecordsMerge* report)
{
    RecordsMerge local;
    return RecordMerger(base, ours, theirs, Kind::Template).run(report ? *report : local);
}

std::vector<std::string> MergeCategories(const std::vector<std::string>& base,
                                         const std::vector<std::string>& ours,
                                         const std::vector<std::string>& theirs)
{
    const std::unordered_set<std::string> inBase(base.begin(), base.end());
    const std::unordered_set<std::string> inOurs(ours.begin(), ours.end());
    const std::unordered_set<std::string> inTheirs(theirs.begin(), theirs.end());

    std::vector<std::string> kept;
    std::unordered_map<std::string, std::size_t> keptAt;
    for (const std::string& name : theirs) {
        if (inBase.count(name) && !inOurs.count(name))
            continue; // removed on ours
        keptAt.emplace(name, kept.size());
        kept.push_back(name);
    }
    // Our additions, each after the nearest entry before it in ours that is kept.
    std::vector<std::vector<std::string>> after(kept.size() + 1);
    std::size_t anchor = kept.size();
    for (const std::string& name : ours) {
        const auto at = keptAt.find(name);
        if (at != keptAt.end())
            anchor = at->second;
        else if (!inBase.count(name) && !inTheirs.count(name))
            after[anchor].push_back(name);
    }
    std::vector<std::string> out;
    out.reserve(kept.size() + ours.size());
    for (std::size_t k = 0; k <= kept.size(); ++k) {
        if (k < kept.size())
            out.push_back(kept[k]);
        out.insert(out.end(), after[k].begin(), after[k].end());
    }
    return out;
}

SSettings MergeSettings(const SSettings& base, const SSettings& ours, const SSettings& theirs)
{
    SSettings out = ours; // position, visibility, hot keys and "always on top" are this machine's
    out.panelColor = MergeValue(base.panelColor, ours.panelColor, theirs.panelColor);
    out.panelStyle = MergeValue(base.panelStyle, ours.panelStyle, theirs.panelStyle);
    out.listViewMode = MergeValue(base.listViewMode, ours.listViewMode, theirs.listViewMode);
    return out;
}

MergeResult Merge(const Session& base, const Session& ours, const Session& theirs)
{
    MergeResult result;
    Session& out = result.session;
    out.settings = MergeSettings(base.settings, ours.settings, theirs.settings);
    for (const std::string& name :
         MergeCategories(base.categories.all(), ours.categories.all(), theirs.categories.all()))
        out.categories.append(name);
    out.templates.reorder(MergeTemplates(base.templates.all(), ours.templates.all(),
                                         theirs.templates.all(), &result.templates));
    out.notes = MergeNotes(base.notes, ours.notes, theirs.notes, &result.notes);

    result.settingsChanged = !SameSettings(out.settings, ours.settings);
    result.categoriesChanged = out.categories.all() != ours.categories.all();
    result.clean = result.notes.conflictCopies.empty() && result.notes.fieldConflicts == 0 &&
                   result.templates.conflictCopies.empty() && result.templates.fieldConflicts == 0;
    result.needsWrite = result.notes.differsFromTheirs || result.templates.differsFromTheirs ||
                        out.categories.all() != theirs.categories.all() ||
                        !SameSettings(out.settings, theirs.settings);
    return result;
}

} // namespace store
