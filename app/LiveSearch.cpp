#include "LiveSearch.h"

void LiveSearch::setEnabled(bool on)
{
    m_enabled = on;
    if (on)
        schedule(); // the results catch up with whatever changed while live results were off
}

void LiveSearch::optionsChanged()
{
    if (m_enabled)
        schedule();
}

void LiveSearch::historyChanged(bool added)
{
    if (m_last == Search::None)
        return;
    if (m_enabled)
        schedule();
    else
        emit stale(added ? staleAfterEntry() : staleAfterChange());
}

void LiveSearch::schedule()
{
    if (m_last == Search::None || m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(this, &LiveSearch::flush, Qt::QueuedConnection);
}

void LiveSearch::flush()
{
    if (!m_pending)
        return;
    m_pending = false;
    if (m_enabled && m_last != Search::None)
        emit rerun(m_last);
}

QString LiveSearch::staleAfterEntry()
{
    return QStringLiteral("结果基于新增开奖之前的历史，按 检索 刷新");
}

QString LiveSearch::staleAfterChange()
{
    return QStringLiteral("结果基于改动之前的历史，按 检索 刷新");
}
