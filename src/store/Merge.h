#pragma once
// Three-way merge of a session: base is what this copy last read or wrote, ours is the
// session in memory, theirs is what another machine (or a sync tool's conflict copy)
// put on disk. Nothing a user typed on either side is dropped: where both sides changed
// the same text, the result keeps both versions.
//
// A note or template is known by its creation time (to the second, as the stores keep
// it) and its position among the records of its side with that same time; a record
// closed or added among those does not shift the others (records equal to one of base
// pair with it first). The result keeps ours' order, or theirs' when only theirs
// reordered (a template list sorted there); records one side added go after the record
// that precedes them on that side (first when none does). Fields changed differently on
// both sides other than a note's text are settled for ours.
//
// Records both sides added in one second stay two unless they are equal. When a sync tool
// put one machine's store in place of the other's, the caller merges against what it last
// read (so that both sides' records are additions), and a fold keeps a copy's new record
// that ours lacks (FoldNew): two notes made in one second never become one.

#include "store/Session.h"

#include <vector>

namespace store {

enum class MergeMode {
    // theirs is the store another machine wrote after reading base (or a later version).
    Live,
    // theirs is a sync tool's conflict copy, of unknown age: it may predate base, so its
    // differences could be old values. It adds what it has that ours lacks and keeps a
    // text it holds beside ours where they differ, but takes nothing away and changes no
    // other field (settings included).
    Fold,
};

// For a fold: the records of the copy created at or after this time (to the second) were
// new when its writer wrote it, so that one of them may be a note of its own made in the
// same second as one here, not a version of it. Each such record equal to none of ours is
// kept as a record of its own. Unset: none is taken for new.
struct FoldNew {
    bool set = false;
    SystemTime from;
};

struct RecordsMerge {
    // For each record of the result: the index in ours it continues (its window, its
    // list row), or -1 for a record this copy does not have yet.
    std::vector<int> sources;
    // Indices in ours of the records the result no longer has.
    std::vector<int> removed;
    // Indices in the result of records that continue one of ours but whose stored fields
    // differ from it (a window to update).
    std::vector<int> changed;
    // Indices in the result of the second versions kept because both sides changed a
    // note's text; each sits right after the version from ours.
    std::vector<int> conflictCopies;
    // Fields changed differently on both sides, settled for ours.
    int fieldConflicts = 0;

    // The result differs from ours in what the stores keep (added, removed, changed,
    // reordered).
    bool differsFromOurs = false;
    // The result differs from theirs in what the stores keep: it must be written back.
    bool differsFromTheirs = false;
};

struct MergeResult {
    Session session;
    RecordsMerge notes;
    RecordsMerge templates;
    bool settingsChanged = false;   // relative to ours
    bool categoriesChanged = false; // relative to ours
    // Nothing was changed on both sides: no second versions, no field settled for ours.
    bool clean = true;
    // The result differs from theirs in any store: write the session back.
    bool needsWrite = false;
};

// Settings kept per machine (the panel's position and visibility, the hot-key set and
// "always on top") are always taken from ours.
MergeResult Merge(const Session& base, const Session& ours, const Session& theirs,
                  MergeMode mode = MergeMode::Live, const FoldNew& foldNew = {});

// The record-level parts, for callers that merge one store.
std::vector<SNote> MergeNotes(const std::vector<SNote>& base, const std::vector<SNote>& ours,
                              const std::vector<SNote>& theirs, RecordsMerge* report = nullptr,
                              MergeMode mode = MergeMode::Live, const FoldNew& foldNew = {});
std::vector<SNote> MergeTemplates(const std::vector<SNote>& base, const std::vector<SNote>& ours,
                                  const std::vector<SNote>& theirs, RecordsMerge* report = nullptr,
                                  MergeMode mode = MergeMode::Live, const FoldNew& foldNew = {});
// Additions from both sides, removals from either; theirs' order with our additions placed
// after the entry that precedes them in ours (first when none does).
std::vector<std::string> MergeCategories(const std::vector<std::string>& base,
                                         const std::vector<std::string>& ours,
                                         const std::vector<std::string>& theirs,
                                         MergeMode mode = MergeMode::Live);
SSettings MergeSettings(const SSettings& base, const SSettings& ours, const SSettings& theirs);

// Equal in every field the notes store (or the templates store) keeps.
bool SameStoredNote(const SNote& a, const SNote& b);
bool SameStoredTemplate(const SNote& a, const SNote& b);

} // namespace store
