#include "HitListModel.h"
#include "SearchResult.h"
#include "TallyModel.h"
#include "TestHistory.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::testing;

namespace {

// Collects what QAbstractItemModelTester complains about.
class ModelWarnings
{
public:
    ModelWarnings()
    {
        s_messages.clear();
        m_previous = qInstallMessageHandler(&collect);
    }
    ~ModelWarnings() { qInstallMessageHandler(m_previous); }
    const QStringList &messages() const { return s_messages; }

private:
    static void collect(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            s_messages << text;
    }
    static inline QStringList s_messages;
    QtMessageHandler m_previous = nullptr;
};

SearchResult sampleResult(const std::vector<HistoryRow> &rows)
{
    SearchRequest request = wholeHistory();
    request.previousDraw = false;
    request.earlierDistance = 2;
    return runFollowSearch(rows, request, TallyOptions{true, 5, Kind::BigSmall, 1});
}

} // namespace

TEST(HitListModelTest, PassesTheModelTesterThroughFillAndClear)
{
    const auto rows = rowsOf(recordsOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 0}, {5, 5, 5, 5, 5}}));
    ModelWarnings warnings;
    HitListModel model;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    model.setResult(rows, sampleResult(rows));
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "20160908003");
    EXPECT_EQ(model.data(model.index(2, 3)).toString(), "1"); // digit 5 is big
    EXPECT_EQ(model.data(model.index(2, 6)).toString(), "12345");
    EXPECT_EQ(model.headerData(6, Qt::Horizontal).toString(), "前期开奖");
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::EditRole).isValid());
    EXPECT_EQ(model.hitAt(1), 1u);

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "期号");
    model.setHits(rows, {0, 2}, HitListLayout{Kind::Number, true, 1});
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(1, 6)).toString(), "67890");
    EXPECT_EQ(model.headerData(6, Qt::Horizontal).toString(), "上期开奖");
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join('\n').toStdString();
}

TEST(HitListModelTest, HalfAMillionHitsAreHeldAsIndexes)
{
    // Each cell is formed on demand from the rows; nothing is built per hit up front.
    const auto rows = rowsOf(recordsOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 0}}));
    std::vector<uint32_t> hits(500'000);
    for (size_t i = 0; i < hits.size(); ++i)
        hits[i] = static_cast<uint32_t>(i % 2);
    HitListModel model;
    model.setHits(rows, std::move(hits), HitListLayout{});
    EXPECT_EQ(model.rowCount(), 500'000);
    EXPECT_EQ(model.data(model.index(499'999, 1)).toString(), "6");
    EXPECT_EQ(model.data(model.index(499'999, 6)).toString(), "12345");
}

TEST(TallyModelTest, PassesTheModelTesterThroughFillAndClear)
{
    const auto rows = rowsOf(recordsOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 0}, {5, 5, 5, 5, 5}}));
    ModelWarnings warnings;
    TallyModel model;
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.setTally(sampleResult(rows).tally);
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), 4);
    const QStringList headers{"序号", "结果", "出现次数", "百分比"};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), headers[c]);
    // Fifteen values: ten big (6..9, 5 5 5 5 5), five small.
    const QStringList first{"1", "大", "10", "66.667%"};
    const QStringList second{"2", "小", "5", "33.333%"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(model.data(model.index(0, c)).toString(), first[c]);
        EXPECT_EQ(model.data(model.index(1, c)).toString(), second[c]);
    }

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(resets.count(), 2);
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join('\n').toStdString();
}
