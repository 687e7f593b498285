#include "DrawRecord.h"

namespace quorlent {

DrawTexts DrawTexts::describe(const DrawCodes &codes)
{
    DrawTexts texts;
    texts.digits = digitText(codes.digits());
    for (Kind kind : kAllKinds)
        texts.tokens[static_cast<int>(kind)] = occurrenceTokens(codes[kind]);
    return texts;
}

DrawRun::DrawRun(const DrawCodes *beforeLast, const DrawCodes *last)
{
    if (last) {
        m_last = *last;
        m_lastTexts = DrawTexts::describe(*last);
    }
    if (last && beforeLast) {
        m_beforeLast = *beforeLast;
        m_beforeLastTexts = DrawTexts::describe(*beforeLast);
    }
}

DrawRecord DrawRun::append(int32_t sqqh, const Digits &digits, int segmentBase)
{
    DrawRecord record;
    record.sqqh = sqqh;
    record.own = DrawCodes::fromDigits(digits, segmentBase);
    if (m_last) {
        record.previous = *m_last;
        record.previousTexts = m_lastTexts;
    }
    if (m_beforeLast) {
        record.earlier = *m_beforeLast;
        if (m_fillEarlierTexts)
            record.earlierTexts = m_beforeLastTexts;
    }
    m_beforeLast = m_last;
    m_beforeLastTexts = std::move(m_lastTexts);
    m_last = record.own;
    m_lastTexts = DrawTexts::describe(record.own);
    return record;
}

} // namespace quorlent
