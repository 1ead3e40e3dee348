// What the statistics page counts: the seventeen subjects, which of them a
// class can show, the columns (categories) of a chart with the pupils in
// each, and the squared paper they are drawn on. Plain C++ over the records.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class tKlasse;

/// One column of the chart.
struct tRegnskab {
    std::int32_t value = 0;      ///< hobby number, number of hobbies, month or measured value
    std::int32_t count = 0;      ///< pupils in the column
    std::vector<int> members;    ///< their positions in the class, in class order
};

inline constexpr int kStatCount = 17;
/// Cells narrower than this make a chart of every value in a range
/// unreadable; such a range is shown by the values that occur.
inline constexpr int kMinRangeCell = 8;

/// The measurement (Maal index 1..14) that statistic n (4..17) counts; 0 for
/// the others.
int StatMaal(int n);

/// Whether statistic n (1..17) can be chosen for \a k: 1 and 2 when the class
/// offers hobbies, 3 always, a measurement when some pupil has a value above
/// 0. Pupils whose file could not be read count for nothing.
bool StatAvailable(const tKlasse& k, int n);

/// A statistic's columns, left to right, as collected.
struct StatCollection {
    int statistic = 0;
    std::vector<tRegnskab> categories;
    std::int32_t smallest = 0;
    std::int32_t largest = 0;
    int largestCount = 0;
    /// Only the measured values have columns: the range from the smallest to
    /// the largest would not fit the chart.
    bool onlyMeasured = false;
    /// The chart width the choice between all values and the measured ones
    /// was made for.
    int width = 0;
};

/// Whether a measurement chart from \a smallest to \a largest needs more
/// columns than a chart \a chartWidth pixels wide shows with cells of at
/// least kMinRangeCell pixels.
bool RangeTooWide(std::int32_t smallest, std::int32_t largest, int chartWidth);

/// Collects statistic \a n (0..17; 0 and unknown numbers give no columns) of
/// \a k into \a out, replacing what it held. \a chartWidth decides whether a
/// measurement gets a column for every value of its range or only for the
/// values that occur.
void CollectStatistic(const tKlasse& k, int n, int chartWidth, StatCollection& out);

/// The squared paper of a chart.
struct StatGrid {
    int columns = 0;
    int rows = 0;
    int cell = 0;
    int leftMargin = 0;
    int topMargin = 0;
};

/// The grid for \a categories columns whose highest holds \a largestCount
/// squares, on a chart \a width x \a height: room for the columns and one
/// empty column on each side (five columns at least), and for the highest
/// column with a row below and above it. A cell is never below 1 pixel.
StatGrid ComputeGrid(int width, int height, std::int64_t categories, std::int64_t largestCount);
