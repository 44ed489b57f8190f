// Reading and writing large template and note stores. Every write includes the fsync of
// the temporary file and of the folder, as a real save does.

#include "model/Factory.h"
#include "store/Stores.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A private folder under the temporary directory, removed when the program ends.
struct BenchFolder {
    BenchFolder()
    {
        std::string pattern = std::filesystem::temp_directory_path() / "pinleaf-bench-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
    }
    ~BenchFolder() { std::filesystem::remove_all(root); }
    std::string root;
};

const std::string& Folder()
{
    static const BenchFolder folder;
    static const std::string path = folder.root + "/";
    return path;
}

std::vector<SNote> Sample(int count)
{
    std::vector<SNote> notes;
    notes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        SNote n;
        n.shape = i % 7;
        n.size = i % 6;
        n.color = i % 10;
        n.signatureKind = 1;
        n.category = "Work";
        n.text = "Note " + std::to_string(i) + ": " + std::string(92, 'x');
        n.signatureText = "My note...";
        n.left = i;
        n.top = 2 * i;
        n.font = FactoryFont();
        n.created = SystemTime{2024, 6, 0, 15, 10, 30, 45, 0};
        notes.push_back(n);
    }
    return notes;
}

Templates AsTemplates(const std::vector<SNote>& notes)
{
    Templates t;
    for (const SNote& n : notes)
        t.append(n);
    return t;
}

void WriteTemplates10000(benchmark::State& state)
{
    const Templates templates = AsTemplates(Sample(10000));
    for (auto _ : state)
        benchmark::DoNotOptimize(store::WriteTemplates(Folder(), templates));
    state.SetBytesProcessed(
        state.iterations() *
        static_cast<std::int64_t>(std::filesystem::file_size(Folder() + store::kTemplatesFile)));
}

void ReadTemplates10000(benchmark::State& state)
{
    store::WriteTemplates(Folder(), AsTemplates(Sample(10000)));
    Templates templates;
    for (auto _ : state) {
        store::ReadTemplates(Folder(), templates, FactoryFont(), SystemTime{});
        benchmark::DoNotOptimize(templates.count());
    }
    if (templates.count() != 10000)
        state.SkipWithError("templates did not read back");
}

void WriteNotes1000(benchmark::State& state)
{
    const std::vector<SNote> notes = Sample(1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(store::WriteNotes(Folder(), notes));
}

void ReadNotes1000(benchmark::State& state)
{
    store::WriteNotes(Folder(), Sample(1000));
    std::size_t read = 0;
    for (auto _ : state) {
        read = store::ReadNotes(Folder(), FactoryFont()).size();
        benchmark::DoNotOptimize(read);
    }
    if (read != 1000)
        state.SkipWithError("notes did not read back");
}

BENCHMARK(WriteTemplates10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadTemplates10000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteNotes1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadNotes1000)->Unit(benchmark::kMillisecond);

} // namespace
