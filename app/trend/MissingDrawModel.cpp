#include "MissingDrawModel.h"

#include "Issue.h"

using namespace quorlent;
using namespace quorlent::trend;

namespace {

QString dayText(int32_t day)
{
    const QDate date = issue::dateOf(day * 1000 + 1);
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString rangeText(const QString &first, const QString &last)
{
    return first == last ? first : QStringLiteral("%1 至 %2").arg(first, last);
}

} // namespace

MissingDrawModel::MissingDrawModel(const MissingDrawReport &report, QObject *parent)
    : QAbstractTableModel(parent), m_report(report)
{
    for (const auto &run : report.missing) {
        m_entries.push_back({QStringLiteral("缺期"),
                             rangeText(issue::displayForm(run.first), issue::displayForm(run.last)),
                             QStringLiteral("缺 %1 期").arg(run.count)});
    }
    for (const auto &days : report.shortDays) {
        m_entries.push_back({QStringLiteral("不足%1期的日").arg(issue::kDrawsPerDay),
                             rangeText(dayText(days.firstDay), dayText(days.lastDay)),
                             days.stored == 0 ? QStringLiteral("没有开奖号码")
                                              : QStringLiteral("只有 %1 期").arg(days.stored)});
    }
    for (const auto &bad : report.impossible) {
        m_entries.push_back({QStringLiteral("不存在的期号"), issue::displayForm(bad.issue),
                             bad.badSequence
                                 ? QStringLiteral("期序号须为 001 至 %1").arg(issue::kDrawsPerDay)
                                 : QStringLiteral("日期不存在")});
    }
    for (int32_t sqqh : report.repeated) {
        m_entries.push_back({QStringLiteral("重复期号"), issue::displayForm(sqqh),
                             QStringLiteral("这一期存储了不止一次")});
    }
}

QString MissingDrawModel::summary() const
{
    if (m_report.oldest == 0 && m_report.impossible.empty())
        return QStringLiteral("没有历史号码。");
    QString text = m_report.oldest == 0 ? QStringLiteral("没有一个期号是存在的：")
                                        : QStringLiteral("从 %1 到 %2：")
                                              .arg(issue::displayForm(m_report.oldest),
                                                   issue::displayForm(m_report.newest));
    if (m_report.clean())
        return text +
               QStringLiteral("没有缺期，每天 %1 期齐全，期号都存在。").arg(issue::kDrawsPerDay);
    int days = 0;
    for (const auto &d : m_report.shortDays)
        days +=
            int(issue::dateOf(d.firstDay * 1000 + 1).daysTo(issue::dateOf(d.lastDay * 1000 + 1))) +
            1;
    return text + QStringLiteral(
                      "共缺 %1 期（%2 段），%3 天不足 %4 期，%5 个不存在的期号，%6 个重复期号。")
                      .arg(m_report.missingCount)
                      .arg(m_report.missing.size())
                      .arg(days)
                      .arg(issue::kDrawsPerDay)
                      .arg(m_report.impossible.size())
                      .arg(m_report.repeated.size());
}

int MissingDrawModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int MissingDrawModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MissingDrawModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Entry &e = m_entries[size_t(index.row())];
    switch (index.column()) {
    case Category:
        return e.category;
    case Where:
        return e.where;
    default:
        return e.detail;
    }
}

QVariant MissingDrawModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString captions[ColumnCount] = {
        QStringLiteral("类别"), QStringLiteral("期号或日期"), QStringLiteral("说明")};
    return captions[section];
}
