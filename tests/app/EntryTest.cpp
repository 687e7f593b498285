#include "AppFixture.h"

#include "HistoryStore.h"

using namespace quorlent;

namespace {

QString boxName(int i) { return QStringLiteral("MaskEdBox1(%1)").arg(i); }

} // namespace

class EntryTest : public AppFixture
{
protected:
    QLineEdit *entry(int i) { return box(boxName(i).toUtf8()); }
    void type(int i, char digit) { QTest::keyClick(entry(i), digit); }
    void typeDraw(const char *digits)
    {
        for (int i = 1; i <= 5; ++i)
            type(i, digits[i - 1]);
    }
    std::vector<HistoryRow> storedRows()
    {
        auto db = HistoryDb::openOrCreate(dbPath()).db;
        return db->loadRows();
    }
};

TEST_F(EntryTest, TheFifthDigitStoresTheDrawUnderTheShownIssue)
{
    storeDraws({{160908076, {9, 9, 9, 9, 9}}, {160908077, {1, 2, 3, 4, 5}}});
    open();
    EXPECT_EQ(box("Text1")->text(), "20160908078");
    entry(1)->setFocus();
    typeDraw("31330");

    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 3u);
    const HistoryRow &row = rows.back();
    EXPECT_EQ(row.sqqh, 160908078);
    EXPECT_EQ(row.digits(), (Digits{3, 1, 3, 3, 0}));
    EXPECT_EQ(row.previous.digits(), (Digits{1, 2, 3, 4, 5}));
    EXPECT_TRUE(row.hasPrevious);

    // The stored texts and the earlier-draw codes.
    auto db = HistoryDb::openOrCreate(dbPath()).db;
    Statement stmt = db->sql().prepare("SELECT txtHisLst, txtHisLstHm, L1AP, L2FS, QQH, "
                                       "txtHisPreLst FROM Lishi WHERE SQQH = 160908078");
    ASSERT_EQ(stmt.step(), SQLITE_ROW);
    EXPECT_EQ(stmt.columnText(0), "12345");
    EXPECT_EQ(stmt.columnText(1), "1X1 1X2 1X3 1X4 1X5 ");
    EXPECT_EQ(stmt.columnInt(2), 9);
    EXPECT_EQ(stmt.columnInt(3), 2);
    EXPECT_EQ(stmt.columnInt(4), 160908079);
    EXPECT_EQ(stmt.columnText(5), "");

    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(entry(i)->text().isEmpty()) << i;
    EXPECT_EQ(entry(1)->displayText(), "_");
    EXPECT_TRUE(entry(1)->hasFocus());
    EXPECT_EQ(box("Text1")->text(), "20160908079");
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->rowCount(), 3);
    EXPECT_EQ(box("Text2(1)")->text(), "3");
}

TEST_F(EntryTest, TypingMovesTheFocusAndClearingStoresNothing)
{
    storeDraws({{160908120, {1, 1, 1, 1, 1}}});
    open();
    entry(1)->setFocus();
    type(1, '4');
    EXPECT_TRUE(entry(2)->hasFocus());
    type(2, '5');
    EXPECT_TRUE(entry(3)->hasFocus());
    typeDraw("45678");
    EXPECT_EQ(storedRows().size(), 2u);
    EXPECT_EQ(storedRows().back().sqqh, 160909001); // after 120 comes the next day's 001
    // The clearing after the stored draw neither stored again nor moved the focus.
    EXPECT_TRUE(entry(1)->hasFocus());

    // Deleting the fifth digit stores nothing; typing another one stores a further draw.
    entry(5)->setFocus();
    type(5, '2');
    EXPECT_EQ(storedRows().size(), 3u);
    entry(5)->setText("7");
    EXPECT_EQ(storedRows().size(), 3u) << "the reset state ignores changes made by code";
    QTest::keyClick(entry(5), Qt::Key_Backspace);
    EXPECT_EQ(storedRows().size(), 3u);
    type(5, '9');
    EXPECT_EQ(storedRows().size(), 4u);
}

TEST_F(EntryTest, ADigitStraightIntoBoxFiveStoresZerosBeforeIt)
{
    storeDraws({{70908078, {1, 1, 1, 1, 1}}});
    open();
    EXPECT_EQ(box("Text1")->text(), "20070908079");
    entry(5)->setFocus();
    type(5, '6');
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.back().digits(), (Digits{0, 0, 0, 0, 6}));
    EXPECT_EQ(rows.back().sqqh, 70908079);
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->index(1, 0).data(), "20070908079");
}

TEST_F(EntryTest, AnEmptyHistoryStartsWithTodaysFirstDraw)
{
    qputenv("QUORLENT_NOW", "2016-02-29T09:30:00");
    open();
    EXPECT_EQ(box("Text1")->text(), "20160229001");
    entry(1)->setFocus();
    typeDraw("12345");
    qunsetenv("QUORLENT_NOW");
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].sqqh, 160229001);
    EXPECT_FALSE(rows[0].hasPrevious);
    EXPECT_EQ(box("Text1")->text(), "20160229002");
    // The first draw fills the empty history: the range is set as at start-up.
    EXPECT_EQ(box("Text3(0)")->text(), "20160229002");
    EXPECT_EQ(box("Text3(1)")->text(), "20160229001");
}

TEST_F(EntryTest, TheSegmentBaseInForceIsStored)
{
    storeDraws({{160908001, {1, 1, 1, 1, 1}}});
    open();
    action("mnuDscs(0)")->trigger();
    entry(1)->setFocus();
    typeDraw("99999");
    EXPECT_EQ(storedRows().back().own[Kind::Segment][0], 4);
    EXPECT_EQ(storedRows().back().previous[Kind::Segment][0], 1) << "earlier rows keep their base";
}

TEST_F(EntryTest, BackspaceInAnEmptyBoxGoesBackToTheBoxBefore)
{
    storeDraws({{160908120, {1, 1, 1, 1, 1}}});
    open();
    entry(1)->setFocus();
    type(1, '4');
    type(2, '5');
    ASSERT_TRUE(entry(3)->hasFocus());
    QTest::keyClick(entry(3), Qt::Key_Backspace);
    EXPECT_TRUE(entry(2)->hasFocus());
    EXPECT_EQ(entry(2)->text(), "5") << "going back deletes nothing";
    QTest::keyClick(entry(2), Qt::Key_Backspace);
    EXPECT_TRUE(entry(2)->text().isEmpty());
    QTest::keyClick(entry(2), Qt::Key_Backspace);
    QTest::keyClick(entry(1), Qt::Key_Backspace);
    QTest::keyClick(entry(1), Qt::Key_Backspace); // the first box has none before it
    EXPECT_TRUE(entry(1)->hasFocus());
    EXPECT_TRUE(entry(1)->text().isEmpty());
    typeDraw("67890");
    ASSERT_EQ(storedRows().size(), 2u);
    EXPECT_EQ(storedRows().back().digits(), (Digits{6, 7, 8, 9, 0}));
}
