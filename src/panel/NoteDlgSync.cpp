// The panel's side of a data folder that other machines change too: shared mode (the
// stores written within seconds of every change), the watch on the stores, and the
// three-way merge of what another machine wrote into the running session.

#include "panel/NoteDlg.h"

#include "model/Factory.h"
#include "note/Note.h"
#include "platform/MachineFolders.h"
#include "platform/MachineSettings.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "store/Merge.h"
#include "store/Stores.h"
#include "store/SyncConflicts.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QTimer>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kStores[] = {store::kSettingsFile, store::kCategoriesFile,
                                   store::kTemplatesFile, store::kNotesFile};

// A burst of watch events (a sync tool's temporary file, then its rename) is looked at once.
constexpr int kSettleMs = 50;
// While an edit in progress holds a merge back, it is tried again this often.
constexpr int kEditRetryMs = 500;
// How long a sync tool's conflict copy seen without a changed store waits for one.
constexpr qint64 kWinnerWaitMs = 1000;
// A folded copy's records made this long before the copy was written were new to its writer.
constexpr qint64 kNewInCopySeconds = 600;

// What a store was when this copy last read or wrote it: the file's identity and times
// first, and its bytes, which decide.
struct StoreSeen {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    long long size = -1;
    long long modifiedNs = 0;
    long long changedNs = 0;
    std::string bytes;

    bool sameStat(const StoreSeen& other) const
    {
        return exists == other.exists && device == other.device && inode == other.inode &&
               size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
    }
};

long long Nanoseconds(const timespec& t)
{
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Looks at path again; changed is set when its bytes differ from before. A store that
// has gone is no change (it is written again with the next write).
StoreSeen Look(const std::string& path, const StoreSeen& before, bool& changed)
{
    changed = false;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return before.exists ? before : StoreSeen{};
    StoreSeen now;
    now.exists = true;
    now.device = st.st_dev;
    now.inode = st.st_ino;
    now.size = st.st_size;
    now.modifiedNs = Nanoseconds(st.st_mtim);
    now.changedNs = Nanoseconds(st.st_ctim);
    if (before.exists && now.sameStat(before)) {
        now.bytes = before.bytes;
        return now;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return before;
    now.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return before;
    changed = !before.exists || now.bytes != before.bytes;
    return now;
}

bool Contains(const std::vector<int>& list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// A file of no bytes is what the writers leave for no records: read as a start reads it.
bool Whole(store::ReadOutcome outcome)
{
    return outcome == store::ReadOutcome::Complete || outcome == store::ReadOutcome::Empty;
}

bool Is(const std::string& name, const char* store)
{
    return name == store;
}

// The stores of folder named in which, read over fallback: a store that is missing or
// cannot be read whole keeps fallback's part (an unreadable one is named in unreadable).
store::Session ReadStores(const std::string& folder, const std::vector<std::string>& which,
                          const store::Session& fallback, std::vector<std::string>& unreadable,
                          store::UncopiedDamage& damage)
{
    store::Session session = fallback;
    for (const std::string& name : which) {
        store::ReadOutcome outcome = store::ReadOutcome::NotOpened;
        if (Is(name, store::kSettingsFile)) {
            SSettings settings;
            store::ReadSettings(folder, settings, &outcome, &damage);
            if (Whole(outcome))
                session.settings = settings;
        } else if (Is(name, store::kCategoriesFile)) {
            Categories categories;
            outcome = store::ReadCategories(folder, categories, &damage);
            if (Whole(outcome))
                session.categories = categories;
        } else if (Is(name, store::kTemplatesFile)) {
            Templates templates;
            outcome =
                store::ReadTemplates(folder, templates, FactoryFont(), platform().now(), &damage);
            if (Whole(outcome))
                session.templates = templates;
        } else if (Is(name, store::kNotesFile)) {
            std::vector<SNote> notes = store::ReadNotes(folder, FactoryFont(), &outcome, &damage);
            if (Whole(outcome))
                session.notes = std::move(notes);
        }
        if (outcome == store::ReadOutcome::Damaged)
            unreadable.push_back(name);
    }
    return session;
}

// One store's part of from, copied into to.
void CopyPart(store::Session& to, const store::Session& from, const std::string& name)
{
    if (Is(name, store::kSettingsFile))
        to.settings = from.settings;
    else if (Is(name, store::kCategoriesFile))
        to.categories = from.categories;
    else if (Is(name, store::kTemplatesFile))
        to.templates = from.templates;
    else if (Is(name, store::kNotesFile))
        to.notes = from.notes;
}

bool HoldsBytes(const std::string& path, const std::string& bytes)
{
    std::error_code error;
    if (std::filesystem::file_size(path, error) != bytes.size() || error)
        return false;
    std::ifstream in(path, std::ios::binary);
    const std::string held((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !in.bad() && held == bytes;
}

// The recovery snapshot keeps what the stores held when this copy last read or wrote them.
void KeepSeenWithSnapshot(const std::map<std::string, StoreSeen>& seen, RecoverySnapshot* snapshot)
{
    if (!snapshot)
        return;
    std::map<std::string, std::string> bytes;
    for (const auto& [name, store] : seen)
        if (store.exists)
            bytes[name] = store.bytes;
    snapshot->setSeen(std::move(bytes));
}

// The records a conflict copy's writer had just made: those made shortly before it was
// written (the sync tool keeps the time of the version it sets aside).
store::FoldNew NewInCopy(const std::string& path)
{
    store::FoldNew foldNew;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return foldNew;
    const QDateTime from =
        QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec - kNewInCopySeconds).toLocalTime();
    foldNew.set = true;
    foldNew.from.year = static_cast<std::uint16_t>(from.date().year());
    foldNew.from.month = static_cast<std::uint16_t>(from.date().month());
    foldNew.from.day = static_cast<std::uint16_t>(from.date().day());
    foldNew.from.hour = static_cast<std::uint16_t>(from.time().hour());
    foldNew.from.minute = static_cast<std::uint16_t>(from.time().minute());
    foldNew.from.second = static_cast<std::uint16_t>(from.time().second());
    return foldNew;
}

} // namespace

struct SyncState {
    // What the stores held when this copy last read or wrote them.
    struct Known {
        store::Session base;
        std::map<std::string, StoreSeen> seen;
        // What each store held when this copy last read it (not what it wrote since).
        store::Session read;
    } known;
    QFileSystemWatcher* watch = nullptr;
    QTimer writeTimer; // shared mode: the first change of a burst starts it
    QTimer checkTimer; // a watch event, or a merge an edit held back
    bool applying = false;
    bool pendingWrite = false;
    // Sync tools' conflict copies merged in, moved away once the stores hold them.
    std::vector<std::string> folded;
    // When each conflict copy still in the folder was first seen (on clock).
    std::map<std::string, qint64> firstSeen;
    QElapsedTimer clock;
};

void CNoteDlg::StartSync()
{
    sync_ = std::make_shared<SyncState>();
    SyncState& s = *sync_;
    s.writeTimer.setSingleShot(true);
    s.checkTimer.setSingleShot(true);
    s.clock.start();
    connect(&s.writeTimer, &QTimer::timeout, this, [this] { WriteSharedNow(); });
    connect(&s.checkTimer, &QTimer::timeout, this, [this] { CheckStores(); });
    std::vector<std::string> present;
    for (const char* name : kStores) {
        if (!Synced(name))
            continue;
        bool changed = false;
        s.known.seen[name] = Look(dataFolder + name, StoreSeen{}, changed);
        if (changed)
            present.push_back(name);
    }
    bool mergeNow = false;
    if (restored_) {
        // The session came from the recovery copy. It parts from what the stores held
        // when it last read or wrote them, kept with the copy (what they hold now, for a
        // copy without it): a store changed since, by a sync tool or anything else, is
        // merged into it, not written over.
        const std::string kept = machineFolder + store::kRecoveryFolder + store::kSeenFolder;
        std::vector<std::string> fromDisk, fromKept, unreadable;
        for (const std::string& name : present) {
            std::ifstream in(kept + name, std::ios::binary);
            StoreSeen before;
            before.bytes.assign(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
            if (!in.is_open() || in.bad()) {
                fromDisk.push_back(name);
                continue;
            }
            before.exists = true;
            fromKept.push_back(name);
            // Looked at again below: its bytes decide.
            mergeNow = mergeNow || before.bytes != s.known.seen[name].bytes;
            s.known.seen[name] = std::move(before);
        }
        s.known.base = ReadStores(dataFolder, fromDisk, CurrentSession(), unreadable, damage_);
        s.known.base = ReadStores(kept, fromKept, s.known.base, unreadable, damage_);
    } else {
        s.known.base = CurrentSession();
    }
    s.known.read = s.known.base;
    KeepSeenWithSnapshot(s.known.seen, snapshot_.get());
    UpdateSharedMode();
    if (sharedFolder_) {
        if (restored_)
            s.pendingWrite = true;
        // The sync tools' conflict copies left while no copy ran are folded in now.
        QTimer::singleShot(0, this, [this] { CheckStores(); });
    } else if (mergeNow) {
        // Shown at once; written, as every change here, at the end.
        QTimer::singleShot(0, this, [this] {
            bool needsWrite = false;
            if (sync_ && !ended_ && !saving_)
                MergeFromDisk(CurrentSession(), true, false, needsWrite);
        });
    }
}

bool CNoteDlg::Synced(const char* name) const
{
    return !(sharedFolder_ && Is(name, store::kSettingsFile));
}

bool CNoteDlg::SyncApplying() const
{
    return sync_ && sync_->applying;
}

void CNoteDlg::ScheduleSharedWrite()
{
    if (!sync_)
        return;
    sync_->pendingWrite = true;
    if (!sync_->writeTimer.isActive())
        sync_->writeTimer.start(kSharedWriteDelayMs);
}

void CNoteDlg::UpdateSharedMode()
{
    if (!sync_)
        return;
    SyncState& s = *sync_;
    const bool was = sharedFolder_;
    sharedFolder_ = store::IsSharedFolder(dataFolder) || SharedFolderSetting();
    if (sharedFolder_ && !s.watch) {
        s.watch = new QFileSystemWatcher(this);
        // The folder sees a store renamed into place; the files see a rewrite in place.
        s.watch->addPath(QString::fromStdString(dataFolder));
        for (const char* name : kStores) {
            if (!Synced(name))
                continue;
            if (std::filesystem::exists(dataFolder + name))
                s.watch->addPath(QString::fromStdString(dataFolder + name));
        }
        const auto look = [this] {
            if (sync_ && !sync_->checkTimer.isActive())
                sync_->checkTimer.start(kSettleMs);
        };
        connect(s.watch, &QFileSystemWatcher::directoryChanged, this, look);
        connect(s.watch, &QFileSystemWatcher::fileChanged, this, look);
    } else if (!sharedFolder_ && s.watch) {
        delete s.watch;
        s.watch = nullptr;
    }
    if (sharedFolder_ && !was && changedSinceStart_)
        ScheduleSharedWrite();
    if (!sharedFolder_ && was && s.pendingWrite) {
        // Back to writing at the end: the recovery copy keeps what is not written yet.
        s.writeTimer.stop();
        s.pendingWrite = false;
        if (snapshot_)
            snapshot_->changed();
    }
    MarkSharedFolder();
}

void CNoteDlg::MarkSharedFolder()
{
    if (QAction* item = menus.sharedFolder) {
        // Like every mark here, only a marked item is checkable.
        const bool on = SharedFolderSetting();
        item->setCheckable(on);
        item->setChecked(on);
    }
}

void CNoteDlg::ToggleSharedFolder()
{
    const bool on = !SharedFolderSetting();
    if (!SetSharedFolderSetting(on))
        platform().ask(nullptr,
                       FromQt(QCoreApplication::translate("PanelMenus", "Cannot write %1.")
                                  .arg(MachineSettingsFile())),
                       FromQt(QCoreApplication::translate("PanelMenus", "Attention!")),
                       MessageButtons::Ok, MessageIcon::Stop);
    UpdateSharedMode();
}

std::optional<store::Session> CNoteDlg::MergeFromDisk(const store::Session& ours, bool apply,
                                                      bool fold, bool& needsWrite)
{
    needsWrite = false;
    SyncState& s = *sync_;
    std::map<std::string, StoreSeen> seen;
    std::vector<std::string> changed;
    for (const char* name : kStores) {
        if (!Synced(name))
            continue;
        bool differs = false;
        seen[name] = Look(dataFolder + name, s.known.seen[name], differs);
        if (differs)
            changed.push_back(name);
    }
    store::Session session = ours;
    const std::vector<store::SyncConflict> conflicts = store::FindSyncConflicts(dataFolder);
    if (!changed.empty()) {
        std::vector<std::string> unreadable;
        const store::Session theirs =
            ReadStores(dataFolder, changed, s.known.base, unreadable, damage_);
        // A sync tool that set this copy's own last write aside as a conflict copy put a
        // version in its place that was written without it: that version and ours part
        // from what this copy last read, not from what it wrote. (Its notes made in the
        // same second as ours are thus others, not versions of ours.)
        store::Session base = s.known.base;
        for (const std::string& name : changed) {
            const std::string& mine = s.known.seen[name].bytes;
            for (const store::SyncConflict& conflict : conflicts)
                if (conflict.store == name && HoldsBytes(conflict.path, mine)) {
                    CopyPart(base, s.known.read, name);
                    break;
                }
        }
        const store::MergeResult result = store::Merge(base, ours, theirs);
        if (apply && !ApplyMerge(result))
            return std::nullopt;
        for (const std::string& name : changed)
            CopyPart(s.known.read, theirs, name);
        // Only a file that cannot be read is kept aside as it was; it is written over.
        store::StoreStamps stale;
        for (const std::string& name : unreadable)
            stale[name] = store::StoreStamp{};
        for (std::string& copy : store::KeepConflictCopies(dataFolder, stale, platform().now()))
            conflictCopies_.push_back(std::move(copy));
        s.known.base = theirs;
        // The panel's place and the other settings of this machine alone are no reason
        // to write: two machines would keep answering each other's.
        const SSettings& mine = result.session.settings;
        const SSettings& read = theirs.settings;
        needsWrite = result.notes.differsFromTheirs || result.templates.differsFromTheirs ||
                     result.session.categories.all() != theirs.categories.all() ||
                     mine.panelColor != read.panelColor || mine.panelStyle != read.panelStyle ||
                     mine.listViewMode != read.listViewMode || !unreadable.empty();
        session = apply ? CurrentSession() : result.session;
    }
    s.known.seen = std::move(seen);
    KeepSeenWithSnapshot(s.known.seen, snapshot_.get());
    if (!fold)
        return session;

    std::vector<std::string> folded;
    const std::string foldFolder = store::StateFolder() + "fold/";
    const qint64 now = s.clock.elapsed();
    std::map<std::string, qint64> firstSeen;
    for (const store::SyncConflict& conflict : conflicts) {
        // A sync tool puts the winner in place right before or after it keeps the other
        // version: a copy seen alone waits a moment for it, so that the version this
        // machine lost is folded in after the winner is merged, not before.
        const auto seen = s.firstSeen.find(conflict.path);
        const qint64 since = seen == s.firstSeen.end() ? now : seen->second;
        firstSeen[conflict.path] = since;
        if (changed.empty() && now - since < kWinnerWaitMs) {
            if (!s.checkTimer.isActive())
                s.checkTimer.start(static_cast<int>(kWinnerWaitMs - (now - since)));
            continue;
        }
        // The readers know a store by its name: the copy is read under that name.
        std::error_code error;
        if (!store::CreateDataFolder(foldFolder) ||
            !std::filesystem::copy_file(conflict.path, foldFolder + conflict.store,
                                        std::filesystem::copy_options::overwrite_existing, error))
            continue;
        std::vector<std::string> unreadable;
        const store::Session copy =
            ReadStores(foldFolder, {conflict.store}, session, unreadable, damage_);
        std::filesystem::remove(foldFolder + conflict.store, error);
        const store::MergeResult result = store::Merge(
            s.known.base, session, copy, store::MergeMode::Fold, NewInCopy(conflict.path));
        if (apply && !ApplyMerge(result))
            continue; // once the edit ends
        folded.push_back(conflict.path);
        if (result.notes.differsFromOurs || result.templates.differsFromOurs ||
            result.categoriesChanged || result.settingsChanged)
            needsWrite = true;
        session = apply ? CurrentSession() : result.session;
    }
    s.firstSeen = std::move(firstSeen);
    if (needsWrite)
        s.folded.insert(s.folded.end(), folded.begin(), folded.end());
    else
        for (const std::string& path : folded)
            store::KeepFoldedConflict(path, store::StateFolder() + "conflicts/");
    return session;
}

bool CNoteDlg::ApplyMerge(const store::MergeResult& result)
{
    std::vector<CNote*> ours;
    for (int slot = 0; slot < notes.count(); ++slot)
        if (CNote* note = notes.get(slot))
            ours.push_back(note);
    const store::RecordsMerge& merged = result.notes;
    // A note being typed in is neither closed nor rewritten under the caret.
    for (int k : merged.removed)
        if (ours[static_cast<std::size_t>(k)]->isEditing())
            return false;
    const auto editing = [&](int i) {
        const int k = i >= 0 ? merged.sources[static_cast<std::size_t>(i)] : -1;
        return k >= 0 && ours[static_cast<std::size_t>(k)]->isEditing();
    };
    for (int i : merged.changed)
        if (editing(i))
            return false;
    // Nor does the other version of its text open before the edit ends.
    for (int i : merged.conflictCopies)
        if (editing(i - 1))
            return false;

    SyncState& s = *sync_;
    s.applying = true;
    std::vector<CNote*> order;
    for (std::size_t i = 0; i < merged.sources.size(); ++i) {
        const SNote& record = result.session.notes[i];
        const int k = merged.sources[i];
        if (k < 0) {
            order.push_back(openNote(record, false));
            continue;
        }
        CNote* note = ours[static_cast<std::size_t>(k)];
        if (Contains(merged.changed, static_cast<int>(i)))
            note->ApplyRecord(record, false);
        order.push_back(note);
    }
    for (int k : merged.removed)
        ours[static_cast<std::size_t>(k)]->CloseNote();
    // The slots follow the merged order, so that the next write keeps it.
    notes.clear();
    for (std::size_t i = 0; i < order.size(); ++i) {
        notes.append(order[i]);
        order[i]->setSlot(static_cast<int>(i));
    }

    if (result.templates.differsFromOurs) {
        templates.reorder(result.session.templates.all());
        FillTemplateList();
    }
    if (result.categoriesChanged) {
        categories = result.session.categories;
        RefreshCategoryMenus();
    }
    if (result.settingsChanged) {
        // The panel's place, visibility, hot keys and "Always Top" stay this machine's.
        const SSettings& merged = result.session.settings;
        ApplyPanelColor(merged.panelColor);
        ApplyPanelStyle(merged.panelStyle);
        ApplyViewMode(merged.listViewMode);
    }
    s.applying = false;
    return true;
}

store::StoreResult CNoteDlg::WriteStores(const store::Session& session)
{
    if (store::StoreResult written = store::WriteSession(
            dataFolder, session, SettingsFolderFor(dataFolder, sharedFolder_), &damage_);
        !written)
        return written;
    SyncState& s = *sync_;
    for (const char* name : kStores) {
        if (!Synced(name))
            continue;
        bool changed = false;
        s.known.seen[name] = Look(dataFolder + name, StoreSeen{}, changed);
        // Inside exit() (the X server gone) the watch and the timers are left alone.
        if (!ended_ && s.watch &&
            !s.watch->files().contains(QString::fromStdString(dataFolder + name)))
            s.watch->addPath(QString::fromStdString(dataFolder + name));
    }
    s.known.base = session;
    KeepSeenWithSnapshot(s.known.seen, snapshot_.get());
    if (!ended_)
        s.writeTimer.stop();
    s.pendingWrite = false;
    for (const std::string& path : s.folded)
        store::KeepFoldedConflict(path, store::StateFolder() + "conflicts/");
    s.folded.clear();
    return {};
}

void CNoteDlg::WriteSharedNow()
{
    if (ended_ || saving_ || !sync_)
        return;
    bool needsWrite = false;
    const std::optional<store::Session> session =
        MergeFromDisk(CurrentSession(), true, true, needsWrite);
    if (!session) {
        sync_->checkTimer.start(kEditRetryMs);
        return;
    }
    if (const store::StoreResult written = WriteStores(*session); !written) {
        std::fprintf(stderr, "pinleaf: cannot save the notes to %s: %s\n", dataFolder.c_str(),
                     written.error().reason.c_str());
        // Until a later change writes them, the recovery copy keeps them.
        if (snapshot_)
            snapshot_->changed();
    }
    TellConflicts(true);
}

void CNoteDlg::CheckStores()
{
    if (ended_ || saving_ || !sync_)
        return;
    SyncState& s = *sync_;
    if (s.pendingWrite) {
        WriteSharedNow();
        return;
    }
    if (s.watch)
        for (const char* name : kStores) {
            if (!Synced(name))
                continue;
            // A store replaced by a rename is a new file to watch.
            const QString path = QString::fromStdString(dataFolder + name);
            if (!s.watch->files().contains(path) && std::filesystem::exists(dataFolder + name))
                s.watch->addPath(path);
        }
    bool needsWrite = false;
    const std::optional<store::Session> session =
        MergeFromDisk(CurrentSession(), true, sharedFolder_, needsWrite);
    if (!session) {
        s.checkTimer.start(kEditRetryMs);
        return;
    }
    if (needsWrite) {
        if (const store::StoreResult written = WriteStores(*session); !written)
            std::fprintf(stderr, "pinleaf: cannot save the merged notes to %s: %s\n",
                         dataFolder.c_str(), written.error().reason.c_str());
    }
    TellConflicts(true);
}

store::StoreResult CNoteDlg::SaveMerged(const store::Session& session)
{
    if (!sync_)
        return store::WriteSession(dataFolder, session,
                                   SettingsFolderFor(dataFolder, sharedFolder_), &damage_);
    // What another machine or program wrote meanwhile is merged in, not overwritten.
    const bool apply = !ended_ && !saving_;
    bool needsWrite = false;
    std::optional<store::Session> merged = MergeFromDisk(session, apply, sharedFolder_, needsWrite);
    if (merged)
        return WriteStores(*merged);
    // An edit in progress holds the merge back from the screen: the merged session is
    // written, and this copy goes on as if it had not read it, so that the next look at
    // the stores merges it into the screen.
    const SyncState::Known known = sync_->known;
    merged = MergeFromDisk(session, false, false, needsWrite);
    store::StoreResult saved = store::WriteSession(
        dataFolder, *merged, SettingsFolderFor(dataFolder, sharedFolder_), &damage_);
    sync_->known = known;
    KeepSeenWithSnapshot(sync_->known.seen, snapshot_.get());
    sync_->checkTimer.start(kEditRetryMs);
    return saved;
}
