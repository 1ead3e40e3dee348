// libFuzzer target: the pupil file reader on arbitrary bytes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "elev.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/tinkeli-fuzz-elev-" + std::to_string(getpid()) + ".ele";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    auto e = tElev::LoadFromFile(path);
    // Whatever was read must also be writable and read back the same way.
    if (!e->LaesFejl()) {
        e->SetAendret();
        const std::string out = path + ".out";
        if (e->SaveToFile(out)) {
            auto back = tElev::LoadFromFile(out);
            if (back->LaesFejl() || back->GrenCount() != e->GrenCount())
                __builtin_trap();
        }
        std::remove(out.c_str());
    }
    return 0;
}
