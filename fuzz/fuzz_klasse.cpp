// libFuzzer target: a whole class folder from arbitrary bytes. The input is
// the class file, then the pupil files, each after the separator "#ELE#".
// The pupil files take the names the class file gives them, so the class
// reader, the pupil reader and the damaged-pupil handling all run; a class
// that opens is saved again in place and must open the same way.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "klasse.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

void writeFile(const std::string& path, std::string_view bytes)
{
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

std::string folder()
{
    // A RAM disk when there is one: the saves sync every file.
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return (base / ("tinkeli-fuzz-kla-" + std::to_string(getpid()))).string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string dir = folder();
    static const struct Cleanup {
        ~Cleanup() { std::error_code ec; fs::remove_all(dir, ec); }
    } cleanup;
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t sep = input.find("#ELE#", at);
        parts.push_back(input.substr(at, sep == input.npos ? input.npos : sep - at));
        if (sep == input.npos || parts.size() > 64)
            break;
        at = sep + 5;
    }
    const std::string path = dir + "/k.kla";
    writeFile(path, parts[0]);

    // The names come from the class file itself.
    auto names = tKlasse::LoadFromFile(path);
    for (int i = 0; i < names->ElevCount() && std::size_t(i) + 1 < parts.size(); ++i) {
        const std::string file = names->ElevFilNavn(i);
        if (file != path && fs::path(file).parent_path() == fs::path(dir))
            writeFile(file, parts[std::size_t(i) + 1]);
    }

    auto k = tKlasse::LoadFromFile(path);
    if (k->LaesFejl())
        return 0;
    if (k->ElevCount() != names->ElevCount())
        __builtin_trap();
    std::vector<bool> readable;
    for (int i = 0; i < k->ElevCount(); ++i) {
        readable.push_back(!k->ElevLaesFejl(i));
        if (readable.back())
            k->GetElev(i)->SetAendret();
    }
    k->SetAendret();
    // Saved in place: damaged pupils keep their files and their places,
    // every readable pupil is written, and the class opens the same way.
    if (!k->SaveToFile(path))
        return 0;
    auto back = tKlasse::LoadFromFile(path);
    if (back->LaesFejl() || back->ElevCount() != k->ElevCount())
        __builtin_trap();
    for (int i = 0; i < back->ElevCount(); ++i)
        if (back->ElevLaesFejl(i) == readable[std::size_t(i)])
            __builtin_trap();
    return 0;
}
