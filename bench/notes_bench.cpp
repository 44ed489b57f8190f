// Opens 20 and 200 notes offscreen and reports the time and resident memory per note.
// Reports only; never fails.

#include "model/Collections.h"
#include "note/Note.h"
#include "note/NoteHost.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDialog>
#include <QLocale>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

class BenchPlatform : public Platform {
public:
    QRect desktopRect() const override { return {0, 0, 1920, 1080}; }
    QPoint cursorPos() const override { return {400, 400}; }
    bool ask(QWidget*, const std::string&, const std::string&, MessageButtons, MessageIcon) override
    {
        return false;
    }
    int runDialog(QDialog&) override { return QDialog::Rejected; }
    std::optional<LogFont> chooseFont(QWidget*, const LogFont&) override { return {}; }
    bool open(const std::string&) override { return true; }
    SystemTime now() const override { return {2024, 6, 3, 12, 9, 30, 15, 0}; }
    std::int64_t secondsSinceEpoch() const override { return 1718184615; }
    QLocale locale() const override { return QLocale::system(); }
};

class BenchHost : public NoteHost {
public:
    Categories cats;
    SlotList<CNote> notes;
    const Categories& categoryList() const override { return cats; }
    void saveAsTemplate(const SNote&) override {}
    CNote* openNote(const SNote& record, bool isNew) override
    {
        auto* note = new CNote(*this, record, isNew, notes.count(), nullptr);
        notes.append(note);
        return note;
    }
    void noteClosed(int slot) override { notes.setNull(slot); }
    QWidget* noteParent() override { return nullptr; }
};

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

void Run(BenchHost& host, int count)
{
    SNote record;
    record.text = "A note with a line of text that wraps over a few lines of the label";
    record.category = "Work";
    record.font.height = -11;
    record.font.setFace("Arial");
    const long before = ResidentKiB();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        record.color = i % 10;
        record.shape = i % 7;
        record.size = i % 6;
        record.left = (i * 37) % 1700;
        record.top = (i * 53) % 900;
        host.openNote(record, false);
    }
    QApplication::processEvents(); // first paints
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const long after = ResidentKiB();
    std::printf("%4d notes: %8.2f ms total, %6.3f ms/note, resident +%ld KiB, %.1f KiB/note\n",
                count, ms, ms / count, after - before, double(after - before) / count);
    for (int i = 0; i < host.notes.count(); ++i)
        if (CNote* note = host.notes.get(i))
            note->CloseNote();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    BenchPlatform platform;
    setPlatform(&platform);
    BenchHost host;
    Run(host, 1); // warms up fonts and styles
    Run(host, 20);
    Run(host, 200);
    Run(host, 20);
    setPlatform(nullptr);
    return 0;
}
