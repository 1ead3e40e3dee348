// The statistics' arithmetic.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "statdata.h"

#include "elev.h"
#include "klasse.h"

#include <algorithm>

namespace {

// Statistics 4 to 17 in the order of their buttons.
constexpr int kMaalOf[kStatCount + 1] = {0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 10, 9, 12, 11, 7, 8, 13, 14};

// A pupil whose file could not be read holds nothing anyone entered.
const tElev* counted(const tKlasse& k, int i)
{
    const tElev* e = k.GetElev(i);
    return e && !e->LaesFejl() ? e : nullptr;
}

int hobbiesChosen(const tElev& e)
{
    // Counted among all fifty, not only those the class offers now.
    int n = 0;
    for (int h = 1; h <= tElev::kHobbyCount && n < 5; ++h)
        if (e.HobbyValgt(h))
            ++n;
    return n;
}

void addMember(StatCollection& out, std::size_t column, int pupil)
{
    tRegnskab& r = out.categories[column];
    ++r.count;
    r.members.push_back(pupil);
    out.largestCount = std::max(out.largestCount, int(r.count));
}

void fixedColumns(StatCollection& out, std::int32_t from, std::int32_t to)
{
    for (std::int32_t v = from; v <= to; ++v)
        out.categories.push_back({v, 0, {}});
    out.smallest = from;
    out.largest = to;
}

void collectMeasurement(const tKlasse& k, int maal, int chartWidth, StatCollection& out)
{
    bool any = false;
    std::int32_t lo = 0, hi = 0;
    for (int i = 0; i < k.ElevCount(); ++i) {
        const tElev* e = counted(k, i);
        const std::int32_t v = e ? e->Maal(maal) : 0;
        if (v <= 0)
            continue;
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
    if (!any)
        return;
    out.smallest = lo;
    out.largest = hi;
    // The range comes from the files: 1 and 2147483647 would ask for 2^31
    // columns. Such a chart shows the values that occur instead.
    const std::int64_t range = std::int64_t(hi) - lo + 1;
    if (RangeTooWide(lo, hi, chartWidth)) {
        std::vector<std::int32_t> values;
        for (int i = 0; i < k.ElevCount(); ++i)
            if (const tElev* e = counted(k, i); e && e->Maal(maal) > 0)
                values.push_back(e->Maal(maal));
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        out.onlyMeasured = std::int64_t(values.size()) < range;
        for (std::int32_t v : values)
            out.categories.push_back({v, 0, {}});
    } else {
        for (std::int64_t v = lo; v <= hi; ++v)
            out.categories.push_back({std::int32_t(v), 0, {}});
    }
    for (int i = 0; i < k.ElevCount(); ++i) {
        const tElev* e = counted(k, i);
        const std::int32_t v = e ? e->Maal(maal) : 0;
        if (v <= 0)
            continue;
        const auto at = std::lower_bound(out.categories.begin(), out.categories.end(), v,
                                         [](const tRegnskab& r, std::int32_t x) { return r.value < x; });
        addMember(out, std::size_t(at - out.categories.begin()), i);
    }
}

} // namespace

int StatMaal(int n)
{
    return n >= 4 && n <= kStatCount ? kMaalOf[n] : 0;
}

bool StatAvailable(const tKlasse& k, int n)
{
    if (n == 1 || n == 2)
        return k.AntalTilbudt() > 0;
    if (n == 3)
        return true;
    const int maal = StatMaal(n);
    if (maal == 0)
        return false;
    // Above 0, as collecting takes them: a file's negative values alone
    // would give an empty chart.
    for (int i = 0; i < k.ElevCount(); ++i)
        if (const tElev* e = counted(k, i); e && e->Maal(maal) > 0)
            return true;
    return false;
}

bool RangeTooWide(std::int32_t smallest, std::int32_t largest, int chartWidth)
{
    const std::int64_t range = std::int64_t(largest) - smallest + 1;
    const std::int64_t wanted = range >= 3 ? range + 2 : 5;
    return wanted > std::int64_t(std::max(0, chartWidth) / kMinRangeCell);
}

void CollectStatistic(const tKlasse& k, int n, int chartWidth, StatCollection& out)
{
    out.statistic = n;
    out.categories.clear();
    out.smallest = out.largest = 0;
    out.largestCount = 0;
    out.onlyMeasured = false;
    out.width = chartWidth;
    switch (n) {
    case 1: {
        const int offered = k.AntalTilbudt();
        for (int j = 1; j <= offered; ++j)
            out.categories.push_back({k.TilbudtNr(j), 0, {}});
        if (offered > 0) {
            out.smallest = out.categories.front().value;
            out.largest = out.categories.back().value;
        }
        for (int i = 0; i < k.ElevCount(); ++i)
            if (const tElev* e = counted(k, i))
                for (std::size_t c = 0; c < out.categories.size(); ++c)
                    if (e->HobbyValgt(out.categories[c].value))
                        addMember(out, c, i);
        break;
    }
    case 2:
        fixedColumns(out, 0, 5);
        for (int i = 0; i < k.ElevCount(); ++i)
            if (const tElev* e = counted(k, i))
                addMember(out, std::size_t(hobbiesChosen(*e)), i);
        break;
    case 3:
        fixedColumns(out, 1, 12);
        for (int i = 0; i < k.ElevCount(); ++i)
            if (const tElev* e = counted(k, i)) {
                const int m = e->BirthMonth();
                if (m >= 1 && m <= 12)
                    addMember(out, std::size_t(m - 1), i);
            }
        break;
    default:
        if (const int maal = StatMaal(n))
            collectMeasurement(k, maal, chartWidth, out);
        break;
    }
}

StatGrid ComputeGrid(int width, int height, std::int64_t categories, std::int64_t largestCount)
{
    StatGrid g;
    if (width <= 0 || height <= 0)
        return g;
    const std::int64_t wanted = categories >= 3 ? categories + 2 : 5;
    const std::int64_t cell = std::min(width / wanted, height / (std::max<std::int64_t>(0, largestCount) + 2));
    // More columns or squares than pixels still draw: a pixel a square.
    g.cell = int(std::max<std::int64_t>(1, cell));
    g.columns = width / g.cell;
    g.rows = height / g.cell;
    g.leftMargin = (width - g.columns * g.cell) / 2;
    g.topMargin = (height - g.rows * g.cell) / 2;
    return g;
}
