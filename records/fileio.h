// The file access layer shared by the pupil and class files: all-or-nothing
// reads and writes, counted strings, and a file's last-write time.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datefmt.h"
#include "ext80.h"

#include <cstdint>
#include <cstdio>
#include <string>

/// What a file looked like on disk: enough to tell whether somebody else
/// (another machine on a shared folder) wrote it since we last did.
struct FileStamp {
    std::string path;             ///< empty: no file is known
    bool exists = false;
    std::int64_t timeNs = 0;      ///< last write, nanoseconds since 1970
    std::uint64_t size = 0;

    /// Same file contents as far as time and size can tell.
    bool SameAs(const FileStamp& o) const
    {
        return exists == o.exists && (!exists || (timeNs == o.timeNs && size == o.size));
    }
};

/// The stamp of \a path as it is on disk now (exists false when it is not).
FileStamp StampOf(const std::string& path);

/// Asked before a file is replaced that changed on disk since this program
/// read or wrote it. True: write over it all the same.
class SaveConflict {
public:
    virtual ~SaveConflict() = default;
    virtual bool OverwriteChanged(const std::string& path, const FileStamp& onDisk) = 0;
};

/// Reads a file front to back. The first read that cannot deliver all its
/// bytes sets the failure flag, and once set every later read fails too and
/// reads nothing. Integers are little-endian.
class DataReader {
public:
    DataReader() = default;
    DataReader(const DataReader&) = delete;
    DataReader& operator=(const DataReader&) = delete;
    ~DataReader() { CloseFile(); }

    /// Opens an existing file (UTF-8 path) read-only.
    [[nodiscard]] bool OpenForRead(const std::string& path);
    void CloseFile();
    /// The opened file's stamp, taken when it was opened.
    const FileStamp& Stamp() const { return stamp_; }

    bool ok() const { return ok_; }
    /// Bytes left between the read position and the end of the file.
    std::uint64_t remaining() const { return size_ - pos_; }

    bool ReadBytes(void* buffer, std::size_t count);
    bool ReadU8(std::uint8_t& v);
    bool ReadBool(bool& v);
    bool ReadI16(std::int16_t& v);
    bool ReadU16(std::uint16_t& v);
    bool ReadI32(std::int32_t& v);
    bool ReadU32(std::uint32_t& v);
    bool ReadExt80(ext80& v);
    /// int32 length, then that many bytes. A length of 0 or less is the empty
    /// string. A length beyond what the file still holds fails at once,
    /// without allocating. A short read keeps what arrived in \a s.
    bool ReadString(std::string& s);
    /// Fails (without reading) unless \a bytes remain.
    bool Expect(std::uint64_t bytes);
    /// Marks the file as broken; every later read fails.
    bool Fail() { return fail(); }

private:
    bool fail() { ok_ = false; return false; }
    std::FILE* f_ = nullptr;
    bool ok_ = false;
    std::uint64_t size_ = 0, pos_ = 0;
    FileStamp stamp_;
};

/// Writes a file safely: the bytes go to a temporary file in the same folder,
/// which CloseFile() flushes to disk and renames over the target. Until then
/// the old file is untouched, and a failure anywhere leaves it intact.
///
/// The temporary file is named "<name>.tmp-XXXXXX", the name cut short when
/// that would pass the 255 bytes a file name may have. A save that was
/// killed leaves its temporary behind; the next successful save of the same
/// target removes it (never one that a running save still holds).
/// A target that its permissions make read-only is not replaced.
class DataWriter {
public:
    DataWriter() = default;
    DataWriter(const DataWriter&) = delete;
    DataWriter& operator=(const DataWriter&) = delete;
    ~DataWriter() { Abandon(); }

    [[nodiscard]] bool CreateForWrite(const std::string& path);
    /// Flushes, syncs and renames. True only when the file is in place.
    [[nodiscard]] bool CloseFile();
    /// Drops the temporary file; the target stays as it was.
    void Abandon();

    bool ok() const { return ok_; }
    /// Why the last operation failed, as the system says it ("Permission
    /// denied", "No space left on device"); "" when nothing failed.
    const std::string& Fejl() const { return fejl_; }
    /// The written file's stamp, after a successful CloseFile().
    const FileStamp& Stamp() const { return stamp_; }
    /// The temporary file's name for \a path (with XXXXXX in place of the
    /// random part).
    static std::string TempPattern(const std::string& path);

    bool WriteBytes(const void* data, std::size_t count);
    bool WriteU8(std::uint8_t v);
    bool WriteBool(bool v) { return WriteU8(v ? 1 : 0); }
    bool WriteI16(std::int16_t v);
    bool WriteU16(std::uint16_t v);
    bool WriteI32(std::int32_t v);
    bool WriteU32(std::uint32_t v);
    bool WriteExt80(const ext80& v);
    /// int32 length, then the bytes. Refuses (fails) a text over 65 535 bytes
    /// rather than cutting it.
    bool WriteString(const std::string& s);

private:
    bool fail();
    bool fail(int err);
    std::FILE* f_ = nullptr;
    bool ok_ = false;
    std::string path_, tmp_;
    std::string fejl_;
    FileStamp stamp_;
};

/// Removes the temporary files that killed saves of \a path left behind;
/// a temporary that a running save holds is left alone. Returns how many
/// were removed.
int RemoveStaleTemporaries(const std::string& path);

/// Longest text a counted string may hold.
inline constexpr std::size_t kMaxCountedString = 65535;

/// The file's last-write time in local time, as days since 1899-12-30 with
/// millisecond resolution. False when the file cannot be had.
bool FileWriteTime(const std::string& path, DateTime& time);

bool FileExists(const std::string& path);
/// Deletes a file; false when it could not be deleted.
bool DeleteFile(const std::string& path);
