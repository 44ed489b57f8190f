// The panel's side of keeping the session: the recovery snapshot, restoring it at
// start-up, and the save-all ends (Enter, "Exit", the end of the session, a vanished
// X server, a checkpoint).

#include "panel/NoteDlg.h"

#include "model/Factory.h"
#include "note/Note.h"
#include "platform/MachineFolders.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "session/RecoverySnapshot.h"

#include <QSystemTrayIcon>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {

// The one line a failed save at the end leaves: where the session is (in the recovery
// folder of machineFolder), if anywhere.
void SayWhatIsKept(const std::string& error, bool kept, const QString& snapshotError,
                   const std::string& machineFolder)
{
    const std::string folder = machineFolder + store::kRecoveryFolder;
    if (kept)
        std::fprintf(stderr, "pinleaf: %s; the session is kept in %s for the next start\n",
                     error.c_str(), folder.c_str());
    else
        std::fprintf(stderr, "pinleaf: %s; the recovery copy could not be written either (%s)\n",
                     error.c_str(), qPrintable(snapshotError));
}

void SaveAtProcessExit()
{
    // exit() from the X platform plugin when the connection broke: the panel and its
    // notes are still in memory.
    if (CNoteDlg* panel = CNoteDlg::instance())
        panel->SaveAtExit();
}

} // namespace

void CNoteDlg::MoveOldRecoverySnapshot()
{
    std::string error;
    if (!MakeMachineFolder(machineFolder, &error)) {
        std::fprintf(stderr, "pinleaf: cannot use %s\n", error.c_str());
        return;
    }
    // A crash before the update is still restored; a newer snapshot wins, and the old
    // one stays where it is.
    const std::string old = dataFolder + store::kRecoveryFolder;
    struct stat st {};
    if (::lstat(old.c_str(), &st) != 0)
        return;
    if (store::SnapshotExists(machineFolder))
        std::fprintf(stderr, "pinleaf: %s is left as it is: %s%s holds a newer snapshot\n",
                     old.c_str(), machineFolder.c_str(), store::kRecoveryFolder);
    else if (!store::MoveSnapshot(dataFolder, machineFolder))
        std::fprintf(stderr, "pinleaf: the recovery snapshot in %s could not all move to %s%s\n",
                     old.c_str(), machineFolder.c_str(), store::kRecoveryFolder);
}

void CNoteDlg::TakeRecoverySnapshot()
{
    storeStamps_ = store::TakeStoreStamps(dataFolder);
    snapshot_ = std::make_unique<RecoverySnapshot>(
        machineFolder, [this] { return CurrentSession(); }, &damage_);
    connect(snapshot_.get(), &RecoverySnapshot::stateChanged, this, &CNoteDlg::OnSnapshotState);
    store::Session session;
    snapshotRead_ =
        store::ReadSnapshot(machineFolder, session, FactoryFont(), platform().now(), &damage_);
    for (const auto& [path, kept] : snapshotRead_.setAside)
        std::fprintf(
            stderr, "pinleaf: %s is not a file or folder of this user; %s%s\n", path.c_str(),
            kept.empty() ? "it could not be set aside, and was not read" : "set aside, unread, as ",
            kept.c_str());
    switch (snapshotRead_.state) {
    case store::SnapshotState::Restored:
    case store::SnapshotState::Partial:
        restored_ = std::move(session);
        break;
    case store::SnapshotState::Damaged:
        // Its damaged files stay as ".damaged" copies; the stores are used.
        std::fprintf(stderr,
                     "pinleaf: the recovery snapshot in %s%s is damaged; using the stores\n",
                     machineFolder.c_str(), store::kRecoveryFolder);
        store::RemoveSnapshot(machineFolder);
        break;
    case store::SnapshotState::None:
        break;
    }
    static bool hooked = false;
    if (!hooked) {
        hooked = true;
        std::atexit(SaveAtProcessExit);
    }
}

void CNoteDlg::Tell(const QString& text)
{
    if (tray_ && QSystemTrayIcon::isSystemTrayAvailable())
        tray_->add(QStringLiteral("Pinleaf"), true, QStringLiteral("Pinleaf"), text);
    else
        platform().ask(this, FromQt(text), "Pinleaf", MessageButtons::Ok, MessageIcon::Information);
}

void CNoteDlg::ShowRestoredMessage()
{
    if (ended_)
        return;
    if (snapshotRead_.state != store::SnapshotState::Partial) {
        Tell(tr("The notes of a session that ended unexpectedly were restored."));
        return;
    }
    QStringList parts;
    const std::pair<bool, const char*> named[] = {
        {snapshotRead_.notes, QT_TR_NOOP("the notes")},
        {snapshotRead_.templates, QT_TR_NOOP("the templates")},
        {snapshotRead_.categories, QT_TR_NOOP("the categories")},
        {snapshotRead_.settings, QT_TR_NOOP("the settings")}};
    for (const auto& [back, name] : named)
        if (back)
            parts << tr(name);
    Tell(tr("Part of a session that ended unexpectedly was restored: %1. The rest is as last "
            "saved; what could not be read was kept in %2.")
             .arg(parts.join(QStringLiteral(", ")), ToQt(machineFolder + store::kRecoveryFolder)));
}

void CNoteDlg::OnSnapshotState(bool works, const QString& error)
{
    if (ended_ || saving_)
        return;
    if (works)
        Tell(tr("Pinleaf keeps a recovery copy of this session again."));
    else
        Tell(tr("Pinleaf cannot keep a recovery copy of this session (%1). Until this is "
                "mended, a crash loses the changes made since the last save.")
                 .arg(error));
}

void CNoteDlg::MarkChanged()
{
    if (!started_ || ended_ || saving_ || SyncApplying())
        return;
    changedSinceStart_ = true;
    // In shared mode the stores themselves are written soon, and serve as the recovery copy.
    if (sharedFolder_)
        ScheduleSharedWrite();
    else if (snapshot_)
        snapshot_->changed();
}

store::Session CNoteDlg::CurrentSession() const
{
    // Reads only what is in memory: this also runs inside exit() with no X server.
    store::Session session;
    session.settings = settings;
    session.settings.panelLeft = x();
    session.settings.panelTop = y();
    session.categories = categories;
    session.templates = templates;
    for (int slot = 0; slot < notes.count(); ++slot) {
        const CNote* note = notes.get(slot);
        if (!note)
            continue;
        session.notes.push_back(note->currentRecord());
        // In a shared folder a note brought onto this smaller screen keeps its place in
        // the stores until the user moves it: another machine's screen may show it there.
        if (const std::optional<QPoint> from = note->broughtFrom(); from && sharedFolder_) {
            session.notes.back().left = from->x();
            session.notes.back().top = from->y();
        }
    }
    return session;
}

bool CNoteDlg::SaveStores(const store::Session& session, std::string& error)
{
    // A snapshot write on the worker thread must not land after the snapshot is removed.
    if (snapshot_)
        snapshot_->wait();
    // Before the panel knows the stores (a save inside exit() during start-up), a store
    // someone else replaced is kept before it is overwritten; afterwards it is merged.
    if (!sync_)
        for (std::string& copy :
             store::KeepConflictCopies(dataFolder, storeStamps_, platform().now()))
            conflictCopies_.push_back(std::move(copy));
    const store::StoreResult written = SaveMerged(session);
    const bool saved = static_cast<bool>(written);
    if (saved)
        restoredUnsaved_ = false;
    if (!saved)
        error = FromQt(tr("Pinleaf could not save your notes to %1: %2")
                           .arg(ToQt(dataFolder), ToQt(written.error().reason)));
    // Whatever reached the disk is this program's own from now on.
    storeStamps_ = store::TakeStoreStamps(dataFolder);
    // Only now: a kill during the save restores the whole session from the snapshot.
    if (saved)
        store::RemoveSnapshot(machineFolder);
    return saved;
}

void CNoteDlg::TellConflicts(bool canAsk)
{
    if (conflictCopies_.empty())
        return;
    std::string names;
    for (const std::string& copy : conflictCopies_)
        names += (names.empty() ? "" : ", ") + copy;
    conflictCopies_.clear();
    const std::string text =
        FromQt(tr("Another program changed the notes in %1 while Pinleaf ran. Its version was "
                  "kept as %2.")
                   .arg(ToQt(dataFolder), ToQt(names)));
    if (canAsk)
        platform().ask(this, text, "Pinleaf", MessageButtons::Ok, MessageIcon::Information);
    else
        std::fprintf(stderr, "pinleaf: %s\n", text.c_str());
}

void CNoteDlg::EndWithSave(bool canAsk)
{
    if (ended_ || saving_)
        return;
    saving_ = true;
    // "Exit" from the tray's menu or the end of the session can come while a question,
    // dialog or menu is open: each is left as cancelled; nobody will answer it.
    platform().leaveModalLoops();
    // The end can come while a note is being typed in; the editor has not lost the
    // focus yet, so take its text now.
    for (int slot = 0; slot < notes.count(); ++slot)
        if (CNote* note = notes.get(slot))
            note->FinishTextEdit();
    // The snapshot is the whole session before the stores are replaced one by one.
    if (snapshot_)
        snapshot_->flush();
    bool saved = false;
    for (;;) {
        std::string error;
        if (SaveStores(CurrentSession(), error)) {
            saved = true;
            break;
        }
        const bool kept = snapshot_ && snapshot_->flush(true);
        if (!canAsk || sessionEnding_) {
            SayWhatIsKept(error, kept, snapshot_ ? snapshot_->lastError() : QString(),
                          machineFolder);
            break;
        }
        if (!platform().askRetry(this, error, "Pinleaf") && !sessionEnding_)
            break; // Quit without saving: the snapshot stays for the next start
    }
    if (saved && snapshot_)
        snapshot_->discard();
    if (saved)
        TellConflicts(canAsk && !sessionEnding_);
    if (tray_)
        tray_->remove();
    saving_ = false;
    EndDialog(saved ? 0 : 1);
}

void CNoteDlg::OnSessionEnd()
{
    if (ended_)
        return;
    sessionEnding_ = true;
    if (saving_) {
        // The failed-save question is open: leaving it lets the save end the panel.
        platform().leaveModalLoops();
        return;
    }
    EndWithSave(false);
}

void CNoteDlg::OnCheckpoint()
{
    if (ended_ || saving_)
        return;
    std::string error;
    if (SaveStores(CurrentSession(), error)) {
        if (snapshot_)
            snapshot_->discard();
        changedSinceStart_ = false;
        TellConflicts(false);
    } else {
        if (snapshot_)
            snapshot_->flush(true);
        std::fprintf(stderr, "pinleaf: %s\n", error.c_str());
    }
}

void CNoteDlg::SaveAtExit()
{
    if (ended_ || !snapshot_)
        return;
    ended_ = true;
    const store::Session session = CurrentSession();
    std::string error;
    if (!SaveStores(session, error)) {
        const store::StoreResult kept = store::WriteSnapshot(machineFolder, session, &damage_);
        SayWhatIsKept(error, static_cast<bool>(kept),
                      kept ? QString() : QString::fromStdString(kept.error().message()),
                      machineFolder);
    }
}
