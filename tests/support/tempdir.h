// A temporary folder for file tests, removed with everything in it.
#pragma once

#include <filesystem>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("tinkeli-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

using Bytes = std::vector<unsigned char>;

/// Appends a little-endian int32, as the files store counts and lengths.
inline void put32(Bytes& b, std::int32_t v)
{
    for (int k = 0; k < 4; ++k)
        b.push_back((std::uint32_t(v) >> (8 * k)) & 0xFF);
}

/// Appends a counted string: its int32 length, then its bytes.
inline void putStr(Bytes& b, const std::string& s)
{
    put32(b, std::int32_t(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

inline std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteAll(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
