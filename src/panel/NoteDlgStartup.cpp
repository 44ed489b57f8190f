// The panel's start-up sequence, the hand-over watch and the two ways to end.

#include "panel/NoteDlg.h"

#include "model/Factory.h"
#include "note/Note.h"
#include "panel/TemplateList.h"
#include "platform/DesktopWindow.h"
#include "platform/InstanceLock.h"
#include "platform/MachineFolders.h"
#include "platform/MachineSettings.h"
#include "platform/MakerSite.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "store/Stores.h"
#include "store/SyncConflicts.h"
#include "widgets/MyLink.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QTimerEvent>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

bool CNoteDlg::OnInitDialog()
{
    // The controls exist since construction. There is no window menu on this desktop to
    // carry "About": the Help menu has it.
    dataFolder = store::DataFolder();
    machineFolder = StateFolderFor(dataFolder);
    // Known before the settings are read: a shared folder's "file1.dat" is this machine's.
    sharedFolder_ = store::IsSharedFolder(dataFolder) || SharedFolderSetting();
    // The lock lives in the runtime folder, out of the data folder the user may share.
    const std::string runtimeFolder = RuntimeFolderFor(dataFolder);
    std::string unusable;
    errno = 0;
    struct stat st {};
    if (!store::CreateDataFolder(dataFolder))
        unusable = errno ? std::strerror(errno) : "not a usable folder";
    else if (::stat(dataFolder.c_str(), &st) == 0 && st.st_uid != ::geteuid())
        unusable = "the folder belongs to another user";
    else if (!MakeMachineFolder(runtimeFolder, &unusable))
        unusable = "cannot use " + unusable;
    if (unusable.empty() && (st.st_mode & 077) != 0)
        ::chmod(dataFolder.c_str(), 0700); // the stores are the user's alone
    instanceLock_ = std::make_unique<InstanceLock>(runtimeFolder);
    const InstanceLock::Result lock = unusable.empty() ? instanceLock_->Acquire(dataFolder)
                                                       : InstanceLock::Result::FolderUnusable;
    if (unusable.empty())
        unusable = instanceLock_->error();
    switch (lock) {
    case InstanceLock::Result::Acquired:
        // This copy alone writes the stores from now on: what an interrupted save of an
        // earlier run left behind can go.
        store::RemoveLeftoverTemporaryFiles(dataFolder);
        MoveOldRecoverySnapshot();
        TakeRecoverySnapshot();
        break;
    case InstanceLock::Result::HeldByOther:
        // Another copy runs; it shows its panel once this copy has gone.
        EndDialog(0);
        return false;
    case InstanceLock::Result::FolderUnusable: {
        const std::string text = "cannot use the data folder " + dataFolder + ": " + unusable;
        std::fprintf(stderr, "pinleaf: %s\n", text.c_str());
        // Started from a desktop menu there is no terminal to read that line.
        if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY"))
            platform().ask(nullptr,
                           FromQt(tr("Pinleaf cannot use the data folder %1: %2")
                                      .arg(ToQt(dataFolder), ToQt(unusable))),
                           "Pinleaf", MessageButtons::Ok, MessageIcon::Stop);
        EndDialog(1);
        return false;
    }
    }

    panelRect = QRect(QPoint(0, 0), size());

    ReadSettings();
    ReadCategories();
    ReadTemplates();
    BuildMenus();
    ReadClosedNotes();
    // The colour icons are drawn once, on first use; the columns take their widths
    // from the list's client width.
    listCtrl->InsertColumns();
    linkLabel->SetTarget(std::string(MakerSite::ProductPage()));
    if (tray_)
        connect(tray_.get(), &TrayIcon::activated, this, &CNoteDlg::OnTrayGesture);
    AddTrayIcon(false);
    if (hotKeys_)
        connect(hotKeys_.get(), &HotKeyGrabber::pressed, this, &CNoteDlg::OnHotKey);
    // This machine's choice, before any window shows.
    SetOnAllDesktops(OnAllDesktopsSetting());
    MarkOnAllDesktops();
    ApplySettings();
    ReadNotes();
    FillTemplateList();
    started_ = true;
    StartSync();
    if (restored_) {
        restored_.reset();
        // The stores still hold the older session: this one is unsaved.
        changedSinceStart_ = true;
        restoredUnsaved_ = true;
        QTimer::singleShot(0, this, [this] { ShowRestoredMessage(); });
    }
    return true;
}

void CNoteDlg::ReadSettings()
{
    if (restored_ && snapshotRead_.settings) {
        settings = restored_->settings;
        return;
    }
    if (store::ReadSettings(SettingsFolderFor(dataFolder, sharedFolder_), settings, nullptr,
                            &damage_))
        return;
    settings = SSettings{};
    const QRect desktop = platform().desktopRect();
    settings.panelLeft = desktop.x() + desktop.width() - panelRect.width();
    settings.panelTop = desktop.y() + desktop.height() - panelRect.height();
    showTrayBalloon = true;
}

void CNoteDlg::ReadCategories()
{
    if (restored_ && snapshotRead_.categories)
        categories = restored_->categories;
    else
        store::ReadCategories(dataFolder, categories, &damage_);
}

void CNoteDlg::ReadTemplates()
{
    if (restored_ && snapshotRead_.templates)
        templates = restored_->templates;
    else
        store::ReadTemplates(dataFolder, templates, FactoryFont(), platform().now(), &damage_);
}

void CNoteDlg::BuildMenus()
{
    menus = ::BuildMenus(this, categories, [this](PanelCommand id) { OnCommand(id); });
    MarkOnAllDesktops();
    connect(menus.onAllDesktops, &QAction::triggered, this, &CNoteDlg::ToggleOnAllDesktops);
    MarkSharedFolder();
    connect(menus.sharedFolder, &QAction::triggered, this, &CNoteDlg::ToggleSharedFolder);
}

void CNoteDlg::ReadNotes()
{
    // Last, over a finished panel: one window per stored note, in slot order.
    const std::vector<SNote> records =
        restored_ && snapshotRead_.notes
            ? restored_->notes
            : store::ReadNotes(dataFolder, FactoryFont(), nullptr, &damage_);
    for (const SNote& record : records)
        openNote(record, false);
}

void CNoteDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == pollTimer_.timerId()) {
        pollTimer_.stop();
        OnTimer(kPollTimer);
        // Without a watch (no inotify left, say) the panel falls back to polling.
        if (handOverWatch_ && handOverWatch_->directories().isEmpty() && !pollTimer_.isActive())
            pollTimer_.start(kPollPeriodMs, this);
    } else {
        QWidget::timerEvent(event);
    }
}

void CNoteDlg::UpdatePollTimer()
{
    // Only a hidden panel has a hand-over to wait for, and it waits without waking up:
    // a second copy announces itself by creating its request in the lock's folder.
    const bool waiting = !ended_ && !settings.panelVisible && instanceLock_;
    if (waiting && !handOverWatch_) {
        handOverWatch_ = new QFileSystemWatcher(this);
        handOverWatch_->addPath(QString::fromStdString(instanceLock_->folder()));
        connect(handOverWatch_, &QFileSystemWatcher::directoryChanged, this,
                [this] { OnTimer(kPollTimer); });
        // A request left while the panel was shown counts as well, a second later.
        pollTimer_.start(kPollPeriodMs, this);
    } else if (!waiting) {
        delete handOverWatch_;
        handOverWatch_ = nullptr;
        pollTimer_.stop();
    }
}

void CNoteDlg::OnTimer(int id)
{
    if (id != kPollTimer || settings.panelVisible || !instanceLock_)
        return;
    if (instanceLock_->PollHandOver()) {
        OnCommand(PanelCommand::ShowPanel);
        showTrayBalloon = true;
    } else if (QFile::exists(
                   QString::fromStdString(instanceLock_->folder() + InstanceLock::kHandOverFile))) {
        // The second copy still holds its request; it ends at once, so look again soon.
        pollTimer_.start(kHandOverRetryMs, this);
    }
}

void CNoteDlg::OnOK()
{
    EndWithSave(true);
}

void CNoteDlg::OnCancel()
{
    if (ended_)
        return;
    // In a shared folder the other machines may have what this session wrote already:
    // nothing can be taken back, so Escape ends like "Exit".
    if (sharedFolder_) {
        EndWithSave(true);
        return;
    }
    // Escape is the dialog's default cancel, easy to press by accident: unsaved work
    // is not dropped without a question, and Enter on it does not drop it.
    const QString question = restoredUnsaved_
                                 ? tr("Quit and discard the notes restored from the last session?")
                                 : tr("Quit without saving the changes of this session?");
    if (changedSinceStart_ &&
        !platform().ask(this, FromQt(question), "Pinleaf", MessageButtons::YesNoDefaultNo,
                        MessageIcon::Question))
        return;
    if (ended_)
        return; // the session ended while the question was open
    if (snapshot_)
        snapshot_->discard();
    EndDialog(0);
}

void CNoteDlg::EndDialog(int status)
{
    exitStatus = status;
    ended_ = true;
    UpdatePollTimer();
    hide();
    emit finished(status);
}
