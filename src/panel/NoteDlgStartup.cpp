// The panel's start-up sequence, the hand-over watch and the two ways to end.

#include "panel/NoteDlg.h"

#include "model/Factory.h"
#include "note/MyLink.h"
#include "note/Note.h"
#include "panel/TemplateList.h"
#include "platform/InstanceLock.h"
#include "platform/MakerSite.h"
#include "platform/Platform.h"
#include "store/Stores.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QTimerEvent>

#include <cstdio>

bool CNoteDlg::OnInitDialog()
{
    // The controls exist since construction. There is no window menu on this desktop to
    // carry "About": the Help menu has it.
    dataFolder = store::DataFolder();
    store::CreateDataFolder(dataFolder); // a folder that is not usable shows in the lock below

    instanceLock_ = std::make_unique<InstanceLock>(dataFolder);
    switch (instanceLock_->Acquire()) {
    case InstanceLock::Result::Acquired:
        // This copy alone writes the stores from now on: what an interrupted save of an
        // earlier run left behind can go.
        store::RemoveLeftoverTemporaryFiles(dataFolder);
        break;
    case InstanceLock::Result::HeldByOther:
        // Another copy runs; it shows its panel once this copy has gone.
        EndDialog(0);
        return false;
    case InstanceLock::Result::FolderUnusable:
        std::fprintf(stderr, "pinleaf: cannot use the data folder %s: %s\n", dataFolder.c_str(),
                     instanceLock_->error().c_str());
        EndDialog(1);
        return false;
    }

    panelRect = QRect(QPoint(0, 0), size());

    ReadSettings();
    ReadCategories();
    ReadTemplates();
    BuildMenus();
    // The colour icons are drawn once, on first use; the columns take their widths
    // from the list's client width.
    listCtrl->InsertColumns();
    FillTemplateList();
    linkLabel->SetTarget(std::string(MakerSite::ProductPage()));
    if (tray_)
        connect(tray_.get(), &TrayIcon::activated, this, &CNoteDlg::OnTrayGesture);
    AddTrayIcon(false);
    if (hotKeys_)
        connect(hotKeys_.get(), &HotKeyGrabber::pressed, this, &CNoteDlg::OnHotKey);
    setGeometry(-500, -500, 2, 2);
    ApplySettings();
    ReadNotes();
    return true;
}

void CNoteDlg::ReadSettings()
{
    if (store::ReadSettings(dataFolder, settings))
        return;
    settings = SSettings{};
    const QRect desktop = platform().desktopRect();
    settings.panelLeft = desktop.x() + desktop.width() - panelRect.width();
    settings.panelTop = desktop.y() + desktop.height() - panelRect.height();
    showTrayBalloon = true;
}

void CNoteDlg::ReadCategories()
{
    store::ReadCategories(dataFolder, categories);
}

void CNoteDlg::ReadTemplates()
{
    store::ReadTemplates(dataFolder, templates, FactoryFont(), platform().now());
}

void CNoteDlg::BuildMenus()
{
    menus = ::BuildMenus(this, categories, [this](int id) { OnCommand(id); });
}

void CNoteDlg::ReadNotes()
{
    // Last, over a finished panel: one window per stored note, in slot order.
    for (const SNote& record : store::ReadNotes(dataFolder, FactoryFont()))
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
    // a second copy announces itself by creating its request in the data folder.
    const bool waiting = !ended_ && !settings.panelVisible && instanceLock_;
    if (waiting && !handOverWatch_) {
        handOverWatch_ = new QFileSystemWatcher(this);
        handOverWatch_->addPath(QString::fromStdString(dataFolder));
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
        OnCommand(50);
        showTrayBalloon = true;
    } else if (QFile::exists(QString::fromStdString(dataFolder + InstanceLock::kHandOverFile))) {
        // The second copy still holds its request; it ends at once, so look again soon.
        pollTimer_.start(kHandOverRetryMs, this);
    }
}

void CNoteDlg::OnOK()
{
    if (ended_)
        return;
    if (tray_)
        tray_->remove();
    // The position is taken whether the panel is shown or hidden.
    settings.panelLeft = x();
    settings.panelTop = y();
    store::WriteSettings(dataFolder, settings);
    store::WriteCategories(dataFolder, categories);
    store::WriteTemplates(dataFolder, templates);
    // The end of the session or "Exit" from the tray's menu can come while a note is
    // being typed in; the editor has not lost the focus yet, so take its text now.
    for (int slot = 0; slot < notes.count(); ++slot)
        if (CNote* note = notes.get(slot))
            note->FinishTextEdit();
    store::WriteNotes(dataFolder, OpenNoteRecords());
    EndDialog(0);
}

void CNoteDlg::OnCancel()
{
    if (!ended_)
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
