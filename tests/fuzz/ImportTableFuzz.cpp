// Any bytes as a file to import: detected, read with the layout and game found, read again with
// the layout and one of the presets (the input's first byte chooses), and merged into a history
// made of part of what was read.
#include "FuzzCheck.h"
#include "MergePlan.h"
#include "TableImport.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

using namespace quorlent;
using namespace quorlent::import;

namespace {

void checkRead(const ReadResult &read, const Game &game)
{
    FUZZ_CHECK(read.game == game, "the read is of the game asked for");
    FUZZ_CHECK(read.draws.size() == read.drawLines.size(), "every draw has its line");
    FUZZ_CHECK(qsizetype(read.draws.size() + read.refused.size()) + read.skippedLines == read.lines,
               "every line is stored, refused or skipped");
    FUZZ_CHECK(read.firstRows.size() <= size_t(ReadResult::kFirstRows), "first rows are few");
    std::vector<bool> taken(static_cast<size_t>(read.lines) + 1, false);
    const auto takeLine = [&](qsizetype line) {
        FUZZ_CHECK(line >= 1 && line <= read.lines, "a row's line is in the file");
        FUZZ_CHECK(!taken[static_cast<size_t>(line)], "no line is both stored and refused");
        taken[static_cast<size_t>(line)] = true;
    };
    for (size_t i = 0; i < read.draws.size(); ++i) {
        const HistoryLine &draw = read.draws[i];
        for (const uint8_t digit : draw.digits)
            FUZZ_CHECK(digit <= 9, "every stored digit is 0-9");
        FUZZ_CHECK(game.exists(draw.sqqh), "every stored issue exists in the game");
        FUZZ_CHECK(i == 0 || draw.sqqh > read.draws[i - 1].sqqh, "stored issues strictly increase");
        FUZZ_CHECK(draw.date == 0 ||
                       (game.numbersByYear() && Game::dateOfNumber(draw.date).isValid()),
                   "a date is kept only where the game numbers by year, and is a real day");
        takeLine(read.drawLines[i]);
    }
    for (const RefusedRow &row : read.refused) {
        FUZZ_CHECK(!row.reason.isEmpty(), "every refused row says why");
        takeLine(row.line);
    }
}

void checkMerge(const ReadResult &read)
{
    // The history holds every other draw, one in four of them with another first digit.
    std::vector<HistoryRow> stored;
    size_t changed = 0;
    for (size_t i = 0; i < read.draws.size(); i += 2) {
        Digits digits = read.draws[i].digits;
        if (i % 4 == 0) {
            digits[0] = static_cast<uint8_t>((digits[0] + 1) % 10);
            ++changed;
        }
        HistoryRow row;
        row.sqqh = read.draws[i].sqqh;
        row.own = DrawCodes::fromDigits(digits, 1);
        stored.push_back(row);
    }
    const MergePlan plan = MergePlan::of(stored, read.draws, read.drawLines);
    FUZZ_CHECK(plan.conflicts.size() == changed, "a stored draw with other digits is a conflict");
    FUZZ_CHECK(plan.sameIssues.size() == stored.size() - changed, "the rest stored are the same");
    FUZZ_CHECK(plan.newDraws.size() == read.draws.size() - stored.size(), "the others are new");
    FUZZ_CHECK(plan.newDraws.size() == plan.newDrawLines.size(), "every new draw has its line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ImportScan seen = TableImport::scan(bytes);
    FUZZ_CHECK(seen.ok() == !seen.read.draws.empty(), "a table is a file with draws");
    FUZZ_CHECK(seen.ok() || !seen.message.isEmpty(), "a refused file says why");
    if (!seen.source)
        return 0;
    checkRead(seen.read, seen.read.game);
    checkMerge(seen.read);

    const std::vector<Game> presets = Game::presets();
    const Game preset = presets[size > 0 ? data[0] % presets.size() : 0];
    TableImport::choose(seen, seen.layout, preset);
    checkRead(seen.read, preset);
    return 0;
}
