#include "MissingDrawModel.h"


using namespace quorlent;
using namespace quorlent::trend;

namespace {

// A day number yymmdd of the report.
QDate dateOfDay(int32_t day) { return QDate(2000 + day / 10000, day / 100 % 100, day % 100); }

QString dayText(int32_t day) { return dateOfDay(day).toString(QStringLiteral("yyyy-MM-dd")); }

QString rangeText(const QString &first, const QString &last)
{
    return first == last ? first : QStringLiteral("%1 至 %2").arg(first, last);
}

} // namespace

MissingDrawModel::MissingDrawModel(const MissingDrawReport &report, const Game &game,
                                   QObject *parent)
    : QAbstractTableModel(parent), m_report(report), m_game(game)
{
    const int perDay = game.drawsPerDay();
    for (const auto &run : report.missing) {
        m_entries.push_back({QStringLiteral("缺期"),
                             rangeText(m_game.displayForm(run.first), m_game.displayForm(run.last)),
                             QStringLiteral("缺 %1 期").arg(run.count)});
    }
    for (const auto &days : report.shortDays) {
        m_entries.push_back({QStringLiteral("不足%1期的日").arg(perDay),
                             rangeText(dayText(days.firstDay), dayText(days.lastDay)),
                             days.stored == 0 ? QStringLiteral("没有开奖号码")
                                              : QStringLiteral("只有 %1 期").arg(days.stored)});
    }
    for (const auto &bad : report.impossible) {
        m_entries.push_back({QStringLiteral("不存在的期号"), m_game.displayForm(bad.issue),
                             bad.badSequence ? sequenceRule() : QStringLiteral("日期不存在")});
    }
    for (int32_t sqqh : report.repeated) {
        m_entries.push_back({QStringLiteral("重复期号"), m_game.displayForm(sqqh),
                             QStringLiteral("这一期存储了不止一次")});
    }
}

QString MissingDrawModel::summary() const
{
    if (m_report.oldest == 0 && m_report.impossible.empty())
        return QStringLiteral("没有历史号码。");
    QString text = m_report.oldest == 0 ? QStringLiteral("没有一个期号是存在的：")
                                        : QStringLiteral("从 %1 到 %2：")
                                              .arg(m_game.displayForm(m_report.oldest),
                                                   m_game.displayForm(m_report.newest));
    if (m_game.numbersByYear()) {
        // Only the gaps inside a year's sequences are known: a year's last draw and the pauses
        // are not.
        if (m_report.clean())
            return text + QStringLiteral("每年的期号连续，没有缺期，期号都存在。");
        return text + QStringLiteral("共缺 %1 期（%2 段），%3 个不存在的期号，%4 个重复期号。")
                          .arg(m_report.missingCount)
                          .arg(m_report.missing.size())
                          .arg(m_report.impossible.size())
                          .arg(m_report.repeated.size());
    }
    const int perDay = m_game.drawsPerDay();
    if (m_report.clean())
        return text + QStringLiteral("没有缺期，每天 %1 期齐全，期号都存在。").arg(perDay);
    int days = 0;
    for (const auto &d : m_report.shortDays)
        days += int(dateOfDay(d.firstDay).daysTo(dateOfDay(d.lastDay))) + 1;
    return text + QStringLiteral(
                      "共缺 %1 期（%2 段），%3 天不足 %4 期，%5 个不存在的期号，%6 个重复期号。")
                      .arg(m_report.missingCount)
                      .arg(m_report.missing.size())
                      .arg(days)
                      .arg(perDay)
                      .arg(m_report.impossible.size())
                      .arg(m_report.repeated.size());
}

QString MissingDrawModel::sequenceRule() const
{
    return QStringLiteral("期序号须为 %1 至 %2")
        .arg(1, m_game.sequenceDigits(), 10, QLatin1Char('0'))
        .arg(m_game.lastSequence());
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
