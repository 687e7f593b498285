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
    if (last)
        m_last = *last;
    if (last && beforeLast)
        m_beforeLast = *beforeLast;
}

DrawRecord DrawRun::append(int32_t sqqh, const Digits &digits, int segmentBase)
{
    DrawRecord record;
    record.sqqh = sqqh;
    record.own = DrawCodes::fromDigits(digits, segmentBase);
    if (m_last) {
        record.previous = *m_last;
        record.previousTexts = DrawTexts::describe(*m_last);
    }
    if (m_beforeLast) {
        record.earlier = *m_beforeLast;
        if (m_fillEarlierTexts)
            record.earlierTexts = DrawTexts::describe(*m_beforeLast);
    }
    m_beforeLast = m_last;
    m_last = record.own;
    return record;
}

} // namespace quorlent
