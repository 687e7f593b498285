#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace quorlent::filter {

// p-values below this set a record apart from chance, as in the outcome chart.
inline constexpr double kSignificanceLevel = 0.05;

// How a condition alone, or the switched-on conditions together, fared over a window of draws.
struct Record
{
    int64_t draws = 0;  // draws of the window
    int64_t passes = 0; // of them, the draws whose part passes
    // The share of the part's numbers kept: the chance that a draw passes when every digit is
    // equally likely and independent. For conditions that read earlier draws the share changes
    // from draw to draw; this is the mean over the window's draws of the share kept at each,
    // given that draw's own earlier draws (without draws: the share at the draw to come). The
    // binomial test against that mean is conservative: passes that follow the draws' own shares
    // vary less than a binomial count with the mean share.
    double keptShare = 0;
    // keptShare and pValue are still being worked out (FilterEngine::conjunctionTask()).
    bool pending = false;
    // The two-sided exact binomial test of passes out of draws against keptShare.
    double pValue = 1;

    double passRate() const { return draws > 0 ? double(passes) / double(draws) : 0.0; }
    // passRate ÷ keptShare: above 1, more draws pass than chance would have it. None without
    // draws, while pending, or when nothing is kept.
    std::optional<double> ratio() const;
    bool significant() const { return !pending && draws > 0 && pValue < kSignificanceLevel; }

    // A finished record; works out the p-value.
    static Record of(int64_t draws, int64_t passes, double keptShare);
    static Record pendingOf(int64_t draws, int64_t passes);
};

// "p = 0.012", "p < 0.001".
QString formatPValue(double p);

// The plain verdict the window shows beside a record, worded as the outcome chart's:
// "与随机无显著差异", "显著偏离随机（p = 0.003）".
QString recordVerdict(const Record &record);

} // namespace quorlent::filter
