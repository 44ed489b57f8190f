// Time to write the recovery snapshot of a large session: 1,000 notes and 10,000
// templates, four files each written, synced and renamed (the worker thread's part),
// and to copy the session (what the window's thread does before handing it over).
// Reports figures only. TMPDIR picks the disk.

#include "store/Session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

SNote Record(int i)
{
    SNote note;
    note.text =
        "Note " + std::to_string(i) + ": call the plumber about the kitchen tap, then the bank.";
    note.category = "Home";
    note.signatureText = "Signed";
    note.font.setFace("Arial");
    note.font.height = -11;
    note.font.weight = 400;
    note.left = i % 1200;
    note.top = i % 900;
    note.created = SystemTime{2024, 6, 3, 12, 9, 30, 15, 0};
    return note;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    std::string pattern =
        (std::filesystem::temp_directory_path() / "pinleaf-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const std::string folder = pattern + "/";

    store::Session session;
    for (int i = 0; i < 1000; ++i)
        session.notes.push_back(Record(i));
    for (int i = 0; i < 10000; ++i)
        session.templates.append(Record(i));
    for (const char* name : {"Home", "Work", "Family", "Ideas"})
        session.categories.append(name);

    std::vector<double> copyMs;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const store::Session copy = session;
        const auto end = std::chrono::steady_clock::now();
        copyMs.push_back(std::chrono::duration<double, std::milli>(end - start).count() +
                         0 * copy.notes.size());
    }
    std::sort(copyMs.begin(), copyMs.end());
    std::printf("session copy on the window's thread: min %.2f ms, median %.2f ms, max %.2f ms\n",
                copyMs.front(), copyMs[copyMs.size() / 2], copyMs.back());

    std::vector<double> ms;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        if (!store::WriteSnapshot(folder, session)) {
            std::fprintf(stderr, "snapshot write failed\n");
            return 1;
        }
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder + store::kRecoveryFolder))
        bytes += entry.file_size();
    std::printf("snapshot write, 1000 notes + 10000 templates (%ju bytes, %d rounds): "
                "min %.2f ms, median %.2f ms, max %.2f ms\n",
                bytes, rounds, ms.front(), ms[ms.size() / 2], ms.back());
    std::filesystem::remove_all(pattern);
    return 0;
}
