#include "TrendChartModel.h"

#include "HistoryStore.h"

using namespace quorlent;
using namespace quorlent::trend;

namespace {

const QString kPositionNames[kPositions] = {QStringLiteral("万位"), QStringLiteral("千位"),
                                            QStringLiteral("百位"), QStringLiteral("十位"),
                                            QStringLiteral("个位")};

} // namespace

TrendChartModel::TrendChartModel(const HistoryStore &store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store), m_chart(store.rows(), store.game())
{
    m_rowCount = int(m_chart.rowCount());
    followStore();
}

void TrendChartModel::followStore()
{
    connect(&m_store, &HistoryStore::aboutToAppend, this,
            [this](int first, int) { m_pendingFrom = size_t(first); });
    connect(&m_store, &HistoryStore::appended, this,
            [this] { change([this] { m_chart.appended(m_pendingFrom); }, true); });
    connect(&m_store, &HistoryStore::removed, this,
            [this] { change([this] { m_chart.truncated(); }, true); });
    // A new history may be of another game, which reads its issues otherwise.
    connect(&m_store, &HistoryStore::resetDone, this, [this] {
        change([this] {
            if (m_chart.game() != m_store.game())
                m_chart.setGame(m_store.game());
            else
                m_chart.rebuild();
        }, false);
    });
    // A corrected draw changes every omission after it.
    connect(&m_store, &HistoryStore::rowsCorrected, this,
            [this] { change([this] { m_chart.rebuild(); }, false); });
    connect(&m_store, &HistoryStore::gameChanged, this,
            [this] { change([this] { m_chart.setGame(m_store.game()); }, false); });
}

// Applies a change to the chart and tells the views. When the window keeps its first line and
// the lines it had are unchanged (draws came or went at the end), rows are inserted or removed
// at the end; otherwise the model is reset.
template <typename Change> void TrendChartModel::change(Change &&apply, bool linesKept)
{
    const size_t firstBefore = m_chart.firstLine();
    const bool hadRows = m_rowCount > 0;
    apply();
    const int count = int(m_chart.rowCount());
    if (linesKept && hadRows && m_chart.firstLine() == firstBefore && count > 0) {
        if (count > m_rowCount) {
            beginInsertRows({}, m_rowCount, count - 1);
            m_rowCount = count;
            endInsertRows();
        } else if (count < m_rowCount) {
            beginRemoveRows({}, count, m_rowCount - 1);
            m_rowCount = count;
            endRemoveRows();
        }
        // The current runs of absence end elsewhere now.
        emit dataChanged(index(0, FirstPresence), index(count - 1, Sum - 1));
    } else {
        beginResetModel();
        m_rowCount = count;
        endResetModel();
    }
    emit chartChanged();
}

void TrendChartModel::setWindow(const TrendWindow &window)
{
    change([&] { m_chart.setWindow(window); }, false);
}

void TrendChartModel::setSameDraw(int sameDraw)
{
    change([&] { m_chart.setSameDraw(sameDraw); }, false);
}

void TrendChartModel::setOrigin(StatsOrigin origin)
{
    // The same lines with other counts.
    change([&] { m_chart.setOrigin(origin); }, true);
}

void TrendChartModel::setShowOmission(bool on)
{
    m_showOmission = on;
    if (m_rowCount > 0)
        emit dataChanged(index(0, FirstPresence), index(m_rowCount - 1, Sum - 1));
    emit displayChanged();
}

void TrendChartModel::setShowLayers(bool on)
{
    m_showLayers = on;
    emit displayChanged();
}

void TrendChartModel::setShowLines(bool on)
{
    m_showLines = on;
    emit displayChanged();
}

const TrendRow &TrendChartModel::line(int row) const
{
    if (row != m_cachedRow || m_cachedRevision != m_chart.revision()) {
        m_cached = m_chart.row(size_t(row));
        m_cachedRow = row;
        m_cachedRevision = m_chart.revision();
    }
    return m_cached;
}

int TrendChartModel::presenceOf(int column)
{
    return column >= FirstPresence && column < Sum ? column - FirstPresence : -1;
}

const std::vector<TrendChartModel::Group> &TrendChartModel::groups()
{
    static const std::vector<Group> all = [] {
        std::vector<Group> g;
        for (int p = 0; p < kPositions; ++p) {
            const int first = columnOfPresence(positionColumn(p, 0));
            g.push_back({first, first + kDigitValues - 1, kPositionNames[p]});
        }
        const int spread = columnOfPresence(spreadColumn(0));
        g.push_back({spread, spread + kDigitValues - 1, QStringLiteral("号码分布")});
        g.push_back({ShapeFront, ShapeBack, QStringLiteral("形态")});
        return g;
    }();
    return all;
}

const TrendChartModel::Group *TrendChartModel::groupOf(int column)
{
    for (const Group &g : groups()) {
        if (column >= g.first && column <= g.last)
            return &g;
    }
    return nullptr;
}

int TrendChartModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TrendChartModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

Qt::ItemFlags TrendChartModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString TrendChartModel::text(int row, int column) const
{
    const TrendRow &r = line(row);
    if (column == Issue)
        return m_chart.game().displayForm(r.issue);
    if (r.missing) {
        if (column != Draw)
            return {};
        return r.missingCount == 1 ? QStringLiteral("缺")
                                   : QStringLiteral("缺%1期").arg(r.missingCount);
    }
    const int presence = presenceOf(column);
    if (presence >= 0) {
        const int64_t omission = r.omission[size_t(presence)];
        if (omission == 0)
            return QString::number(digitOf(presence));
        return m_showOmission ? QString::number(omission) : QString();
    }
    const DrawFeatures &f = r.features;
    switch (column) {
    case Draw: {
        QString digits;
        for (uint8_t d : r.digits)
            digits += QChar(u'0' + d);
        return digits;
    }
    case Sum:
        return QString::number(f.sum);
    case Span:
        return QString::number(f.span);
    case BigSmall:
        return f.bigSmallText();
    case OddEven:
        return f.oddEvenText();
    case ShapeFront:
    case ShapeMiddle:
    case ShapeBack:
        return shapeName(f.shapes[size_t(column - ShapeFront)]);
    default:
        return {};
    }
}

QVariant TrendChartModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowCount)
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ToolTipRole: {
        const TrendRow &r = line(index.row());
        if (r.missing) {
            if (r.missingCount == 1)
                return QStringLiteral("第 %1 期没有开奖号码（缺期），遗漏不计这一期")
                    .arg(m_chart.game().displayForm(r.issue));
            return QStringLiteral("缺 %1 至 %2，共 %3 期；遗漏不计这些期")
                .arg(m_chart.game().displayForm(r.issue), m_chart.game().displayForm(r.lastIssue))
                .arg(r.missingCount);
        }
        if (column == Issue && !r.issueExists)
            return QStringLiteral("这个期号不可能存在（%1）").arg(m_chart.game().whyNotExists(r.issue));
        const int presence = presenceOf(column);
        if (presence < 0)
            return {};
        const Group *g = groupOf(column);
        const int64_t omission = r.omission[size_t(presence)];
        const int digit = digitOf(presence);
        if (omission != 0)
            return QStringLiteral("%1 %2：遗漏 %3 期").arg(g->caption).arg(digit).arg(omission);
        if (isSpreadColumn(presence))
            return QStringLiteral("号码 %1 开出 %2 次")
                .arg(digit)
                .arg(r.features.counts[size_t(digit)]);
        return QStringLiteral("%1 开出 %2").arg(g->caption).arg(digit);
    }
    default:
        return {};
    }
}

QVariant TrendChartModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const int presence = presenceOf(section);
    if (presence >= 0) {
        const QString digit = QString::number(digitOf(presence));
        return role == Qt::DisplayRole ? digit
                                       : groupOf(section)->caption + QLatin1Char(' ') + digit;
    }
    static const QString captions[] = {QStringLiteral("和值"),   QStringLiteral("跨度"),
                                       QStringLiteral("大小比"), QStringLiteral("单双比"),
                                       QStringLiteral("前三"),   QStringLiteral("中三"),
                                       QStringLiteral("后三")};
    static const QString tips[] = {
        QStringLiteral("五位数字之和"),
        QStringLiteral("最大数字减最小数字"),
        QStringLiteral("大（5-9）的个数 : 小（0-4）的个数"),
        QStringLiteral("单（奇数）的个数 : 双（偶数）的个数"),
        QStringLiteral(
            "万千百三位的形态：豹子（三个相同）、组三（恰有两个相同）、组六（各不相同）"),
        QStringLiteral("千百十三位的形态：豹子、组三、组六"),
        QStringLiteral("百十个三位的形态：豹子、组三、组六")};
    if (section == Issue)
        return QStringLiteral("期号");
    if (section == Draw)
        return QStringLiteral("开奖号码");
    return role == Qt::DisplayRole ? captions[section - Sum] : tips[section - Sum];
}
