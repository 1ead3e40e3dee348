// libFuzzer target: the drawing archive reader on arbitrary bytes, read both
// at its design size and rescaled; what it accepts must write and read back.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive.h"
#include "archivewriter.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DataArchive a;
    ArchiveReadError err;
    (void)ReadDataArchive(data, size, 1831, 1080, a, &err);
    if (!ReadDataArchive(data, size, 0, 0, a, &err))
        return 0;
    std::vector<std::uint8_t> bytes;
    // The reader keeps shortstr lengths up to 20 and what it read, so the
    // writer takes everything back, except points a real48 cannot hold.
    if (WriteDataArchive(a, bytes)) {
        DataArchive b;
        if (!ReadDataArchive(bytes.data(), bytes.size(), 0, 0, b, &err) || b.Pictures.size() != a.Pictures.size()
            || b.Layouts.size() != a.Layouts.size())
            __builtin_trap();
    }
    return 0;
}
