#include "AppFixture.h"

#include <QPushButton>
#include <QStatusBar>

using namespace quorlent;

class SearchTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        storeDraws({{160908001, {1, 2, 3, 4, 5}},
                    {160908002, {7, 0, 0, 0, 0}},
                    {160908003, {1, 2, 3, 4, 5}},
                    {160908004, {2, 0, 0, 0, 0}},
                    {160908005, {1, 2, 3, 4, 5}}});
        open();
    }
    QAbstractItemModel *hits() { return find<QTableView>("MSFlexGrid2")->model(); }
    QAbstractItemModel *tally() { return find<QTableView>("MSFlexGrid3")->model(); }
    QStringList tallyRow(int row)
    {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << tally()->index(row, c).data().toString();
        return cells;
    }
    std::vector<std::pair<int, int>> carcu()
    {
        auto db = HistoryDb::openOrCreate(dbPath()).db;
        Statement stmt = db->sql().prepare("SELECT Nmb, Count FROM Carcu ORDER BY rowid");
        std::vector<std::pair<int, int>> rows;
        while (stmt.step() == SQLITE_ROW)
            rows.push_back({int(stmt.columnInt(0)), int(stmt.columnInt(1))});
        return rows;
    }
};

TEST_F(SearchTest, FollowSearchFillsBothGridsAndTheTally)
{
    find<QCheckBox>("Check1(1)")->setChecked(true); // reference value 1 at position 1
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy pointer is restored";

    ASSERT_EQ(hits()->rowCount(), 2);
    EXPECT_EQ(hits()->headerData(6, Qt::Horizontal), "上期开奖");
    EXPECT_EQ(hits()->index(0, 0).data(), "20160908002");
    EXPECT_EQ(hits()->index(0, 1).data(), "7");
    EXPECT_EQ(hits()->index(0, 6).data(), "12345");
    EXPECT_EQ(hits()->index(1, 0).data(), "20160908004");

    ASSERT_EQ(tally()->rowCount(), 10);
    EXPECT_EQ(tally()->headerData(3, Qt::Horizontal), "百分比");
    EXPECT_EQ(tallyRow(0), QStringList({"1", "2", "1", "50.000%"}));
    EXPECT_EQ(tallyRow(1), QStringList({"2", "7", "1", "50.000%"}));
    EXPECT_EQ(tallyRow(2), QStringList({"3", "0", "0", "0.000%"}));
    const auto stored = carcu();
    ASSERT_EQ(stored.size(), 10u);
    EXPECT_EQ(stored[7], std::make_pair(7, 1));
    EXPECT_EQ(stored[0], std::make_pair(0, 0));
}

TEST_F(SearchTest, ResultOptionsChangeTheTallyAndLabels)
{
    find<QCheckBox>("Check1(1)")->setChecked(true);
    option("Option4(1)")->click(); // 大小
    find<QPushButton>("Command1")->click();
    ASSERT_EQ(tally()->rowCount(), 2);
    EXPECT_EQ(tallyRow(0), QStringList({"1", "小", "1", "50.000%"}));
    EXPECT_EQ(tallyRow(1), QStringList({"2", "大", "1", "50.000%"}));
    EXPECT_EQ(hits()->index(0, 1).data(), "1") << "codes, not labels, in the hit list";

    option("Option2(5)")->click(); // 组选 over positions 1..3
    option("Option5(3)")->click();
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(tallyRow(0), QStringList({"1", "小", "5", "83.333%"}));
}

TEST_F(SearchTest, AnUnreadableRangeLeavesNoStaleValues)
{
    find<QPushButton>("Command1")->click(); // no position: every row of the range
    EXPECT_EQ(hits()->rowCount(), 4);
    box("Text3(0)")->setText("起始");
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(hits()->rowCount(), 0);
    for (int r = 0; r < tally()->rowCount(); ++r) {
        EXPECT_EQ(tally()->index(r, 2).data(), "0");
        EXPECT_EQ(tally()->index(r, 3).data(), "0.000%");
    }
    EXPECT_FALSE(window().statusBar()->currentMessage().isEmpty());
}

TEST_F(SearchTest, CombinationSearchUsesTheWidthAndAllPositions)
{
    auto *combo = find<QComboBox>("Combo1");
    combo->setFocus();
    combo->setEditText("1");
    find<QPushButton>("Command2")->setFocus();
    find<QPushButton>("Command2")->click();
    EXPECT_EQ(stored("intZhWSetup"), "1");
    ASSERT_EQ(hits()->rowCount(), 3);
    EXPECT_EQ(hits()->index(2, 0).data(), "20160908005");

    combo->setFocus();
    combo->setEditText("6");
    find<QPushButton>("Command2")->setFocus();
    find<QPushButton>("Command2")->click();
    EXPECT_EQ(hits()->rowCount(), 0);
}

TEST_F(SearchTest, EarlierDrawModeShowsTheEarlierDraw)
{
    box("MaskEdBox2")->setFocus();
    box("MaskEdBox2")->setText("2");
    option("Option1(2)")->setFocus();
    option("Option1(2)")->click();
    box("Text3(0)")->setText("20160908001");
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(hits()->headerData(6, Qt::Horizontal), "前期开奖");
    ASSERT_EQ(hits()->rowCount(), 5);
    EXPECT_EQ(hits()->index(0, 6).data(), "");
    EXPECT_EQ(hits()->index(2, 6).data(), "12345"); // the draw two issues before 003

    // A new entry keeps the result; deleting rows would clear it.
    for (int i = 1; i <= 5; ++i)
        QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), '3');
    EXPECT_EQ(hits()->rowCount(), 5);
}
