// The chart against a recomputation from the definitions, draw by draw, on random histories with
// gaps, whole missing days, issues that cannot exist and repeated issues.
#include "Game.h"
#include "TrendChart.h"

#include <gtest/gtest.h>
#include <random>

using namespace quorlent;
using namespace quorlent::trend;

namespace {

// The original game: these draws are numbered by its issues.
constexpr Game kGame = Game::standard();

std::vector<HistoryRow> randomHistory(std::mt19937 &rng, int length)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    const int32_t firstDays[] = {151230, 160227, 90228, 161231};
    int32_t sqqh = firstDays[pick(0, 3)] * 1000 + pick(1, 120);
    // Uniform digits; few digits, for long runs; or mostly few with rare others, for long absences.
    const int kind = pick(0, 2);
    auto digit = [&] {
        if (kind == 0)
            return pick(0, 9);
        return kind == 2 && pick(0, 99) < 2 ? pick(3, 9) : pick(0, 2);
    };
    std::vector<HistoryRow> rows;
    while (int(rows.size()) < length) {
        Digits digits;
        for (auto &d : digits)
            d = uint8_t(digit());
        const int roll = pick(0, 99);
        int32_t stored = sqqh;
        if (roll < 2) // an issue that cannot exist, in its place by number
            stored =
                kGame.issueOfDay(kGame.dateOf(sqqh), 0) + (kGame.sequence(sqqh) == 120 ? 121 : 0);
        rows.push_back({stored, DrawCodes::fromDigits(digits, 1), {}, false});
        if (roll >= 2 && roll < 4)
            continue; // the same issue again
        const int skip = roll < 12 ? pick(1, 4) : roll < 14 ? pick(100, 400) : 0;
        for (int i = 0; i <= skip; ++i)
            sqqh = kGame.next(sqqh, QDate());
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const HistoryRow &a, const HistoryRow &b) { return a.sqqh < b.sqqh; });
    return rows;
}

bool exists(int32_t sqqh)
{
    return IssueOrdinals().ordinal(sqqh).has_value();
}

// The next issue of the series: the next draw, or with 同期号 the same draw of the next day.
int32_t stepOf(int32_t sqqh, int sameDraw)
{
    if (sameDraw == 0)
        return kGame.next(sqqh, QDate());
    return kGame.issueOfDay(kGame.dateOf(sqqh).addDays(1), sameDraw);
}

struct NaiveLine
{
    int draw = -1; // -1: missing
    int32_t first = 0, last = 0;
    int64_t count = 0;
};

void expectAgreement(const std::vector<HistoryRow> &rows, int sameDraw, const TrendWindow &window,
                     StatsOrigin origin, const TrendChart &chart)
{
    SCOPED_TRACE(testing::Message()
                 << "same draw " << sameDraw << ", window kind " << int(window.kind) << " "
                 << window.count << " " << window.first << "-" << window.last << ", origin "
                 << int(origin));
    // The counted draws and every line, missing draws stepped through one by one.
    std::vector<const HistoryRow *> counted;
    std::vector<NaiveLine> lines;
    std::vector<size_t> lineOfDraw;
    int32_t lastExisting = 0;
    for (const HistoryRow &row : rows) {
        if (sameDraw && kGame.sequence(row.sqqh) != sameDraw)
            continue;
        if (exists(row.sqqh)) {
            if (lastExisting) {
                std::vector<int32_t> missing;
                for (int32_t s = stepOf(lastExisting, sameDraw); s < row.sqqh;
                     s = stepOf(s, sameDraw))
                    missing.push_back(s);
                if (missing.size() > 120) {
                    lines.push_back({-1, missing.front(), missing.back(), int64_t(missing.size())});
                } else {
                    for (int32_t s : missing)
                        lines.push_back({-1, s, s, 1});
                }
            }
            lastExisting = row.sqqh;
        }
        lineOfDraw.push_back(lines.size());
        lines.push_back({int(counted.size()), row.sqqh, row.sqqh, 0});
        counted.push_back(&row);
    }
    // The window's draws.
    size_t begin = 0, end = counted.size();
    auto inWindow = [&](int32_t sqqh) {
        switch (window.kind) {
        case TrendWindow::Kind::Day:
            return kGame.dateOf(sqqh) == window.day;
        case TrendWindow::Kind::Issues:
            return sqqh >= std::min(window.first, window.last) &&
                   sqqh <= std::max(window.first, window.last);
        default:
            return true;
        }
    };
    if (window.kind == TrendWindow::Kind::Latest)
        begin = end - std::min<size_t>(end, size_t(window.count));
    while (begin < end && !inWindow(counted[begin]->sqqh))
        ++begin;
    while (end > begin && !inWindow(counted[end - 1]->sqqh))
        --end;
    if (begin == end) {
        EXPECT_TRUE(chart.range().empty());
        EXPECT_EQ(chart.rowCount(), 0u);
        return;
    }
    ASSERT_EQ(chart.range(), (DrawRange{begin, end}));
    const size_t firstLine = lineOfDraw[begin];
    ASSERT_EQ(chart.rowCount(), lineOfDraw[end - 1] + 1 - firstLine);

    const size_t from = origin == StatsOrigin::Carried ? 0 : begin;
    std::vector<TrendRow> shown; // each row formed once: forming one is the chart's real work
    for (size_t i = 0; i < chart.rowCount(); ++i)
        shown.push_back(chart.row(i));
    for (int c = 0; c < kPresenceColumns; ++c) {
        auto shows = [&](size_t d) {
            const Digits &digits = counted[d]->digits();
            if (isSpreadColumn(c))
                return std::find(digits.begin(), digits.end(), digitOf(c)) != digits.end();
            return digits[size_t(positionOf(c))] == digitOf(c);
        };
        int64_t omission = 0, run = 0, maxOmission = 0, maxRun = 0, occurrences = 0, lastSeen = -1;
        std::vector<int64_t> omissionAt(end);
        for (size_t d = from; d < end; ++d) {
            omission = shows(d) ? 0 : omission + 1;
            run = shows(d) ? run + 1 : 0;
            omissionAt[d] = omission;
            if (d >= begin) {
                maxOmission = std::max(maxOmission, omission);
                maxRun = std::max(maxRun, run);
                occurrences += shows(d);
            }
        }
        for (size_t d = 0; d < end; ++d)
            lastSeen = shows(d) ? int64_t(d) : lastSeen;
        const ColumnStats &s = chart.statistics()[size_t(c)];
        const auto n = int64_t(end - begin);
        ASSERT_EQ(s.occurrences, occurrences) << c;
        EXPECT_DOUBLE_EQ(s.expected, double(n) * chanceOf(c)) << c;
        ASSERT_EQ(s.current, omission) << c;
        ASSERT_EQ(s.maxOmission, maxOmission) << c;
        ASSERT_DOUBLE_EQ(s.averageOmission, double(n - occurrences) / double(occurrences + 1)) << c;
        ASSERT_EQ(s.maxRun, maxRun) << c;
        for (size_t i = 0; i < chart.rowCount(); ++i) {
            const NaiveLine &expected = lines[firstLine + i];
            if (expected.draw < 0)
                continue;
            const TrendRow &row = shown[i];
            ASSERT_EQ(row.omission[size_t(c)], omissionAt[size_t(expected.draw)])
                << c << " row " << i;
            ASSERT_EQ(row.layered[size_t(c)], expected.draw > lastSeen) << c << " row " << i;
        }
    }
    int64_t missing = 0;
    for (size_t i = 0; i < chart.rowCount(); ++i) {
        const NaiveLine &expected = lines[firstLine + i];
        const TrendRow &row = shown[i];
        ASSERT_EQ(row.missing, expected.draw < 0) << i;
        ASSERT_EQ(row.issue, expected.first) << i;
        ASSERT_EQ(row.lastIssue, expected.last) << i;
        ASSERT_EQ(row.missingCount, expected.count) << i;
        missing += expected.count;
        if (expected.draw >= 0) {
            ASSERT_EQ(row.digits, counted[size_t(expected.draw)]->digits()) << i;
        }
    }
    EXPECT_EQ(chart.missingInWindow(), missing);
}

std::vector<TrendWindow> windowsFor(std::mt19937 &rng, const std::vector<HistoryRow> &rows)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    const int n = int(rows.size());
    const int32_t a = rows[size_t(pick(0, n - 1))].sqqh;
    const int32_t b = rows[size_t(pick(0, n - 1))].sqqh;
    return {TrendWindow::latest(pick(1, 60)),
            TrendWindow::latest(n + 5),
            TrendWindow::all(),
            TrendWindow::ofDay(kGame.dateOf(a)),
            TrendWindow::ofDay(QDate(2030, 1, 1)),
            TrendWindow::issues(a, b),
            TrendWindow::issues(b + 1, a)};
}

} // namespace

TEST(TrendAgreement, EveryWindowFilterAndOriginAgreesWithTheDefinitions)
{
    std::mt19937 rng(20240610);
    for (int round = 0; round < 12; ++round) {
        const auto rows = randomHistory(rng, std::uniform_int_distribution<int>(1, 700)(rng));
        const int sameDraws[] = {0, std::uniform_int_distribution<int>(1, 120)(rng),
                                 kGame.sequence(rows.back().sqqh)};
        for (int sameDraw : sameDraws) {
            TrendChart chart(rows);
            chart.setSameDraw(sameDraw);
            for (const TrendWindow &window : windowsFor(rng, rows)) {
                for (StatsOrigin origin : {StatsOrigin::WindowStart, StatsOrigin::Carried}) {
                    chart.setWindow(window);
                    chart.setOrigin(origin);
                    expectAgreement(rows, sameDraw, window, origin, chart);
                    if (HasFatalFailure())
                        return;
                }
            }
        }
    }
}

// A chart that follows draws coming and going at the end equals one built afresh, also where
// the end passes the points at which the series keeps the presence of every column.
TEST(TrendAgreement, FollowingTheHistoryEqualsRebuilding)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 6; ++round) {
        const auto all = randomHistory(rng, 700);
        for (int sameDraw : {0, int(kGame.sequence(all[200].sqqh))}) {
            std::vector<HistoryRow> rows(all.begin(), all.begin() + 100);
            TrendChart chart(rows);
            chart.setSameDraw(sameDraw);
            chart.setWindow(TrendWindow::all());
            for (size_t size : {129, 128, 300, 257, 256, 260, 600, 385, 700}) {
                if (size < rows.size()) {
                    rows.resize(size);
                    chart.truncated();
                } else {
                    const size_t from = rows.size();
                    rows.insert(rows.end(), all.begin() + long(from), all.begin() + long(size));
                    chart.appended(from);
                }
                for (StatsOrigin origin : {StatsOrigin::Carried, StatsOrigin::WindowStart}) {
                    chart.setOrigin(origin);
                    expectAgreement(rows, sameDraw, TrendWindow::all(), origin, chart);
                    if (HasFatalFailure())
                        return;
                }
            }
        }
    }
}
