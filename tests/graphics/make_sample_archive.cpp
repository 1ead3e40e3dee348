// Writes the sample portrait archive, for the command-line tests.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivewriter.h"
#include "sample_archive.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_archive OUT.BIN\n");
        return 2;
    }
    std::string err;
    if (!SaveDataArchive(sample::PortraitArchive(), QString::fromLocal8Bit(argv[1]), &err)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    return 0;
}
