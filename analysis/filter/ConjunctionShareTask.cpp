#include "ConjunctionShareTask.h"

namespace quorlent::filter {

std::optional<Record> ConjunctionShareTask::run(const std::atomic<bool> *cancel) const
{
    ConjunctionView view;
    view.part = m_part;
    view.draws = m_end - m_begin;
    view.items = m_items;
    view.weights = m_weights;
    view.hasRepeat = m_hasRepeat;
    view.repeatAllowed = m_repeatAllowed;
    view.before = m_before;
    view.firstHasNone = m_firstHasNone;
    for (const Marked &m : m_marked)
        view.marked.push_back({m.allowed, m.start, m.digits});
    const std::optional<int64_t> total = conjunctionTotal(view, cancel);
    if (!total)
        return std::nullopt;
    const auto draws = int64_t(view.draws);
    return Record::of(draws, m_passes, double(*total) / (double(draws) * double(partSize(m_part))));
}

} // namespace quorlent::filter
