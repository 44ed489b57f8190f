#include "panel/RunningPanel.h"

#include "model/Factory.h"
#include "note/Note.h"
#include "panel/TemplateList.h"
#include "panel/TemplateListModel.h"
#include "store/Stores.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

#include <filesystem>

void RunningPanel::WriteSettings(int hotKeyMode, bool visible)
{
    WriteFile(file("file1.dat"), SettingsBytes(false, visible, 0, 0, 0, hotKeyMode, 100, 200));
}

void RunningPanel::Start()
{
    panel.reset();
    // Closed notes go away on the next turn of the event loop; let them go now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto grabber = std::make_unique<FakeHotKeyGrabber>();
    auto icon = std::make_unique<FakeTrayIcon>();
    keys = grabber.get();
    tray = icon.get();
    panel = std::make_unique<CNoteDlg>(std::move(grabber), std::move(icon));
    ASSERT_TRUE(panel->OnInitDialog());
}

void RunningPanel::WriteNotes(const std::vector<SNote>& notes)
{
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(store::WriteNotes(folder, notes));
}

void RunningPanel::Exit()
{
    panel->OnCommand(PanelCommand::Exit);
    ASSERT_TRUE(panel->Ended());
}

void RunningPanel::ChooseTemplate(int row)
{
    emit Find<TemplateListView>(*panel, "templateList")->contextMenuRequested(row, QPoint(0, 0));
    Find<QMenu>(*panel, "templateMenu")->hide();
}

QStringList RunningPanel::Row(int row) const
{
    QStringList texts;
    const TemplateListModel* model = Find<TemplateListView>(*panel, "templateList")->Model();
    for (int column = 0; column < TemplateListModel::kColumnCount; ++column)
        texts << model->data(model->index(row, column)).toString();
    return texts;
}

int RunningPanel::RowCount() const
{
    return Find<TemplateListView>(*panel, "templateList")->Model()->rowCount();
}

std::vector<CNote*> RunningPanel::Slots() const
{
    std::vector<CNote*> all;
    for (int slot = 0; slot < panel->openNotes().count(); ++slot)
        all.push_back(panel->openNotes().get(slot));
    return all;
}

std::vector<CNote*> RunningPanel::OpenNotes() const
{
    std::vector<CNote*> open;
    for (CNote* note : Slots())
        if (note)
            open.push_back(note);
    return open;
}

std::vector<SNote> RunningPanel::StoredNotes() const
{
    return store::ReadNotes(folder, FactoryFont());
}

std::optional<int> RunningPanel::StoredNoteCount() const
{
    const std::vector<unsigned char> bytes = ReadFile(file("data2.log"));
    if (bytes.size() < 4)
        return std::nullopt;
    return static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                            static_cast<unsigned>(bytes[3]) << 24);
}

SNote NoteRecord(const std::string& text, int left, int top, bool minimized)
{
    Templates factory;
    LoadFactoryTemplates(factory, SystemTime{2023, 2, 0, 14, 8, 15, 30, 0});
    SNote note = factory.get(0);
    note.text = text;
    note.left = left;
    note.top = top;
    note.minimized = minimized;
    return note;
}

SNote Made(const std::string& text, int second)
{
    SNote note = NoteRecord(text, 40 * second, 60);
    note.created.second = static_cast<std::uint16_t>(second);
    return note;
}
