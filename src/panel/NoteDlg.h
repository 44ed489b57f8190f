#pragma once
// CNoteDlg: the main panel. A small borderless window with five button labels, a web
// link line and the template list; it owns every collection and every note window,
// carries the program's menus and runs start-up and the save-all exit.

#include "hotkeys/HotKeyGrabber.h"
#include "hotkeys/HotKeys.h"
#include "model/Collections.h"
#include "model/Settings.h"
#include "note/NoteHost.h"
#include "panel/PanelCommand.h"
#include "panel/PanelMenus.h"
#include "panel/PanelTray.h"
#include "panel/TemplateCommands.h"
#include "platform/TrayIcon.h"
#include "platform/WindowDrag.h"
#include "session/RecoverySnapshot.h"
#include "store/Session.h"

#include <QBasicTimer>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMyLink;
class CNote;
class QFileSystemWatcher;
class InstanceLock;
class TemplateListView;
struct SyncState;
namespace store {
struct MergeResult;
}

class CNoteDlg : public QWidget, public NoteHost, private HotKeyActions, private TrayActions {
    Q_OBJECT
public:
    // Either may be null: the panel then runs without global keys or without a tray icon.
    explicit CNoteDlg(std::unique_ptr<HotKeyGrabber> hotKeys = nullptr,
                      std::unique_ptr<TrayIcon> tray = nullptr);
    ~CNoteDlg() override;

    // The one panel of the process (set by the constructor), or null.
    static CNoteDlg* instance();

    // Start-up; false when the program must end at once (another copy runs, or the
    // data folder cannot be used). ExitStatus() then says how.
    bool OnInitDialog();
    // Writes the stores and ends the panel. When a store cannot be written the user
    // chooses between Retry and Quit without saving (the snapshot then stays).
    void OnOK();
    // Ends the panel without writing anything; asks first when something changed.
    void OnCancel();
    // The end of the session: open menus and dialogs are left as cancelled, the stores
    // written, and the panel ends even when a store cannot be written (nobody to ask).
    void OnSessionEnd();
    // The session manager's save request while the session goes on: writes, keeps running.
    void OnCheckpoint();
    // The process is ending inside exit() (the X server went away): writes from the
    // records in memory without touching the window system.
    void SaveAtExit();

    bool ChangedSinceStart() const { return changedSinceStart_; }
    RecoverySnapshot* recoverySnapshot() const { return snapshot_.get(); }
    // Every menu command, the panel's own commands and the hot keys end here.
    // Returns whether the command was handled.
    bool OnCommand(PanelCommand id);
    // Timer 1: looks for a hand-over while the panel is hidden (the watch on the data
    // folder and the first second after hiding call it).
    void OnTimer(int id);

    // Shared mode: the data folder is kept in sync with other machines (a sync tool's
    // marker, or "Shared folder" chosen on this machine). Changes are then written within
    // kSharedWriteDelayMs and the stores are watched; what another machine wrote is merged
    // into the running session at once.
    bool SharedMode() const { return sharedFolder_; }
    static constexpr int kSharedWriteDelayMs = 2000;

    // A press of the global hot key id (also from a second copy of the program).
    void OnHotKey(int id);
    // The templates, and the note windows by slot (an empty slot is null).
    const Templates& templateRecords() const { return templates; }
    const SlotList<CNote>& openNotes() const { return notes; }

    // The program's icon has changed: the tray shows the new one.
    void RefreshTrayIcon()
    {
        if (tray_)
            tray_->refreshIcon();
    }

    // NoteHost
    const Categories& categoryList() const override { return categories; }
    void saveAsTemplate(const SNote& record) override;
    CNote* openNote(const SNote& record, bool isNew) override;
    void noteClosed(int slot) override;
    QWidget* noteParent() override { return nullptr; }
    void noteChanged() override { MarkChanged(); }

    // 0 after OnOK, OnCancel or a hand-over to the running copy; 1 when the data
    // folder is unusable.
    int ExitStatus() const { return exitStatus; }
    bool Ended() const { return ended_; }

    // At the end of the program: a desktop service that holds the hot keys' keys for
    // this program lets them go.
    void EndHotKeys() { hotKeys_.reset(); }

    static constexpr int kPollTimer = 1;
    static constexpr int kPollPeriodMs = 1000;
    // While a second copy still holds the request, it is looked at this often.
    static constexpr int kHandOverRetryMs = 100;
    static constexpr std::size_t kMaxClosedNotes = 20;

signals:
    // The panel has ended; the process should exit with this status.
    void finished(int exitStatus);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Start-up steps, in their order (see OnInitDialog).
    void ReadSettings();
    void ReadCategories();
    void ReadTemplates();
    void BuildMenus();
    void ReadNotes();

    void ApplyPanelColor(int index);
    void ApplyPanelStyle(int index);
    void TogglePanel();
    void ToggleAlwaysOnTop();
    // "On all desktops": this machine's choice, for the panel and every note.
    void ToggleOnAllDesktops();
    void MarkOnAllDesktops();
    void ApplySettings();
    void ToggleSharedFolder();
    void MarkSharedFolder();

    // The template list (list.cpp side of the panel).
    void FillTemplateList();
    void SortTemplates(int key);
    void ApplyViewMode(int value);
    // A new note from template index, at the mouse cursor.
    void OpenTemplateItem(int index);
    // The template menu of item index at at (the pointer, or the item for the Menu key).
    void OnListContextMenu(int index, QPoint at);
    void NewTemplate();
    void PrepareTemplateMenu();
    void RefreshCategoryMenus();
    TemplateMenus templateMenus() const;

    // The notes and the hot keys.
    void ApplyHotKeyMode(int mode);
    void MinimizeAll();
    void RestoreAll();
    void CloseAll();
    void AddTrayIcon(bool balloon);
    void OnTrayGesture(TrayIcon::Gesture gesture);

    // HotKeyActions and TrayActions
    void createNote() override;
    void bringToFront() override;
    void restoreAll() override { OnCommand(PanelCommand::RestoreAll); }
    void minimizeAll() override { OnCommand(PanelCommand::MinimizeAll); }
    void toggleAlwaysTop() override { OnCommand(PanelCommand::AlwaysTop); }
    void togglePanel() override { OnCommand(PanelCommand::ShowPanel); }
    void showOrHidePanel() override { OnCommand(PanelCommand::ShowPanel); }
    void showOptionsMenuAt(QPoint pos) override;
    bool panelShown() const override { return settings.panelVisible; }

    bool DispatchCommand(PanelCommand id);
    bool OnTemplateCommand(PanelCommand id);
    // Start-up: takes the session of a run that did not end cleanly.
    void TakeRecoverySnapshot();
    // Start-up: a snapshot an earlier version left in the data folder moves to the
    // state folder, once.
    void MoveOldRecoverySnapshot();
    void ShowRestoredMessage();
    // A closed note is kept (the last kMaxClosedNotes, in the state folder) so that
    // "Reopen closed note" can bring the latest back at its place.
    void ReadClosedNotes();
    void RememberClosed(const SNote& record);
    void ReopenClosedNote();
    void KeepClosedNotes();
    // Says in the tray's balloon, else in a message box (no tray host).
    void Tell(const QString& text);
    // The snapshot stopped being written, or works again.
    void OnSnapshotState(bool works, const QString& error);
    // Writes the four stores (keeping conflict copies first); error names the folder
    // and the system's reason. Removes the snapshot once all four are written.
    bool SaveStores(const store::Session& session, std::string& error);
    // Something the stores hold changed: Escape asks from now on, a snapshot follows.
    void MarkChanged();
    // What the stores would hold now, text still in an open editor included.
    store::Session CurrentSession() const;
    // Merges what changed in the stores on disk since this copy last read or wrote them,
    // shows it and writes the merged session back (the watch calls it).
    void CheckStores();
    // Shared mode and the stores' watch (see NoteDlgSync.cpp).
    void StartSync();
    void UpdateSharedMode();
    void WriteSharedNow();
    // Merges the stores that changed on disk, and with fold the sync tools' conflict
    // copies, into ours; shows the result when apply is set. Returns the session to
    // write (needsWrite says whether the disk lacks part of it), or nothing when an edit
    // in progress would be touched: the merge waits for the edit to end.
    std::optional<store::Session> MergeFromDisk(const store::Session& ours, bool apply, bool fold,
                                                bool& needsWrite);
    bool ApplyMerge(const store::MergeResult& result);
    // Writes the session and takes it as what the stores hold.
    store::StoreResult WriteStores(const store::Session& session);
    // Writes the session with what changed on disk merged in (the saves of the ends and
    // of a checkpoint).
    store::StoreResult SaveMerged(const store::Session& session);
    bool SyncApplying() const;
    // The stores shared with other machines: in a shared folder "file1.dat" is this
    // machine's own and is neither watched nor merged.
    bool Synced(const char* name) const;
    void ScheduleSharedWrite();
    // The save-all end: canAsk is false at the end of the session.
    void EndWithSave(bool canAsk);
    void TellConflicts(bool canAsk);
    // The default template, or with no templates at all the last factory template.
    SNote DefaultTemplate() const;
    void CreateControls();
    void TrackMenu(QMenu* menu, CMyLink* label);
    void OnLinkClicked();
    void EndDialog(int status);
    // Watches for a hand-over exactly while the panel is hidden.
    void UpdatePollTimer();

    std::unique_ptr<HotKeyGrabber> hotKeys_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<InstanceLock> instanceLock_;
    // Only while the panel is hidden: the lock folder's changes (a new request) and a
    // one-shot look, a second after hiding or shortly after a still-held request.
    QFileSystemWatcher* handOverWatch_ = nullptr;
    QBasicTimer pollTimer_;
    int exitStatus = 0;
    bool ended_ = false;
    // The stores and snapshot files read with damage not yet copied aside; before
    // snapshot_, whose worker thread uses it.
    store::UncopiedDamage damage_;
    std::unique_ptr<RecoverySnapshot> snapshot_;
    std::optional<store::Session> restored_;
    store::SnapshotRead snapshotRead_;
    std::vector<SNote> closedNotes_; // oldest first
    std::string stateFolder_;
    // Whether the data folder is shared between machines: "file1.dat" is then this
    // machine's own, in the state folder.
    bool sharedFolder_ = false;
    // The session restored at start-up is in no store yet.
    bool restoredUnsaved_ = false;
    store::StoreStamps storeStamps_;
    std::vector<std::string> conflictCopies_;
    bool changedSinceStart_ = false;
    bool started_ = false; // start-up's own commands change nothing

    bool saving_ = false;
    bool sessionEnding_ = false;
    std::shared_ptr<SyncState> sync_;

    // The collections and settings of the run.
    Templates templates;
    Categories categories;
    SlotList<CNote> notes;
    SSettings settings;

    std::string dataFolder;
    // The data folder's own folder in the state folder, which holds "recovery/".
    std::string machineFolder;
    QColor panelFillColor;
    QColor panelFrameColor;
    int selectedTemplate = -1;
    WindowDrag drag;
    bool showTrayBalloon = false;
    QRect panelRect;
    QRegion panelRegion;

    CMyLink* linkLabel = nullptr;
    CMyLink* newLabel = nullptr;
    CMyLink* optionsLabel = nullptr;
    CMyLink* sortLabel = nullptr;
    CMyLink* viewLabel = nullptr;
    CMyLink* hideLabel = nullptr;
    TemplateListView* listCtrl = nullptr;
    int lastSortKey = -1;
    PanelMenus menus;
};
