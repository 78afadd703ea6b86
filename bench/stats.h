#pragma once

// Medians, spreads and the table rows both benchmarks print.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct Summary {
    std::size_t count = 0;
    double median = 0;
    double min = 0;
    double max = 0;
    double q1 = 0; // first quartile
    double q3 = 0; // third quartile
};

// Returns the value at fraction `at` (0..1) of sorted `values`, interpolating between neighbours.
inline double quantile(const std::vector<double> &sorted, double at) {
    if (sorted.empty())
        return 0;
    const double position = at * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

inline Summary summarize(std::vector<double> values) {
    Summary s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    s.count = values.size();
    s.median = quantile(values, 0.5);
    s.min = values.front();
    s.max = values.back();
    s.q1 = quantile(values, 0.25);
    s.q3 = quantile(values, 0.75);
    return s;
}

// One budget line: PASS when `value` is at most `limit`.
struct Verdict {
    bool checked = false;
    bool pass = true;
};

inline const char *verdictText(const Verdict &verdict) {
    if (!verdict.checked)
        return "";
    return verdict.pass ? "PASS" : "OVER";
}

// Prints the header of a table whose rows are printed by row().
inline void header() {
    std::printf("  %-44s %10s %21s %21s %5s  %-16s %s\n", "", "median", "min - max", "IQR", "n",
                "budget", "");
}

// Prints one row: the summary in `unit` with a precision of `digits`, and the budget if any.
inline void row(const std::string &name, const Summary &s, const char *unit, int digits,
                const std::string &budget = {}, Verdict verdict = {}) {
    char median[32];
    char range[48];
    char iqr[48];
    std::snprintf(median, sizeof median, "%.*f %s", digits, s.median, unit);
    std::snprintf(range, sizeof range, "%.*f - %.*f", digits, s.min, digits, s.max);
    std::snprintf(iqr, sizeof iqr, "%.*f - %.*f", digits, s.q1, digits, s.q3);
    std::printf("  %-44s %10s %21s %21s %5zu  %-16s %s\n", name.c_str(), median, range, iqr,
                s.count, budget.c_str(), verdictText(verdict));
}

} // namespace bench
