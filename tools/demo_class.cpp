// tinkeli-tool demo-class: the demo class 4.a of Byskolen.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"
#include "democlass.h"

#include <cstdio>

int CmdDemoClass(const QStringList& args)
{
    if (args.size() != 1) {
        std::fputs("tinkeli-tool demo-class: usage: tinkeli-tool demo-class DIR\n", stderr);
        return 2;
    }
    std::string path, error;
    if (!WriteDemoClass(args.first(), 24, path, error)) {
        std::fprintf(stderr, "tinkeli-tool demo-class: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
