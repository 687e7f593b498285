// Any bytes as a day's results page, read and planned against a stored history.
#include "FuzzCheck.h"
#include "Issue.h"
#include "UpdatePlan.h"

#include <QDate>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>

using namespace quorlent;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // The page's day, and the newest stored draw: none, or one on the days around the page's day
    // (sequences 0 and above 120 included, as a damaged history may hold them).
    const QDate pageDate = QDate(2016, 9, 8).addDays(input.ConsumeIntegralInRange(-400, 4000));
    std::optional<int32_t> newest;
    if (input.ConsumeBool()) {
        const QDate day = pageDate.addDays(input.ConsumeIntegralInRange(-2, 1));
        newest = issue::dayNumberOf(day) * 1000 + input.ConsumeIntegralInRange(0, 125);
    }
    const std::string html = input.ConsumeRemainingBytesAsString();

    const DrawPage page = DrawPage::parse(QByteArrayView(html.data(), qsizetype(html.size())));
    const auto draws = updateplan::drawsToStore(page, pageDate, newest);
    int32_t previous = newest.value_or(0);
    for (const updateplan::PageDraw &draw : draws) {
        FUZZ_CHECK(issue::dayNumber(draw.sqqh) == issue::dayNumberOf(pageDate),
                   "a planned draw lies in the page's day");
        const int sequence = issue::sequence(draw.sqqh);
        FUZZ_CHECK(sequence >= 1 && sequence <= issue::kDrawsPerDay, "sequences are 1-120");
        FUZZ_CHECK(draw.sqqh > previous, "issues increase and are newer than the stored newest");
        previous = draw.sqqh;
        for (const uint8_t digit : draw.digits)
            FUZZ_CHECK(digit <= 9, "every stored digit is 0-9");
    }
    return 0;
}
