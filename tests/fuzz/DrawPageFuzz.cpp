// Any bytes as a day's results page, read and planned against a stored history, for each of the
// games offered by name.
#include "FuzzCheck.h"
#include "Game.h"
#include "UpdatePlan.h"

#include <QDate>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>

using namespace quorlent;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    static const std::vector<Game> games = Game::presets();
    const Game &game = games[input.ConsumeIntegralInRange<size_t>(0, games.size() - 1)];
    // The page's day, and the newest stored draw: none, or one on the days around the page's day
    // (sequences 0 and beyond the schedule included, as a damaged history may hold them).
    const QDate pageDate = QDate(2016, 9, 8).addDays(input.ConsumeIntegralInRange(-400, 4000));
    std::optional<int32_t> newest;
    int32_t newestDate = 0;
    if (input.ConsumeBool()) {
        const QDate day = pageDate.addDays(input.ConsumeIntegralInRange(-2, 1));
        const int sequence = input.ConsumeIntegralInRange(0, game.lastSequence() + 5);
        newest = game.numbersByYear() ? game.issueOfYear(day.year(), sequence)
                                      : game.issueOfDay(day, sequence);
        newestDate = input.ConsumeBool() ? Game::dateNumber(day) : 0;
    }
    const std::string html = input.ConsumeRemainingBytesAsString();

    const DrawPage page = DrawPage::parse(QByteArrayView(html.data(), qsizetype(html.size())));
    int misfits = 0;
    const auto draws =
        updateplan::drawsToStore(page, pageDate, newest, game, &misfits, newestDate);
    FUZZ_CHECK(misfits >= 0, "misfit rows are counted, never negative");
    if (game.numbersByYear())
        FUZZ_CHECK(draws.size() <= size_t(game.drawsPerDay()), "at most a day's draws a page");
    int32_t previous = newest.value_or(0);
    for (const updateplan::PageDraw &draw : draws) {
        if (!game.numbersByYear())
            FUZZ_CHECK(game.dateOf(draw.sqqh) == pageDate, "a planned draw lies in the page's day");
        FUZZ_CHECK(game.exists(draw.sqqh), "every planned issue is one the game can have");
        FUZZ_CHECK(draw.sqqh > previous, "issues increase and are newer than the stored newest");
        previous = draw.sqqh;
        for (const uint8_t digit : draw.digits)
            FUZZ_CHECK(digit <= 9, "every stored digit is 0-9");
    }
    return 0;
}
