// Speed of the class and pupil files with family-tree photos: opening a
// class of 50 pupils with 10 photos each against reading the same bytes
// raw, and saving one pupil with 10 photos (temporary file, fsync, rename,
// the clean-up and the checks) against writing and fsyncing the same bytes
// raw, measured side by side in the same run.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchratio.h"
#include "elev.h"
#include "fileio.h"
#include "klasse.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kPupils = 50;
constexpr int kPhotos = 10;

std::string g_folder;
std::string g_class;
std::vector<std::string> g_files;   // the class file and every pupil file
std::string g_pupil;                // the pupil saved, in the class folder

// A photo as a camera gives it: no two rows alike, so nothing is cheaper
// than it would be for a real one.
Pixels24 photo(std::mt19937& dice)
{
    Pixels24 p(kPhotoWidth, kPhotoHeight);
    for (auto& b : p.data)
        b = std::uint8_t(dice());
    return p;
}

void fillPupil(tElev& e, int n, std::mt19937& dice)
{
    (void)e.SetKaldenavn("Elev" + std::to_string(n));
    (void)e.SetFuldeNavn("Elev Nummer " + std::to_string(n));
    e.AddGren(1);
    e.AddGren(0);
    for (int k = 0; k < kPhotos; ++k) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, std::uint8_t(1 + k % 3));
        (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, "Blad" + std::to_string(k));
        (void)e.SetGrenTekst(g, GrenTekst::Notat, "Linje et\r\nLinje to");
        (void)e.SetGrenFoto(g, photo(dice));
    }
}

bool makeClass()
{
    std::mt19937 dice(11);
    tKlasse k;
    (void)k.SetSkole("Byskolen");
    (void)k.SetKlasse("4a");
    for (int i = 0; i < kPupils; ++i) {
        k.SetElevKaldenavn(i, "Elev" + std::to_string(i));
        fillPupil(*k.GetElev(i), i, dice);
        k.GetElev(i)->SetAendret();
    }
    g_class = g_folder + "/4a.kla";
    if (!k.SaveToFile(g_class))
        return false;
    g_files = {g_class};
    for (int i = 0; i < kPupils; ++i)
        g_files.push_back(k.GetElev(i)->FilNavn());
    g_pupil = k.GetElev(0)->FilNavn();
    return true;
}

// Always yes: the save asks, as the program's does, and writes.
struct Yes final : SaveConflict {
    bool OverwriteChanged(const std::string&, const FileStamp&) override { return true; }
};

// ---- opening a class ----

void BM_OpenClass(benchmark::State& state)
{
    for (auto _ : state) {
        auto k = tKlasse::LoadFromFile(g_class);
        if (k->LaesFejl() || k->ElevCount() != kPupils || k->GetElev(kPupils - 1)->LaesFejl())
            state.SkipWithError("the class did not open");
        benchmark::DoNotOptimize(k.get());
    }
}

// The reference: every file of the class read whole into memory and kept
// there until all are read, as an open class keeps its pupils and photos.
// The buffers are not zeroed first.
void BM_ReadClassRaw(benchmark::State& state)
{
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        std::vector<std::unique_ptr<char[]>> kept;
        kept.reserve(g_files.size());
        for (const std::string& f : g_files) {
            const int fd = ::open(f.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat st {};
            if (fd < 0 || ::fstat(fd, &st) != 0) {
                state.SkipWithError("cannot read the class");
                break;
            }
            const std::size_t size = std::size_t(st.st_size);
            kept.push_back(std::make_unique_for_overwrite<char[]>(size));
            std::size_t got = 0;
            while (got < size) {
                const ssize_t n = ::read(fd, kept.back().get() + got, size - got);
                if (n <= 0)
                    break;
                got += std::size_t(n);
            }
            ::close(fd);
            total += got;
        }
        benchmark::DoNotOptimize(kept.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(total));
}

// For comparison: the same files through one buffer used again and again,
// so that no memory is fresh. What the two references differ by is what
// holding 65 MB of photos costs the system (fresh pages mapped and zeroed),
// which any open that keeps the photos pays.
void BM_ReadClassStreamed(benchmark::State& state)
{
    std::vector<char> buffer;
    for (auto _ : state) {
        for (const std::string& f : g_files) {
            const int fd = ::open(f.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat st {};
            if (fd < 0 || ::fstat(fd, &st) != 0) {
                state.SkipWithError("cannot read the class");
                break;
            }
            if (buffer.size() < std::size_t(st.st_size))
                buffer.resize(std::size_t(st.st_size));
            std::size_t got = 0;
            while (got < std::size_t(st.st_size)) {
                const ssize_t n = ::read(fd, buffer.data() + got, std::size_t(st.st_size) - got);
                if (n <= 0)
                    break;
                got += std::size_t(n);
            }
            ::close(fd);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
}

// ---- saving a pupil ----

void BM_SavePupil(benchmark::State& state)
{
    auto e = tElev::LoadFromFile(g_pupil);
    Yes yes;
    e->SetSaveConflict(&yes);
    for (auto _ : state) {
        e->SetAendret();
        if (!e->SaveToFile(g_pupil))
            state.SkipWithError("the pupil was not saved");
    }
}

// The reference: the same bytes written over a file and synced.
void BM_WriteSyncRaw(benchmark::State& state)
{
    std::vector<char> bytes;
    {
        const int fd = ::open(g_pupil.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0) {
            bytes.resize(std::size_t(st.st_size));
            if (::read(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
                bytes.clear();
        }
        if (fd >= 0)
            ::close(fd);
    }
    const std::string raw = g_folder + "/raw.bin";
    for (auto _ : state) {
        const int fd = ::open(raw.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || bytes.empty()
            || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()) || ::fsync(fd) != 0)
            state.SkipWithError("cannot write raw");
        if (fd >= 0)
            ::close(fd);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

BENCHMARK(BM_ReadClassRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadClassStreamed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenClass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSyncRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePupil)->Unit(benchmark::kMillisecond);

void printRatio(RatioReporter& r, const char* what, const char* limit, const std::string& a, const std::string& b)
{
    if (r.realTime[b] > 0)
        std::printf("  %-44s %5.2f  (limit %s)\n", what, r.realTime[a] / r.realTime[b], limit);
}

} // namespace

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Memory freed at the end of one round is kept for the next, for the
    // reader and the references alike: otherwise each round measures how
    // the allocator happens to hand 65 MB back to the system and fault it
    // in again, which differs with the sizes of the blocks, not with the
    // reading.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    // The files go to a real disk: TINKELI_BENCH_DIR, else the working folder.
    const char* where = std::getenv("TINKELI_BENCH_DIR");
    std::error_code ec;
    const fs::path base = where && *where ? fs::path(where) : fs::current_path(ec);
    g_folder = (base / ("tinkeli-records-bench-" + std::to_string(::getpid()))).string();
    fs::create_directories(g_folder, ec);
    if (ec || !makeClass()) {
        std::fprintf(stderr, "cannot write the test class in %s\n", g_folder.c_str());
        fs::remove_all(g_folder, ec);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nAs ratios to the same bytes read or written raw (wall clock):\n");
    printRatio(reporter, "open a class of 50 with 10 photos each", "3, aim 1.5", "BM_OpenClass", "BM_ReadClassRaw");
    printRatio(reporter, "  the same against one reused buffer", "-", "BM_OpenClass", "BM_ReadClassStreamed");
    printRatio(reporter, "save a pupil with 10 photos (atomic, fsync)", "2", "BM_SavePupil", "BM_WriteSyncRaw");
    benchmark::Shutdown();
    fs::remove_all(g_folder, ec);
    return 0;
}
