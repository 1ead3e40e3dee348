// Per-part colour tables of the editor pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "farver.h"

#include <cstdint>

int SlideMul(int k, int p)
{
    const std::int64_t n = std::int64_t(k) * p;
    // Round half up (for negative products: towards +infinity as well).
    return int(n >= 0 ? (2 * n + 38) / 76 : -((-2 * n - 38 + 75) / 76));
}

namespace {

Colour rgb4(int r, int g, int b)
{
    // Each channel is 4 * value, kept to 8 bits.
    return Colour((4 * r) & 0xFF) | (Colour((4 * g) & 0xFF) << 8) | (Colour((4 * b) & 0xFF) << 16);
}

Colour face(int b, int p)
{
    auto m = [p](int k) { return SlideMul(k, p); };
    switch (b) {
    case 0: return rgb4(p + 14, p + 4, m(34));
    case 1: return rgb4(m(37) + 26, p + 10, p + 6);
    case 2: return rgb4(m(22) + 41, p + 21, p + 12);
    default: return rgb4(m(21) + 42, p + 22, p + 18);
    }
}

Colour hair(int b, int p)
{
    auto m = [p](int k) { return SlideMul(k, p); };
    switch (b) {
    case 0: return rgb4(m(19) + 44, p + 23, p);
    case 1: return rgb4(m(22) + 41, p + 21, p + 12);
    case 2: return rgb4(m(37) + 26, p + 10, p + 6);
    default: return rgb4(p + 1, m(32), m(24));
    }
}

Colour eyes(int b, int p)
{
    auto m = [p](int k) { return SlideMul(k, p); };
    switch (b) {
    case 0: return rgb4(m(28), p + 13, m(36) + 27);
    case 1: return rgb4(p + 5, p + 16, p + 11);
    case 2: return rgb4(p + 23, p + 8, m(30));
    default: return rgb4(p + 15, m(32), m(22));
    }
}

Colour mouth(int b, int p)
{
    auto m = [p](int k) { return SlideMul(k, p); };
    switch (b) {
    case 0: return rgb4(m(26) + 38, m(26), p);
    case 1: return rgb4(m(22) + 38, m(41) + 13, m(37) + 13);
    case 2: return rgb4(p + 26, p + 13, p);
    default: return rgb4(p + 13, p, p);
    }
}

Colour glasses(int b, int p)
{
    auto m = [p](int k) { return SlideMul(k, p); };
    switch (b) {
    case 0: return rgb4(m(40) + 14, m(40) + 14, m(40) + 14);
    case 1: return rgb4(m(26), p + 26, p + 26);
    case 2: return rgb4(p + 26, m(26), p + 26);
    default: return rgb4(p + 26, p + 26, m(26));
    }
}

} // namespace

Colour PartColour(Del del, int gruppe, int slide)
{
    switch (del) {
    case Del::Ansigt: return face(gruppe, slide);
    case Del::Haar:
    case Del::Bryn: return hair(gruppe, slide);
    case Del::Oejne: return eyes(gruppe, slide);
    case Del::Mund: return mouth(gruppe, slide);
    case Del::Briller: return glasses(gruppe, slide);
    case Del::Naese: break;
    }
    return 0xFFFFFF;
}
