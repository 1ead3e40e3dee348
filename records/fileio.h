// The file access layer shared by the pupil and class files: all-or-nothing
// reads and writes, counted strings, and a file's last-write time.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datefmt.h"
#include "ext80.h"

#include <cstdint>
#include <cstdio>
#include <string>

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
};

/// Writes a file safely: the bytes go to a temporary file in the same folder,
/// which CloseFile() flushes to disk and renames over the target. Until then
/// the old file is untouched, and a failure anywhere leaves it intact.
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
    bool fail() { ok_ = false; return false; }
    std::FILE* f_ = nullptr;
    bool ok_ = false;
    std::string path_, tmp_;
};

/// Longest text a counted string may hold.
inline constexpr std::size_t kMaxCountedString = 65535;

/// The file's last-write time in local time, as days since 1899-12-30 with
/// millisecond resolution. False when the file cannot be had.
bool FileWriteTime(const std::string& path, DateTime& time);

bool FileExists(const std::string& path);
/// Deletes a file; false when it could not be deleted.
bool DeleteFile(const std::string& path);
