// The file access layer: sticky-failure reader, safe-save writer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileio.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path nativePath(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

#ifndef _WIN32
FileStamp stampOfStat(const std::string& path, const struct stat& st)
{
    FileStamp s;
    s.path = path;
    s.exists = true;
    s.timeNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.size = std::uint64_t(st.st_size);
    return s;
}
#endif

} // namespace

// ---- DataReader ----

bool DataReader::OpenForRead(const std::string& path)
{
    CloseFile();
    ok_ = false;
    pos_ = size_ = 0;
    stamp_ = FileStamp{path};
    std::error_code ec;
    const fs::path p = nativePath(path);
    if (!fs::is_regular_file(p, ec))
        return false;
    const auto size = fs::file_size(p, ec);
    if (ec)
        return false;
    f_ = std::fopen(path.c_str(), "rb");
    if (!f_)
        return false;
    size_ = size;
#ifndef _WIN32
    struct stat st {};
    if (::fstat(::fileno(f_), &st) == 0) {
        stamp_ = stampOfStat(path, st);
        size_ = std::uint64_t(st.st_size);
    }
#endif
    ok_ = true;
    return true;
}

void DataReader::CloseFile()
{
    if (f_) {
        std::fclose(f_);
        f_ = nullptr;
    }
}

bool DataReader::Expect(std::uint64_t bytes)
{
    if (!ok_ || bytes > remaining())
        return fail();
    return true;
}

bool DataReader::ReadBytes(void* buffer, std::size_t count)
{
    if (!ok_ || !f_)
        return fail();
    const std::size_t got = std::fread(buffer, 1, count, f_);
    pos_ += got;
    if (got != count)
        return fail();
    return true;
}

bool DataReader::ReadU8(std::uint8_t& v) { return ReadBytes(&v, 1); }

bool DataReader::ReadBool(bool& v)
{
    std::uint8_t b = 0;
    if (!ReadU8(b))
        return false;
    v = b != 0;
    return true;
}

bool DataReader::ReadU16(std::uint16_t& v)
{
    std::uint8_t b[2];
    if (!ReadBytes(b, 2))
        return false;
    v = std::uint16_t(b[0] | (b[1] << 8));
    return true;
}

bool DataReader::ReadI16(std::int16_t& v)
{
    std::uint16_t u;
    if (!ReadU16(u))
        return false;
    v = std::int16_t(u);
    return true;
}

bool DataReader::ReadU32(std::uint32_t& v)
{
    std::uint8_t b[4];
    if (!ReadBytes(b, 4))
        return false;
    v = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
    return true;
}

bool DataReader::ReadI32(std::int32_t& v)
{
    std::uint32_t u;
    if (!ReadU32(u))
        return false;
    v = std::int32_t(u);
    return true;
}

bool DataReader::ReadExt80(ext80& v)
{
    ext80::Bytes b;
    if (!ReadBytes(b.data(), b.size()))
        return false;
    v = ext80::FromBytes(b);
    return true;
}

bool DataReader::ReadString(std::string& s)
{
    std::int32_t n = 0;
    if (!ReadI32(n))
        return false;
    if (n <= 0) {
        s.clear();
        return true;
    }
    // A length the file cannot hold is a broken file, not a reason to
    // allocate: read what is there (a half-read string keeps it) and fail.
    if (std::uint64_t(n) > remaining()) {
        const auto rest = std::size_t(remaining());
        s.assign(rest, '\0');
        if (rest > 0)
            ReadBytes(s.data(), rest);
        return fail();
    }
    s.assign(std::size_t(n), '\0');
    return ReadBytes(s.data(), std::size_t(n));
}

// ---- DataWriter ----

namespace {

constexpr std::size_t kMaxNameBytes = 255;
constexpr char kTempTag[] = ".tmp-XXXXXX";
constexpr std::size_t kTempTagBytes = sizeof kTempTag - 1;

std::string reason(int err)
{
    return err ? std::string(std::strerror(err)) : std::string("unknown error");
}

// The file name part of a path and the folder before it ("" or ending in "/").
void splitPath(const std::string& path, std::string& folder, std::string& name)
{
    const auto p = path.find_last_of('/');
    folder = p == std::string::npos ? std::string() : path.substr(0, p + 1);
    name = p == std::string::npos ? path : path.substr(p + 1);
}

// The start of the temporary files' names: the target's name, cut (at a
// UTF-8 character boundary) so that the tag still fits in a file name.
std::string tempStem(const std::string& name)
{
    if (name.size() + kTempTagBytes <= kMaxNameBytes)
        return name;
    std::size_t n = kMaxNameBytes - kTempTagBytes;
    while (n > 0 && (std::uint8_t(name[n]) & 0xC0) == 0x80)
        --n;
    return name.substr(0, n);
}

} // namespace

std::string DataWriter::TempPattern(const std::string& path)
{
    std::string folder, name;
    splitPath(path, folder, name);
    return folder + tempStem(name) + kTempTag;
}

bool DataWriter::fail()
{
    ok_ = false;
    if (fejl_.empty())
        fejl_ = reason(errno);
    return false;
}

bool DataWriter::fail(int err)
{
    ok_ = false;
    if (fejl_.empty())
        fejl_ = reason(err);
    return false;
}

bool DataWriter::CreateForWrite(const std::string& path)
{
    Abandon();
    ok_ = false;
    fejl_.clear();
    stamp_ = FileStamp{};
    path_ = path;
#ifndef _WIN32
    // A file the user may not write is not replaced, although the folder
    // would let a rename do it. A file without any write permission counts
    // as read-only even for the superuser, as a read-only file does on
    // Windows.
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return fail(S_ISDIR(st.st_mode) ? EISDIR : EACCES);
    if (exists && (st.st_mode & 0222) == 0)
        return fail(EACCES);
    if (exists && ::access(path.c_str(), W_OK) != 0)
        return fail(errno);   // not ours to write, or a read-only disk
    tmp_ = TempPattern(path);
    int fd = mkstemp(tmp_.data());
    if (fd < 0) {
        fail(errno);
        tmp_.clear();
        return false;
    }
    // Held until the file is closed, so that another save's clean-up can
    // tell this live temporary from one that a killed save left behind.
    (void)::flock(fd, LOCK_EX | LOCK_NB);
    // Keep the old file's permissions; a new file gets the usual ones.
    mode_t mode = 0666;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    f_ = ::fdopen(fd, "wb");
    if (!f_) {
        fail(errno);
        ::close(fd);
        ::unlink(tmp_.c_str());
        tmp_.clear();
        return false;
    }
#else
    tmp_ = path + ".tmp";
    f_ = std::fopen(tmp_.c_str(), "wb");
    if (!f_) {
        fail(errno);
        tmp_.clear();
        return false;
    }
#endif
    ok_ = true;
    return true;
}

void DataWriter::Abandon()
{
    if (f_) {
        std::fclose(f_);
        f_ = nullptr;
    }
    if (!tmp_.empty()) {
        std::error_code ec;
        fs::remove(nativePath(tmp_), ec);
        tmp_.clear();
    }
}

bool DataWriter::CloseFile()
{
    if (!f_)
        return fail(EBADF);
    bool good = ok_;
    if (good && std::fflush(f_) != 0)
        good = fail(errno);
#ifndef _WIN32
    struct stat st {};
    if (good && ::fsync(::fileno(f_)) != 0)
        good = fail(errno);
    // The rename keeps the time and size, so this is the target's stamp
    // once it is in place; taken here, nobody else's write can slip in.
    if (good && ::fstat(::fileno(f_), &st) != 0)
        good = fail(errno);
    if (good)
        stamp_ = stampOfStat(path_, st);
#endif
    if (std::fclose(f_) != 0 && good)
        good = fail(errno);
    f_ = nullptr;
    if (good) {
        std::error_code ec;
        fs::rename(nativePath(tmp_), nativePath(path_), ec);
        if (ec)
            good = fail(ec.value());
    }
    if (good) {
        tmp_.clear();
        (void)RemoveStaleTemporaries(path_);
    } else {
        stamp_ = FileStamp{};
        Abandon();
    }
    ok_ = good;
    return good;
}

int RemoveStaleTemporaries(const std::string& path)
{
#ifdef _WIN32
    (void)path;
    return 0;
#else
    std::string folder, name;
    splitPath(path, folder, name);
    const std::string stem = tempStem(name) + ".tmp-";
    const std::size_t length = stem.size() + 6;
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(nativePath(folder.empty() ? std::string(".") : folder), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::u8string u8 = it->path().filename().u8string();
        const std::string entry(u8.begin(), u8.end());
        if (entry.size() != length || entry.compare(0, stem.size(), stem) != 0)
            continue;
        const std::string full = folder + entry;
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A save in progress holds its lock; a killed one's is gone.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(full.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
#endif
}

bool DataWriter::WriteBytes(const void* data, std::size_t count)
{
    if (!ok_ || !f_)
        return fail(EBADF);
    if (count > 0 && std::fwrite(data, 1, count, f_) != count)
        return fail(errno);
    return true;
}

bool DataWriter::WriteU8(std::uint8_t v) { return WriteBytes(&v, 1); }

bool DataWriter::WriteU16(std::uint16_t v)
{
    const std::uint8_t b[2] = {std::uint8_t(v), std::uint8_t(v >> 8)};
    return WriteBytes(b, 2);
}

bool DataWriter::WriteI16(std::int16_t v) { return WriteU16(std::uint16_t(v)); }

bool DataWriter::WriteU32(std::uint32_t v)
{
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    return WriteBytes(b, 4);
}

bool DataWriter::WriteI32(std::int32_t v) { return WriteU32(std::uint32_t(v)); }

bool DataWriter::WriteExt80(const ext80& v) { return WriteBytes(v.bytes().data(), v.bytes().size()); }

bool DataWriter::WriteString(const std::string& s)
{
    if (s.size() > kMaxCountedString)
        return fail(EOVERFLOW);
    if (!WriteI32(std::int32_t(s.size())))
        return false;
    return WriteBytes(s.data(), s.size());
}

// ---- file times and housekeeping ----

bool FileWriteTime(const std::string& path, DateTime& time)
{
    std::error_code ec;
    const auto ft = fs::last_write_time(nativePath(path), ec);
    if (ec)
        return false;
    using namespace std::chrono;
    const auto sys = file_clock::to_sys(ft);
    const auto ms = duration_cast<milliseconds>(sys.time_since_epoch()).count();
    std::time_t secs = std::time_t(ms / 1000);
    int millis = int(ms % 1000);
    if (millis < 0) {
        millis += 1000;
        --secs;
    }
    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &secs) != 0)
        return false;
#else
    if (!localtime_r(&secs, &tm))
        return false;
#endif
    time = DateTimeFromLocal(tm, millis);
    return true;
}

FileStamp StampOf(const std::string& path)
{
    FileStamp s{path};
#ifndef _WIN32
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        s = stampOfStat(path, st);
#else
    std::error_code ec;
    const auto size = fs::file_size(nativePath(path), ec);
    const auto time = fs::last_write_time(nativePath(path), ec);
    if (!ec) {
        s.exists = true;
        s.size = size;
        s.timeNs = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
    }
#endif
    return s;
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(nativePath(path), ec);
}

bool DeleteFile(const std::string& path)
{
    std::error_code ec;
    return fs::remove(nativePath(path), ec) && !ec;
}
