#include "DeletionUndo.h"

#include "HistoryStore.h"

namespace quorlent {

DeletionUndo DeletionUndo::before(const HistoryStore &store)
{
    DeletionUndo undo;
    undo.m_path = store.path();
    undo.m_draws.reserve(store.size());
    for (const HistoryRow &row : store.rows())
        undo.m_draws.push_back({row.sqqh, row.digits(), row.date});
    for (const auto &[sqqh, mark] : store.corrections())
        undo.m_marks.push_back(mark);
    return undo;
}

void DeletionUndo::deletionDone(const HistoryStore &store)
{
    const std::vector<HistoryRow> &kept = store.rows();
    bool prefix = store.path() == m_path && kept.size() <= m_draws.size();
    for (size_t i = 0; prefix && i < kept.size(); ++i)
        prefix = kept[i].sqqh == m_draws[i].sqqh && kept[i].digits() == m_draws[i].digits;
    if (!prefix) { // not a deletion of the newest draws: nothing to put back
        *this = {};
        return;
    }
    m_draws.erase(m_draws.begin(), m_draws.begin() + std::ptrdiff_t(kept.size()));
    // The marks of the draws that went; those of the kept draws are still stored.
    std::erase_if(m_marks, [&](const HistoryDb::Correction &mark) {
        return store.correctionOf(mark.sqqh) != nullptr;
    });
    m_revision = store.revision();
    m_done = !m_draws.empty();
}

bool DeletionUndo::available(const HistoryStore &store) const
{
    return m_done && store.isOpen() && store.path() == m_path && store.revision() == m_revision;
}

FileOpResult DeletionUndo::restore(HistoryStore &store, int segmentBase)
{
    if (!available(store))
        return FileOpResult::failure(QStringLiteral("历史号码在删除后已有改动，不能撤销删除。"));
    const std::vector<DatedDraw> draws = std::move(m_draws);
    const std::vector<HistoryDb::Correction> marks = std::move(m_marks);
    *this = {};
    if (!store.mergeDraws(draws, {}, segmentBase, marks))
        return FileOpResult::failure(QStringLiteral("恢复删除的历史号码失败，历史号码未改动。"));
    FileOpResult result;
    result.ok = true;
    result.count = qsizetype(draws.size());
    result.message = QStringLiteral("已恢复删除的 %1 期历史号码，最新一期为 %2。")
                         .arg(draws.size())
                         .arg(store.game().displayForm(draws.back().sqqh));
    return result;
}

} // namespace quorlent
