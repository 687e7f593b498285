// The 缩水 window's models without the window: what each row says, which rows a change draws
// again, and how the remaining numbers are laid out.
#include "FilterConditionModel.h"
#include "FilterRecordModel.h"
#include "RemainingNumbersModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace quorlent;
using namespace quorlent::filter;

namespace {

Condition of(ConditionKind kind, const char *values = "")
{
    Condition c;
    c.kind = kind;
    c.values = QString::fromUtf8(values);
    return c;
}

std::string text(const QVariant &v)
{
    return v.toString().toStdString();
}

HistoryRow draw(Digits digits)
{
    HistoryRow row;
    row.own = DrawCodes::fromDigits(digits, 1);
    return row;
}

// The rows of dataChanged() signals caught, one entry per signal.
std::vector<std::pair<int, int>> rowsOf(const QSignalSpy &spy)
{
    std::vector<std::pair<int, int>> rows;
    for (const QList<QVariant> &signal : spy)
        rows.push_back({signal[0].toModelIndex().row(), signal[1].toModelIndex().row()});
    return rows;
}

} // namespace

TEST(FilterModels, ParametersAndTitlesNameThePartsPositions)
{
    Condition position = of(ConditionKind::Position);
    position.positions.fill(DigitSet::all());
    EXPECT_EQ(FilterConditionModel::parameters(position, FilterPart::BackThree), "各位不限");
    position.positions[0] = {1, 2};
    position.positions[1] = {};
    EXPECT_EQ(FilterConditionModel::parameters(position, FilterPart::BackThree),
              "百位 12，十位 （无）");
    // Positions past the part's are not read.
    position.positions = {DigitSet::all(), DigitSet::all(), DigitSet{}, DigitSet{}, DigitSet{}};
    EXPECT_EQ(FilterConditionModel::parameters(position, FilterPart::FrontTwo), "各位不限");

    Condition kill = of(ConditionKind::Kill);
    kill.digits = {7, 0};
    kill.position = 2;
    EXPECT_EQ(FilterConditionModel::parameters(kill, FilterPart::MiddleThree), "0 7（百位）");
    EXPECT_EQ(FilterConditionModel::title(kill, FilterPart::MiddleThree), "杀号（百位）");
    EXPECT_EQ(FilterConditionModel::title(kill, FilterPart::BackTwo), "杀号（个位）");
    kill.position = 0;
    kill.digits = {};
    EXPECT_EQ(FilterConditionModel::parameters(kill, FilterPart::Five), "未选（整个号码）");

    Condition bankers = of(ConditionKind::Bankers);
    bankers.digits = {8, 3};
    bankers.count = 2;
    bankers.rule = BankerRule::Exactly;
    EXPECT_EQ(FilterConditionModel::parameters(bankers, FilterPart::Five), "恰好 2 个：3 8");

    Condition cold = of(ConditionKind::Cold, " 1-2 ");
    cold.threshold = 12;
    cold.atPositions = false;
    EXPECT_EQ(FilterConditionModel::parameters(cold, FilterPart::Five),
              "遗漏≥12，整个号码，个数 1-2");
    EXPECT_EQ(FilterConditionModel::title(cold, FilterPart::Five), "冷号（遗漏≥12）");
    Condition hot = of(ConditionKind::Hot);
    hot.threshold = 3;
    EXPECT_EQ(FilterConditionModel::parameters(hot, FilterPart::Five),
              "遗漏≤3，按位，个数 （未填写）");

    Condition shape = of(ConditionKind::Shape);
    shape.shapes = shapeBit(Shape::Leopard) | shapeBit(Shape::Six);
    EXPECT_EQ(FilterConditionModel::parameters(shape, FilterPart::FrontThree), "组六 豹子");
    EXPECT_EQ(FilterConditionModel::parameters(of(ConditionKind::Mod3, "2:2:1"), FilterPart::Five),
              "2:2:1");
}

TEST(FilterModels, ConditionRowsShowTheEnginesResults)
{
    FilterConditionModel model;
    QAbstractItemModelTester rules(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Condition off = of(ConditionKind::Span, "0");
    off.enabled = false;
    model.setSet({FilterPart::FrontTwo,
                  Selection::Direct,
                  {of(ConditionKind::Sum, "0-3"), of(ConditionKind::Sum, "20-10"), off}});
    const std::vector<HistoryRow> rows;
    FilterEngine engine(rows);
    engine.setConditions(model.set());
    model.setResults(engine.errors(), engine.counts());

    auto cell = [&](int row, int column, int role = Qt::DisplayRole) {
        return model.index(row, column).data(role);
    };
    EXPECT_EQ(text(cell(0, FilterConditionModel::Kept)), "10.00%");
    EXPECT_EQ(text(cell(0, FilterConditionModel::Kept, Qt::ToolTipRole)), "单独使用时保留 10 注");
    EXPECT_EQ(text(cell(0, FilterConditionModel::Message)), "");
    EXPECT_EQ(text(cell(1, FilterConditionModel::Kept)), "—");
    EXPECT_EQ(text(cell(1, FilterConditionModel::Message)), "和值范围 20-10 上下颠倒");
    EXPECT_EQ(cell(1, FilterConditionModel::Message, FilterConditionModel::RowStateRole).toInt(),
              FilterConditionModel::Alert);
    EXPECT_EQ(text(cell(2, FilterConditionModel::Message)), "未启用");
    EXPECT_EQ(cell(2, FilterConditionModel::Kind, FilterConditionModel::RowStateRole).toInt(),
              FilterConditionModel::Off);
    EXPECT_EQ(cell(2, FilterConditionModel::Enabled, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toInt(), 2); // rows numbered as messages name them

    // The check switches the row on, and says so once; the same value again is no change.
    QSignalSpy changed(&model, &FilterConditionModel::setChanged);
    EXPECT_TRUE(model.setData(model.index(2, FilterConditionModel::Enabled), Qt::Checked,
                              Qt::CheckStateRole));
    EXPECT_TRUE(model.condition(2).enabled);
    model.setCondition(2, model.condition(2));
    EXPECT_EQ(changed.count(), 1);
    // Only the check is edited in the grid.
    EXPECT_FALSE(model.setData(model.index(0, FilterConditionModel::Parameters), "x"));
    model.removeCondition(1);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(text(cell(1, FilterConditionModel::Message)),
              ""); // the 跨度 row's, not the removed one's
    EXPECT_EQ(changed.count(), 2);
}

TEST(FilterModels, OnlyRowsWhoseFiguresChangedAreDrawnAgain)
{
    // 前二 of twelve draws; 重号 reads the draw before, so its record stays as 和值 changes.
    std::vector<HistoryRow> rows;
    for (int i = 0; i < 12; ++i)
        rows.push_back(draw({uint8_t(i % 10), uint8_t(i * 7 % 10), 0, 0, 0}));
    FilterEngine engine(rows);
    ConditionSet set{FilterPart::FrontTwo,
                     Selection::Direct,
                     {of(ConditionKind::Repeat, "0"), of(ConditionKind::Sum, "0-9")}};
    FilterConditionModel conditions;
    FilterRecordModel records;
    QAbstractItemModelTester rules(&records, QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto apply = [&] {
        conditions.setSet(set);
        engine.setConditions(set);
        conditions.setResults(engine.errors(), engine.counts());
        records.setRecords(set, engine.errors(), engine.records(RecordWindow::All));
    };
    apply();
    EXPECT_EQ(records.rowCount(), 3);
    EXPECT_EQ(records.text(FilterRecordModel::togetherRow(), FilterRecordModel::Condition),
              "全部条件");
    EXPECT_EQ(records.text(FilterRecordModel::rowOf(1), FilterRecordModel::Condition), "2 和值");

    QSignalSpy conditionRows(&conditions, &QAbstractItemModel::dataChanged);
    QSignalSpy recordRows(&records, &QAbstractItemModel::dataChanged);
    set.conditions[1].values = "0-4";
    engine.setConditions(set);
    conditions.setResults(engine.errors(), engine.counts());
    records.setRecords(set, engine.errors(), engine.records(RecordWindow::All));
    EXPECT_EQ(rowsOf(conditionRows), (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(rowsOf(recordRows),
              (std::vector<std::pair<int, int>>{
                  {FilterRecordModel::rowOf(1), FilterRecordModel::rowOf(1)}, {0, 0}}));
    // A record still being worked out shows its draws and passes, and waits for the rest.
    RecordTable table = engine.records(RecordWindow::All);
    table.together = Record::pendingOf(12, 3);
    records.setRecords(set, engine.errors(), table);
    EXPECT_EQ(records.text(0, FilterRecordModel::Passes), "3");
    for (int column : {FilterRecordModel::KeptShare, FilterRecordModel::Ratio,
                       FilterRecordModel::PValue, FilterRecordModel::Verdict})
        EXPECT_EQ(records.text(0, column), FilterRecordModel::kPending) << column;
    // Without a condition switched on, the together row says so rather than judge all draws.
    for (Condition &c : set.conditions)
        c.enabled = false;
    apply();
    EXPECT_EQ(records.text(0, FilterRecordModel::Verdict), "没有启用的条件");
}

TEST(FilterModels, RemainingNumbersRowByRow)
{
    RemainingNumbersModel model(2);
    QAbstractItemModelTester rules(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setNumbers({7, 123, 99999}, 5);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(text(model.index(0, 0).data()), "00007");
    EXPECT_EQ(text(model.index(0, 1).data()), "00123");
    EXPECT_EQ(text(model.index(1, 0).data()), "99999");
    EXPECT_FALSE(model.index(1, 1).data().isValid());
    model.setColumns(1);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(text(model.headerData(0, Qt::Horizontal)), "号码");
    model.setHeader(QStringLiteral("组选号码"));
    EXPECT_EQ(text(model.headerData(0, Qt::Horizontal)), "组选号码");
    model.setNumbers({5}, 2);
    EXPECT_EQ(text(model.index(0, 0).data()), "05");
    model.setNumbers({}, 3);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(FilterModels, RecordsSayBelowChanceAndWhatManyTestsDo)
{
    // 冷号 twice, told apart by where omissions count and the counts allowed.
    Condition atPositions = of(ConditionKind::Cold, "0-1");
    Condition whole = of(ConditionKind::Cold, "2");
    whole.atPositions = false;
    ConditionSet set{FilterPart::Five, Selection::Direct, {atPositions, whole}};
    RecordTable table;
    table.together = Record::of(100, 50, 0.5);
    table.conditions = {Record::of(100, 30, 0.5), Record::of(100, 50, 0.5)};
    FilterRecordModel records;
    records.setRecords(set, {QString(), QString()}, table);
    EXPECT_EQ(records.text(FilterRecordModel::rowOf(0), FilterRecordModel::Condition),
              "1 冷号（遗漏≥10，按位，0-1 个）");
    EXPECT_EQ(records.text(FilterRecordModel::rowOf(1), FilterRecordModel::Condition),
              "2 冷号（遗漏≥10，整个号码，2 个）");

    // 30 passes where chance gives 50: below, and said so; the row as often as chance is not.
    const QModelIndex below = records.index(FilterRecordModel::rowOf(0), FilterRecordModel::Verdict);
    EXPECT_EQ(below.data().toString(), "少于随机：显著偏离随机（p < 0.001）");
    EXPECT_EQ(records.text(FilterRecordModel::rowOf(1), FilterRecordModel::Verdict),
              "与随机无显著差异");
    // Three rows over four windows: twelve tests, 0.6 of them significant by chance alone.
    const QString note = below.data(Qt::ToolTipRole).toString();
    EXPECT_TRUE(note.contains("12 项检验") && note.contains("约有 0.6 项")) << note.toStdString();
    EXPECT_EQ(records.chanceNote(), note);

    // Above chance keeps its words; nothing significant, no note.
    table.conditions[0] = Record::of(100, 70, 0.5);
    records.setRecords(set, {QString(), QString()}, table);
    EXPECT_EQ(records.text(FilterRecordModel::rowOf(0), FilterRecordModel::Verdict),
              "显著偏离随机（p < 0.001）");
    table.conditions[0] = Record::of(100, 50, 0.5);
    records.setRecords(set, {QString(), QString()}, table);
    EXPECT_TRUE(records.chanceNote().isEmpty());
}
