// A class folder as it lives on a teacher's disk or a school's share: damaged
// pupil files, the order of writes when a save fails or is killed, files
// changed by another machine, leftover temporaries, read-only files and long
// names.
#include "../support/tempdir.h"
#include "ansi.h"
#include "datefmt.h"
#include "elev.h"
#include "fileio.h"
#include "klasse.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// No file of this process may grow past \a bytes while it lives: a full
// disk. SIGXFSZ is ignored so that the write fails instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old_;
        small.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }
    bool ok() const { return ok_; }

private:
    struct rlimit old_ {};
    void (*handler_)(int) = nullptr;
    bool ok_ = false;
};

struct Answers final : SaveConflict {
    bool overwrite = false;
    std::vector<std::string> asked;
    bool OverwriteChanged(const std::string& path, const FileStamp& onDisk) override
    {
        EXPECT_EQ(onDisk.path, path);
        asked.push_back(path);
        return overwrite;
    }
};

std::vector<std::string> temporariesIn(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp-") != std::string::npos)
            found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

Pixels24 somePhoto()
{
    Pixels24 photo(180, 240);
    for (std::size_t k = 0; k < photo.data.size(); ++k)
        photo.data[k] = std::uint8_t(k * 13);
    return photo;
}

struct ClassFolder : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    // Pupils A to E of 4a, saved.
    std::string makeClass(int pupils = 5)
    {
        tKlasse k;
        (void)k.SetKlasse("4a");
        (void)k.SetSkole("Byskolen");
        for (int i = 0; i < pupils; ++i) {
            k.SetElevKaldenavn(i, std::string(1, char('A' + i)));
            k.SetElevFuldeNavn(i, std::string(1, char('A' + i)) + " Hansen");
        }
        EXPECT_TRUE(k.SaveToFile(kla));
        return kla;
    }
    std::string pupil(char c) const { return dir.file(std::string("4a_") + c + ".ele"); }

    TempDir dir;
    std::string kla = dir.file("4a.kla");
};

} // namespace

// ---- damaged pupil files ----

TEST_F(ClassFolder, UnreadablePupilsKeepTheirPlaceAndTheirFiles)
{
    makeClass();
    // B is missing, C is cut in half, D is random bytes.
    fs::remove(pupil('B'));
    Bytes c = ReadAll(pupil('C'));
    c.resize(c.size() / 2);
    WriteAll(pupil('C'), c);
    std::mt19937 rng(11);
    Bytes d(400);
    for (auto& b : d)
        b = std::uint8_t(rng());
    WriteAll(pupil('D'), d);

    auto k = tKlasse::LoadFromFile(kla);
    EXPECT_FALSE(k->LaesFejl());
    ASSERT_EQ(k->ElevCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(k->ElevLaesFejl(i), i >= 1 && i <= 3) << i;
    EXPECT_EQ(k->UlaeseligeFiler(), (std::vector<std::string>{pupil('B'), pupil('C'), pupil('D')}));
    EXPECT_EQ(k->ElevKaldenavn(0), "A");
    EXPECT_EQ(k->ElevKaldenavn(4), "E");
    EXPECT_EQ(k->ElevFilNavn(2), pupil('C'));

    // Edits reach neither the damaged files nor their names.
    k->GetElev(0)->SetMaal(1, 120);
    k->GetElev(4)->SetMaal(1, 140);
    k->GetElev(2)->SetMaal(1, 99);
    EXPECT_FALSE(k->GetElev(2)->SaveToFile(pupil('C')));
    k->SetElevKaldenavn(5, "C");   // a new pupil named as the damaged one
    (void)k->SetLaerer("Jensen");
    ASSERT_TRUE(k->SaveToFile(kla)) << k->FejlTekst();
    EXPECT_FALSE(fs::exists(pupil('B')));
    EXPECT_EQ(ReadAll(pupil('C')), c);
    EXPECT_EQ(ReadAll(pupil('D')), d);
    EXPECT_EQ(k->ElevFilNavn(5), dir.file("4a_C_2.ele"));

    // Nor does a pupil before it that is renamed after it.
    k->SetElevKaldenavn(0, "D");
    ASSERT_TRUE(k->SaveToFile(kla));
    EXPECT_EQ(ReadAll(pupil('D')), d);
    EXPECT_EQ(k->ElevFilNavn(0), dir.file("4a_D_2.ele"));
    k->SetElevKaldenavn(0, "A");
    ASSERT_TRUE(k->SaveToFile(kla));

    auto back = tKlasse::LoadFromFile(kla);
    ASSERT_EQ(back->ElevCount(), 6);
    EXPECT_EQ(back->Laerer(), "Jensen");
    EXPECT_EQ(back->UlaeseligeFiler(), (std::vector<std::string>{pupil('B'), pupil('C'), pupil('D')}));
    EXPECT_EQ(back->GetElev(0)->Maal(1), 120);
    EXPECT_EQ(back->GetElev(4)->Maal(1), 140);
    EXPECT_EQ(back->ElevKaldenavn(5), "C");

    // Deleting damaged pupils takes them off the list and leaves their files.
    for (int i = 2; i <= 5; ++i)
        back->ToggleMarkeret(i);
    back->DeleteMarkeret();
    ASSERT_EQ(back->ElevCount(), 2);   // A and the missing B
    // Emptying a new last row does not take the damaged pupil before it along.
    back->SetElevKaldenavn(2, "X");
    EXPECT_TRUE(back->SetElevKaldenavn(2, ""));
    EXPECT_EQ(back->ElevCount(), 2);
    EXPECT_TRUE(back->ElevLaesFejl(1));
    ASSERT_TRUE(back->SaveToFile(kla));
    EXPECT_EQ(ReadAll(pupil('C')), c);
    EXPECT_EQ(ReadAll(pupil('D')), d);
    EXPECT_FALSE(fs::exists(pupil('E')));   // a readable pupil's file goes
    EXPECT_FALSE(fs::exists(dir.file("4a_C_2.ele")));
    auto last = tKlasse::LoadFromFile(kla);
    EXPECT_EQ(last->ElevCount(), 2);
    EXPECT_EQ(last->UlaeseligeFiler(), std::vector<std::string>{pupil('B')});
}

// ---- the order of writes ----

TEST_F(ClassFolder, AReadOnlyPupilStopsTheSaveBeforeTheClassFile)
{
    makeClass();
    auto k = tKlasse::LoadFromFile(kla);
    for (int i = 0; i < 5; ++i)
        k->GetElev(i)->SetMaal(2, 100 + i);
    k->ToggleMarkeret(4);
    k->DeleteMarkeret();
    (void)k->SetLaerer("Jensen");
    const Bytes klaBefore = ReadAll(kla), cBefore = ReadAll(pupil('C'));
    ASSERT_EQ(::chmod(pupil('C').c_str(), 0444), 0);

    EXPECT_FALSE(k->SaveToFile(kla));
    EXPECT_TRUE(k->GemFejl());
    EXPECT_FALSE(k->GemAfvist());
    EXPECT_EQ(k->FejlFil(), pupil('C'));
    EXPECT_NE(k->FejlTekst().find("Permission denied"), std::string::npos) << k->FejlTekst();
    EXPECT_EQ(ReadAll(pupil('C')), cBefore);
    EXPECT_EQ(ReadAll(kla), klaBefore);
    EXPECT_TRUE(fs::exists(pupil('E')));   // nothing deleted
    EXPECT_EQ(tElev::LoadFromFile(pupil('B'))->Maal(2), 101);   // before C: written
    EXPECT_EQ(tElev::LoadFromFile(pupil('D'))->Maal(2), 0);     // after C: not yet
    EXPECT_TRUE(temporariesIn(dir.path()).empty());
    struct stat st {};
    ASSERT_EQ(::stat(pupil('C').c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);

    ASSERT_EQ(::chmod(pupil('C').c_str(), 0644), 0);
    ASSERT_TRUE(k->SaveToFile(kla));
    EXPECT_FALSE(fs::exists(pupil('E')));
    auto back = tKlasse::LoadFromFile(kla);
    EXPECT_EQ(back->ElevCount(), 4);
    EXPECT_TRUE(back->UlaeseligeFiler().empty());
    EXPECT_EQ(back->GetElev(3)->Maal(2), 103);
}

TEST_F(ClassFolder, AFullDiskAtEachStepLosesNothingAndDeletesNothing)
{
    // The pupil with a photo (130 KB) or the class file (a 20 KB school name)
    // is the one file that does not fit under the limit.
    struct Step { const char* what; int photoAt; bool bigClassFile; };
    for (const Step step : {Step{"first pupil", 0, false}, Step{"middle pupil", 2, false},
                            Step{"class file", -1, true}}) {
        SCOPED_TRACE(step.what);
        makeClass();
        auto k = tKlasse::LoadFromFile(kla);
        if (step.photoAt >= 0) {
            tElev* e = k->GetElev(step.photoAt);
            e->AddGren(1);
            ASSERT_TRUE(e->SetGrenFoto(0, somePhoto()));
        }
        if (step.bigClassFile) {
            ASSERT_TRUE(k->SetSkole(std::string(20000, 'S')));
        }
        for (int i = 0; i < 5; ++i)
            k->GetElev(i)->SetMaal(3, 130 + i);
        k->ToggleMarkeret(4);
        k->DeleteMarkeret();
        const Bytes klaBefore = ReadAll(kla);
        bool saved = true;
        {
            FileSizeLimit disk(8192);
            ASSERT_TRUE(disk.ok());
            saved = k->SaveToFile(kla);
        }
        EXPECT_FALSE(saved);
        const std::string failed = step.bigClassFile ? kla : pupil(char('A' + step.photoAt));
        EXPECT_EQ(k->FejlFil(), failed);
        EXPECT_NE(k->FejlTekst().find("File too large"), std::string::npos) << k->FejlTekst();
        EXPECT_EQ(ReadAll(kla), klaBefore);
        EXPECT_TRUE(fs::exists(pupil('E')));
        EXPECT_TRUE(temporariesIn(dir.path()).empty());
        // The class on disk opens whole.
        auto onDisk = tKlasse::LoadFromFile(kla);
        EXPECT_FALSE(onDisk->LaesFejl());
        EXPECT_EQ(onDisk->ElevCount(), 5);
        EXPECT_TRUE(onDisk->UlaeseligeFiler().empty());

        ASSERT_TRUE(k->SaveToFile(kla)) << k->FejlTekst();
        EXPECT_FALSE(fs::exists(pupil('E')));
        auto back = tKlasse::LoadFromFile(kla);
        EXPECT_EQ(back->ElevCount(), 4);
        EXPECT_TRUE(back->UlaeseligeFiler().empty());
        EXPECT_EQ(back->GetElev(3)->Maal(3), 133);
        fs::remove_all(dir.path());
        fs::create_directories(dir.path());
    }
}

namespace {

// Saves \a k in a child process that the kernel kills (SIGXFSZ) when the
// first file passes \a limit bytes. Returns the signal that ended it.
int saveKilledAt(tKlasse& k, const std::string& path, rlim_t limit)
{
    const pid_t child = fork();
    if (child == 0) {
        struct rlimit none {0, 0};
        setrlimit(RLIMIT_CORE, &none);
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit small {};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
        (void)k.SaveToFile(path);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

} // namespace

TEST_F(ClassFolder, AKillBetweenThePupilsAndTheClassFileLeavesAClassThatOpens)
{
    makeClass();
    auto k = tKlasse::LoadFromFile(kla);
    ASSERT_TRUE(k->SetSkole(std::string(20000, 'S')));
    for (int i = 0; i < 5; ++i)
        k->GetElev(i)->SetMaal(4, 150 + i);
    k->SetElevKaldenavn(5, "F");
    k->ToggleMarkeret(0);
    k->DeleteMarkeret();
    const Bytes klaBefore = ReadAll(kla);
    ASSERT_EQ(saveKilledAt(*k, kla, 8192), SIGXFSZ);

    // The pupils were written, the class file was not, nothing was deleted.
    EXPECT_EQ(ReadAll(kla), klaBefore);
    EXPECT_EQ(tElev::LoadFromFile(pupil('B'))->Maal(4), 151);
    EXPECT_TRUE(fs::exists(pupil('A')));
    auto onDisk = tKlasse::LoadFromFile(kla);
    EXPECT_FALSE(onDisk->LaesFejl());
    EXPECT_EQ(onDisk->ElevCount(), 5);
    EXPECT_TRUE(onDisk->UlaeseligeFiler().empty());
    EXPECT_EQ(onDisk->GetElev(4)->Maal(4), 154);
    // The killed save left its temporary; the next save takes it away.
    EXPECT_EQ(temporariesIn(dir.path()).size(), 1u);
    ASSERT_TRUE(k->SaveToFile(kla));
    EXPECT_TRUE(temporariesIn(dir.path()).empty());
    EXPECT_FALSE(fs::exists(pupil('A')));
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->ElevKaldenavn(4), "F");

    // A new class killed the same way leaves no class file at all, rather
    // than one naming pupils that were never written.
    tKlasse fresh;
    ASSERT_TRUE(fresh.SetKlasse("5b"));
    ASSERT_TRUE(fresh.SetSkole(std::string(20000, 'S')));
    fresh.SetElevKaldenavn(0, "Ny");
    ASSERT_EQ(saveKilledAt(fresh, dir.file("5b.kla"), 8192), SIGXFSZ);
    EXPECT_FALSE(fs::exists(dir.file("5b.kla")));
    EXPECT_TRUE(fs::exists(dir.file("5b_Ny.ele")));
}

// ---- a folder shared by several machines ----

TEST_F(ClassFolder, AFileChangedElsewhereIsNotOverwrittenWithoutAsking)
{
    makeClass();
    Answers here;
    auto mine = tKlasse::LoadFromFile(kla);     // this machine
    auto theirs = tKlasse::LoadFromFile(kla);   // the machine next door
    mine->SetSaveConflict(&here);

    // Nobody else wrote: no question.
    mine->GetElev(0)->SetMaal(1, 111);
    ASSERT_TRUE(mine->SaveElev(0));
    EXPECT_TRUE(here.asked.empty());

    // The other machine saves B; this one then saves its own B.
    theirs->GetElev(1)->SetMaal(1, 201);
    ASSERT_TRUE(theirs->SaveElev(1));
    mine->GetElev(1)->SetMaal(2, 102);
    EXPECT_FALSE(mine->SaveElev(1));
    EXPECT_EQ(here.asked, std::vector<std::string>{pupil('B')});
    EXPECT_TRUE(mine->GetElev(1)->GemAfvist());
    EXPECT_TRUE(mine->GetElev(1)->Aendret());   // the edit stays in memory
    EXPECT_EQ(mine->GetElev(1)->Maal(2), 102);
    auto onDisk = tElev::LoadFromFile(pupil('B'));
    EXPECT_EQ(onDisk->Maal(1), 201);            // theirs stays on disk
    EXPECT_EQ(onDisk->Maal(2), 0);

    here.overwrite = true;
    ASSERT_TRUE(mine->SaveElev(1));
    EXPECT_EQ(here.asked.size(), 2u);
    EXPECT_FALSE(mine->GetElev(1)->GemAfvist());
    EXPECT_EQ(tElev::LoadFromFile(pupil('B'))->Maal(2), 102);
    // Our own write is no change from elsewhere.
    mine->GetElev(1)->SetMaal(3, 103);
    ASSERT_TRUE(mine->SaveElev(1));
    EXPECT_EQ(here.asked.size(), 2u);

    // The class file: asked before anything at all is written.
    here.asked.clear();
    here.overwrite = false;
    ASSERT_TRUE(theirs->SetSkole("Nabo"));
    theirs->GetElev(1)->SetMaal(1, 0);   // theirs is stale now; make it write over
    theirs->GetElev(1)->SetAendret();
    ASSERT_TRUE(theirs->SaveToFile(kla));
    ASSERT_TRUE(mine->SetLaerer("Jensen"));
    mine->GetElev(2)->SetMaal(1, 77);
    const Bytes cBefore = ReadAll(pupil('C'));
    EXPECT_FALSE(mine->SaveToFile(kla));
    EXPECT_EQ(here.asked, std::vector<std::string>{kla});
    EXPECT_TRUE(mine->GemAfvist());
    EXPECT_EQ(mine->FejlFil(), kla);
    EXPECT_EQ(ReadAll(pupil('C')), cBefore);
    EXPECT_EQ(tKlasse::LoadFromFile(kla)->Skole(), "Nabo");

    // "Save all the same". B changed on disk too, but this machine has no
    // changes of its own to B, so B is not written and not asked about.
    here.overwrite = true;
    ASSERT_TRUE(mine->SaveToFile(kla));
    EXPECT_EQ(here.asked, (std::vector<std::string>{kla, kla}));
    auto back = tKlasse::LoadFromFile(kla);
    EXPECT_EQ(back->Laerer(), "Jensen");
    EXPECT_EQ(back->Skole(), "Byskolen");
    EXPECT_EQ(back->GetElev(2)->Maal(1), 77);

    // A deleted file counts as changed too; without anyone to ask (the
    // command-line tools) the save writes as it always did.
    fs::remove(pupil('D'));
    here.overwrite = false;
    mine->GetElev(3)->SetMaal(1, 5);
    EXPECT_FALSE(mine->SaveElev(3));
    EXPECT_EQ(here.asked.back(), pupil('D'));
    mine->SetSaveConflict(nullptr);
    EXPECT_TRUE(mine->SaveElev(3));
    EXPECT_EQ(tElev::LoadFromFile(pupil('D'))->Maal(1), 5);
}

TEST_F(ClassFolder, AChangeElsewhereIsSeenBySizeAsWellAsTime)
{
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Bo"));
    const std::string path = dir.file("bo.ele");
    ASSERT_TRUE(e.SaveToFile(path));
    const FileStamp mine = e.DiskStamp();
    EXPECT_TRUE(mine.exists);
    EXPECT_TRUE(mine.SameAs(StampOf(path)));

    // Same time, one byte more.
    Bytes b = ReadAll(path);
    b.push_back(0);
    WriteAll(path, b);
    struct timespec times[2] = {{0, UTIME_OMIT}, {mine.timeNs / 1000000000, long(mine.timeNs % 1000000000)}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const FileStamp now = StampOf(path);
    EXPECT_EQ(now.timeNs, mine.timeNs);
    EXPECT_FALSE(now.SameAs(mine));
    EXPECT_FALSE(StampOf(dir.file("ingen.ele")).SameAs(mine));
    EXPECT_TRUE(StampOf(dir.file("ingen.ele")).SameAs(StampOf(dir.file("heller-ingen.ele"))));
}

// ---- temporaries, read-only files, long names, reasons ----

TEST_F(ClassFolder, StaleTemporariesGoWithTheNextSaveOfTheirFile)
{
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Bo"));
    const std::string path = dir.file("4a_Bo.ele");
    ASSERT_TRUE(e.SaveToFile(path));
    for (const char* name : {"4a_Bo.ele.tmp-AAAAAA", "4a_Bo.ele.tmp-BBBBBB", "4a_Bo.ele.tmp-CCCCCC",
                             "4a_Ib.ele.tmp-AAAAAA", "4a_Bo.ele.tmp-AAAAAAA", "4a_Bo.ele.tmp-"})
        WriteAll(dir.file(name), {1, 2, 3});
    // C belongs to a save still running elsewhere: it holds its lock.
    const int live = ::open(dir.file("4a_Bo.ele.tmp-CCCCCC").c_str(), O_RDONLY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    // A class in this folder opens with its own pupils only.
    tKlasse k;
    k.AdoptElev(tElev::LoadFromFile(path));
    ASSERT_TRUE(k.SaveToFile(dir.file("4a.kla")));
    EXPECT_EQ(tKlasse::LoadFromFile(dir.file("4a.kla"))->ElevCount(), 1);

    ASSERT_TRUE(e.SetKaldenavn("Bo2"));   // (the name is not the file's)
    ASSERT_TRUE(e.SaveToFile(path));
    ::close(live);
    EXPECT_EQ(temporariesIn(dir.path()), (std::vector<std::string>{"4a_Bo.ele.tmp-", "4a_Bo.ele.tmp-AAAAAAA",
                                                                    "4a_Bo.ele.tmp-CCCCCC", "4a_Ib.ele.tmp-AAAAAA"}));
    EXPECT_EQ(RemoveStaleTemporaries(path), 1);   // C, now that it is let go
}

TEST_F(ClassFolder, AReadOnlyPupilFileIsNotReplaced)
{
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Bo"));
    const std::string path = dir.file("bo.ele");
    ASSERT_TRUE(e.SaveToFile(path));
    const Bytes before = ReadAll(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    e.SetMaal(1, 5);
    EXPECT_FALSE(e.SaveToFile(path));
    EXPECT_TRUE(e.GemFejl());
    EXPECT_TRUE(e.Aendret());
    EXPECT_EQ(e.FejlTekst(), "cannot create " + path + ": Permission denied");
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_TRUE(temporariesIn(dir.path()).empty());
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_TRUE(e.SaveToFile(path));
}

TEST_F(ClassFolder, SaveFailuresSayWhy)
{
    tElev e;
    ASSERT_TRUE(e.SetKaldenavn("Bo"));
    EXPECT_FALSE(e.SaveToFile(dir.file("mangler/bo.ele")));
    EXPECT_EQ(e.FejlTekst(), "cannot create " + dir.file("mangler/bo.ele") + ": No such file or directory");
    e.AddGren(1);
    ASSERT_TRUE(e.SetGrenFoto(0, somePhoto()));
    bool saved = true;
    {
        FileSizeLimit disk(4096);
        saved = e.SaveToFile(dir.file("bo.ele"));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(e.FejlTekst(), "cannot write " + dir.file("bo.ele") + ": File too large");
    fs::create_directory(dir.file("mappe.ele"));
    EXPECT_FALSE(e.SaveToFile(dir.file("mappe.ele")));
    EXPECT_EQ(e.FejlTekst(), "cannot create " + dir.file("mappe.ele") + ": Is a directory");
    EXPECT_TRUE(temporariesIn(dir.path()).empty());
}

TEST_F(ClassFolder, NamesUpToTheLongestAFolderTakesCanBeSaved)
{
    // 245 to 255 bytes, the last with two-byte letters across the cut.
    const std::string oe = "\xC3\xB8";   // ø in UTF-8
    std::vector<std::string> names;
    for (std::size_t n : {244, 245, 250, 255})
        names.push_back(std::string(n - 4, 'x') + ".ele");
    std::string danish;
    while (danish.size() + 2 <= 251)
        danish += oe;
    names.push_back(danish + "y.ele");   // 255 bytes
    for (const std::string& name : names) {
        SCOPED_TRACE(name.size());
        ASSERT_LE(name.size(), 255u);
        const std::string path = dir.file(name);
        const std::string pattern = DataWriter::TempPattern(path);
        const std::string tempName = pattern.substr(pattern.find_last_of('/') + 1);
        EXPECT_LE(tempName.size(), 255u);
        EXPECT_TRUE(ansi::IsValidUtf8(tempName));
        tElev e;
        ASSERT_TRUE(e.SetKaldenavn("Bo"));
        ASSERT_TRUE(e.SaveToFile(path)) << e.FejlTekst();
        EXPECT_EQ(tElev::LoadFromFile(path)->Kaldenavn(), "Bo");
        // A killed save's leftover of this long name goes too.
        std::string stale = tempName;
        stale.replace(stale.size() - 6, 6, "QQQQQQ");
        WriteAll(dir.file(stale), {1});
        e.SetMaal(1, 1);
        ASSERT_TRUE(e.SaveToFile(path));
        EXPECT_TRUE(temporariesIn(dir.path()).empty());
        fs::remove(path);
    }
}
