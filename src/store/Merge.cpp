#include "store/Merge.h"

#include <cstdint>
#include <set>
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

// A hash of what SameStored compares.
std::uint64_t StoredHash(const SNote& n, Kind kind)
{
    std::uint64_t h = StoredTime(n.created);
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 0x100000001B3ULL + 0x9E3779B97F4A7C15ULL; };
    const std::hash<std::string> text;
    mix(text(n.text));
    mix(text(n.category));
    mix(text(n.signatureText));
    mix(text(n.font.face()));
    mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(n.color)) << 32 |
        static_cast<std::uint32_t>(n.shape));
    mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(n.size)) << 32 |
        static_cast<std::uint32_t>(n.signatureKind));
    mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(n.font.height)) << 32 |
        static_cast<std::uint32_t>(n.font.weight));
    mix(std::uint64_t{n.font.italic} << 16 | std::uint64_t{n.font.strikeOut} << 8 |
        n.font.underline);
    mix(n.minimized);
    if (kind == Kind::Note)
        mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(n.left)) << 32 |
            static_cast<std::uint32_t>(n.top));
    else
        mix(n.isDefault);
    return h;
}

using Groups = std::unordered_map<std::uint64_t, std::vector<int>>;

// Indices of the records by creation time, each list in the records' order.
Groups ByCreationTime(const std::vector<SNote>& records)
{
    Groups groups;
    groups.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        groups[StoredTime(records[i].created)].push_back(static_cast<int>(i));
    return groups;
}

// Among the records created in one second, the k-th of a side is the k-th of base, except
// that a side's closed, added or reordered records must not shift the others onto the
// wrong partner: a record equal to a base record pairs with it first (the first unpaired
// one, wherever it stands: the template list is sorted in place), and each remaining one
// pairs with the first unpaired base record between the partners of its paired
// neighbours.
void MatchGroup(const std::vector<SNote>& base, const std::vector<int>& inBase,
                const std::vector<SNote>& side, const std::vector<int>& inSide, Kind kind,
                std::vector<int>& sideToBase)
{
    // The usual case, one record per second on both sides, pairs either way.
    if (inBase.size() <= 1 && inSide.size() <= 1) {
        if (!inBase.empty() && !inSide.empty())
            sideToBase[static_cast<std::size_t>(inSide[0])] = inBase[0];
        return;
    }
    auto baseRecord = [&](int p) -> const SNote& {
        return base[static_cast<std::size_t>(inBase[static_cast<std::size_t>(p)])];
    };
    // Base positions by content hash, in order; first skips those already paired.
    struct Candidates {
        std::vector<int> positions;
        std::size_t first = 0;
    };
    std::unordered_map<std::uint64_t, Candidates> equal;
    equal.reserve(inBase.size());
    for (std::size_t p = 0; p < inBase.size(); ++p)
        equal[StoredHash(baseRecord(static_cast<int>(p)), kind)].positions.push_back(
            static_cast<int>(p));
    std::vector<bool> used(inBase.size(), false);
    std::vector<int> paired(inSide.size(), -1); // position in inBase
    for (std::size_t j = 0; j < inSide.size(); ++j) {
        const SNote& record = side[static_cast<std::size_t>(inSide[j])];
        const auto it = equal.find(StoredHash(record, kind));
        if (it == equal.end())
            continue;
        Candidates& candidates = it->second;
        while (candidates.first < candidates.positions.size() &&
               used[static_cast<std::size_t>(candidates.positions[candidates.first])])
            ++candidates.first;
        for (std::size_t k = candidates.first; k < candidates.positions.size(); ++k) {
            const int p = candidates.positions[k];
            if (!used[static_cast<std::size_t>(p)] && SameStored(baseRecord(p), record, kind)) {
                paired[j] = p;
                used[static_cast<std::size_t>(p)] = true;
                break;
            }
        }
    }
    std::set<int> unused;
    for (std::size_t p = 0; p < inBase.size(); ++p) {
        if (!used[p])
            unused.insert(unused.end(), static_cast<int>(p));
    }
    std::vector<int> nextPaired(inSide.size() + 1, -1);
    for (std::size_t j = inSide.size(); j-- > 0;)
        nextPaired[j] = paired[j] >= 0 ? paired[j] : nextPaired[j + 1];
    int previous = -1;
    for (std::size_t j = 0; j < inSide.size(); ++j) {
        if (paired[j] >= 0) {
            previous = paired[j];
            continue;
        }
        const int next = nextPaired[j + 1];
        const auto it = unused.upper_bound(previous);
        if (it == unused.end() || (next >= 0 && *it >= next))
            continue; // added on this side (or among reordered ones: kept apart)
        paired[j] = *it;
        previous = *it;
        unused.erase(it);
    }
    for (std::size_t j = 0; j < inSide.size(); ++j) {
        if (paired[j] >= 0)
            sideToBase[static_cast<std::size_t>(inSide[j])] =
                inBase[static_cast<std::size_t>(paired[j])];
    }
}

// For each record of side, the base record it continues, or -1 when base has none.
std::vector<int> MatchToBase(const std::vector<SNote>& base, const Groups& baseGroups,
                             const std::vector<SNote>& side, Kind kind)
{
    std::vector<int> sideToBase(side.size(), -1);
    static const std::vector<int> none;
    for (const auto& [time, inSide] : ByCreationTime(side)) {
        const auto it = baseGroups.find(time);
        MatchGroup(base, it == baseGroups.end() ? none : it->second, side, inSide, kind,
                   sideToBase);
    }
    return sideToBase;
}

std::vector<int> Inverse(const std::vector<int>& map, std::size_t size)
{
    std::vector<int> inverse(size, -1);
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (map[i] >= 0)
            inverse[static_cast<std::size_t>(map[i])] = static_cast<int>(i);
    }
    return inverse;
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
bool KeepsBaseOrder(const std::vector<int>& sideToBase)
{
    int last = -1;
    for (const int b : sideToBase) {
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
                 const std::vector<SNote>& theirs, Kind kind, MergeMode mode,
                 const FoldNew& foldNew)
        : base_(base), ours_(ours), theirs_(theirs), kind_(kind), fold_(mode == MergeMode::Fold),
          newFrom_(fold_ && foldNew.set ? StoredTime(foldNew.from) : kNone),
          oursEntry_(ours.size(), -1), theirsEntry_(theirs.size(), -1)
    {
        const Groups baseGroups = ByCreationTime(base);
        oursToBase_ = MatchToBase(base, baseGroups, ours, kind);
        theirsToBase_ = MatchToBase(base, baseGroups, theirs, kind);
    }

    std::vector<SNote> run(RecordsMerge& report)
    {
        entries_.reserve(ours_.size() + theirs_.size());
        const std::vector<int> baseToTheirs = Inverse(theirsToBase_, base_.size());
        const std::vector<int> sameAddition = sameAdditions();
        std::vector<bool> theirsMatched(theirs_.size(), false);
        for (std::size_t i = 0; i < ours_.size(); ++i) {
            const int b = oursToBase_[i];
            const int t = b >= 0 ? baseToTheirs[static_cast<std::size_t>(b)] : sameAddition[i];
            if (t >= 0)
                theirsMatched[static_cast<std::size_t>(t)] = true;
            fromOurs(static_cast<int>(i), b, t, report);
        }
        for (std::size_t t = 0; t < theirs_.size(); ++t) {
            if (!theirsMatched[t])
                fromTheirsOnly(static_cast<int>(t), theirsToBase_[t]);
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

    // Keeps ours and, right after it, theirs' version of the same note. The copy is a
    // record of its own from then on: once this result is written, both machines hold the
    // two, created in the same second, and pair them as they pair any such records.
    void keepBoth(int i, int t, bool textConflict = true)
    {
        const int primary = addEntry({ours(i), i, t, -1, false});
        entries_.push_back({theirs(t), -1, -1, -1, textConflict});
        entries_[static_cast<std::size_t>(primary)].copy = static_cast<int>(entries_.size()) - 1;
    }

    // A record of a folded copy that was new to its writer and that ours lacks: it may be
    // a note made there in the same second as the one here it pairs with (one machine's
    // version of the store replaced the other's), and is kept as a note of its own.
    bool newElsewhere(int t) const
    {
        return newFrom_ != kNone && StoredTime(theirs(t).created) >= newFrom_;
    }

    // Whether ours holds a record equal to theirs' record t (wherever it pairs).
    bool inOurs(int t)
    {
        const SNote& record = theirs(t);
        if (oursByHash_.empty() && !ours_.empty())
            for (std::size_t i = 0; i < ours_.size(); ++i)
                oursByHash_.emplace(StoredHash(ours_[i], kind_), static_cast<int>(i));
        const auto [first, last] = oursByHash_.equal_range(StoredHash(record, kind_));
        for (auto it = first; it != last; ++it)
            if (SameStored(ours(it->second), record, kind_))
                return true;
        return false;
    }

    void fromOurs(int i, int b, int t, RecordsMerge& report)
    {
        if (b < 0) {
            addEntry({ours(i), i, t}); // added here, or the very same record added on both
        } else if (t < 0) {
            // Gone from theirs: removed unless ours changed it, so no edit is lost.
            if (fold_ || !SameStored(ours(i), base(b), kind_))
                addEntry({ours(i), i, -1});
        } else if (fold_) {
            // What a copy holds that ours has too (under another partner, say) adds nothing.
            if (inOurs(t))
                addEntry({ours(i), i, t});
            else if (theirs(t).text != base(b).text && ours(i).text != theirs(t).text)
                keepBoth(i, t);
            else if (newElsewhere(t))
                keepBoth(i, t, false);
            else
                addEntry({ours(i), i, t});
        } else if (theirs(t).text != base(b).text && ours(i).text != theirs(t).text &&
                   ours(i).text != base(b).text) {
            keepBoth(i, t);
        } else {
            addEntry({MergeRecord(base(b), ours(i), theirs(t), report.fieldConflicts), i, t});
        }
    }

    // For each record added on ours, the record added on theirs that is the very same
    // (the same note made on both, or a sync round trip), else -1.
    std::vector<int> sameAdditions() const
    {
        std::unordered_map<std::uint64_t, std::vector<int>> added;
        for (std::size_t t = 0; t < theirs_.size(); ++t) {
            if (theirsToBase_[t] < 0)
                added[StoredHash(theirs_[t], kind_)].push_back(static_cast<int>(t));
        }
        std::vector<int> same(ours_.size(), -1);
        for (std::size_t i = 0; i < ours_.size() && !added.empty(); ++i) {
            if (oursToBase_[i] >= 0)
                continue;
            const auto it = added.find(StoredHash(ours_[i], kind_));
            if (it == added.end())
                continue;
            for (int& t : it->second) {
                if (t >= 0 && SameStored(ours_[i], theirs(t), kind_)) {
                    same[i] = t;
                    t = -1;
                    break;
                }
            }
        }
        return same;
    }

    void fromTheirsOnly(int t, int b)
    {
        // Added on theirs, or removed on ours but changed on theirs.
        if (b < 0 || (fold_ ? (theirs(t).text != base(b).text || newElsewhere(t)) && !inOurs(t)
                            : !SameStored(theirs(t), base(b), kind_)))
            addEntry({theirs(t), -1, t});
    }

    // The order of the side that reordered (ours when both or neither did), with the other
    // side's own records each after the nearest record before it that the result keeps,
    // or first when none does: where that side has them, so it has nothing to reorder.
    std::vector<int> placeEntries() const
    {
        const bool followTheirs = KeepsBaseOrder(oursToBase_) && !KeepsBaseOrder(theirsToBase_);
        const std::vector<int>& leading = followTheirs ? theirsEntry_ : oursEntry_;
        const std::vector<int>& other = followTheirs ? oursEntry_ : theirsEntry_;
        auto inLeading = [&](int e) {
            const Entry& entry = entries_[static_cast<std::size_t>(e)];
            return (followTheirs ? entry.theirs : entry.ours) >= 0;
        };
        const std::size_t atFront = entries_.size();
        std::vector<std::vector<int>> after(entries_.size() + 1);
        std::size_t anchor = atFront;
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
        for (const int x : after[atFront])
            emit(x);
        for (const int e : leading) {
            if (e < 0)
                continue;
            emit(e);
            for (const int x : after[static_cast<std::size_t>(e)])
                emit(x);
        }
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
    const bool fold_; // theirs is a copy of unknown age: it adds and keeps, never takes away
    static constexpr std::uint64_t kNone = ~std::uint64_t{0};
    const std::uint64_t newFrom_; // the copy's records created since were new to its writer
    std::unordered_multimap<std::uint64_t, int> oursByHash_; // filled on first use
    std::vector<int> oursToBase_;   // base record each of ours continues, -1 when added
    std::vector<int> theirsToBase_; // base record each of theirs continues, -1 when added
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
                              const std::vector<SNote>& theirs, RecordsMerge* report,
                              MergeMode mode, const FoldNew& foldNew)
{
    RecordsMerge local;
    return RecordMerger(base, ours, theirs, Kind::Note, mode, foldNew)
        .run(report ? *report : local);
}

std::vector<SNote> MergeTemplates(const std::vector<SNote>& base, const std::vector<SNote>& ours,
                                  const std::vector<SNote>& theirs, RecordsMerge* report,
                                  MergeMode mode, const FoldNew& foldNew)
{
    RecordsMerge local;
    return RecordMerger(base, ours, theirs, Kind::Template, mode, foldNew)
        .run(report ? *report : local);
}

std::vector<std::string> MergeCategories(const std::vector<std::string>& base,
                                         const std::vector<std::string>& ours,
                                         const std::vector<std::string>& theirs, MergeMode mode)
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
    // Our additions, each after the nearest entry before it in ours that is kept (first
    // when none is).
    std::vector<std::vector<std::string>> after(kept.size() + 1);
    const std::size_t atFront = kept.size();
    std::size_t anchor = atFront;
    for (const std::string& name : ours) {
        const auto at = keptAt.find(name);
        if (at != keptAt.end())
            anchor = at->second;
        else if (!inTheirs.count(name) && (mode == MergeMode::Fold || !inBase.count(name)))
            after[anchor].push_back(name);
    }
    std::vector<std::string> out;
    out.reserve(kept.size() + ours.size());
    out.insert(out.end(), after[atFront].begin(), after[atFront].end());
    for (std::size_t k = 0; k < kept.size(); ++k) {
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

MergeResult Merge(const Session& base, const Session& ours, const Session& theirs, MergeMode mode,
                  const FoldNew& foldNew)
{
    MergeResult result;
    Session& out = result.session;
    out.settings = mode == MergeMode::Fold
                       ? ours.settings
                       : MergeSettings(base.settings, ours.settings, theirs.settings);
    for (const std::string& name : MergeCategories(base.categories.all(), ours.categories.all(),
                                                   theirs.categories.all(), mode))
        out.categories.append(name);
    out.templates.reorder(MergeTemplates(base.templates.all(), ours.templates.all(),
                                         theirs.templates.all(), &result.templates, mode, foldNew));
    out.notes = MergeNotes(base.notes, ours.notes, theirs.notes, &result.notes, mode, foldNew);

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
