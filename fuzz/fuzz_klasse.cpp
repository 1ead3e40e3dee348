// libFuzzer target: the class file reader on arbitrary bytes. The class file
// lies alone in its own folder, so the pupil paths it names lead nowhere.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "klasse.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("tinkeli-fuzz-kla-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d.string();
    }();
    const std::string path = dir + "/k.kla";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    auto k = tKlasse::LoadFromFile(path);
    (void)k->ElevCount();
    return 0;
}
