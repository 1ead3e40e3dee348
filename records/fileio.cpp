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
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path nativePath(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

// ---- DataReader ----

bool DataReader::OpenForRead(const std::string& path)
{
    CloseFile();
    ok_ = false;
    pos_ = size_ = 0;
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

bool DataWriter::CreateForWrite(const std::string& path)
{
    Abandon();
    ok_ = false;
    path_ = path;
#ifndef _WIN32
    tmp_ = path + ".tmp-XXXXXX";
    int fd = mkstemp(tmp_.data());
    if (fd < 0) {
        tmp_.clear();
        return false;
    }
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    f_ = ::fdopen(fd, "wb");
    if (!f_) {
        ::close(fd);
        ::unlink(tmp_.c_str());
        tmp_.clear();
        return false;
    }
#else
    tmp_ = path + ".tmp";
    f_ = std::fopen(tmp_.c_str(), "wb");
    if (!f_) {
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
        return false;
    bool good = ok_ && std::fflush(f_) == 0;
#ifndef _WIN32
    good = good && ::fsync(::fileno(f_)) == 0;
#endif
    good = (std::fclose(f_) == 0) && good;
    f_ = nullptr;
    if (good) {
        std::error_code ec;
        fs::rename(nativePath(tmp_), nativePath(path_), ec);
        good = !ec;
    }
    if (good)
        tmp_.clear();
    else
        Abandon();
    ok_ = good;
    return good;
}

bool DataWriter::WriteBytes(const void* data, std::size_t count)
{
    if (!ok_ || !f_)
        return fail();
    if (count > 0 && std::fwrite(data, 1, count, f_) != count)
        return fail();
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
        return fail();
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
