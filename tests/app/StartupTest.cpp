#include "AppFixture.h"

#include "HistoryStore.h"

#include <QFile>
#include <QAbstractButton>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>

using namespace quorlent;

TEST_F(AppFixture, FirstStartShowsTheDefaultsAndCreatesTheDatabase)
{
    frmMain &w = open();
    EXPECT_EQ(w.windowTitle(), "Quorlent");
    EXPECT_TRUE(QFile::exists(dbPath()));
    EXPECT_TRUE(HistoryDb::isOurs(dbPath()));

    EXPECT_TRUE(option("Option1(1)")->isChecked()); // 自由位
    EXPECT_TRUE(option("Option1(3)")->isChecked()); // 上期
    EXPECT_TRUE(option("Option2(4)")->isChecked()); // 直选
    EXPECT_TRUE(option("Option5(1)")->isChecked());
    EXPECT_TRUE(option("Option4(0)")->isChecked());
    EXPECT_TRUE(option("Option3(0)")->isChecked());
    EXPECT_TRUE(option("Option6(0)")->isChecked()); // 红蓝
    EXPECT_TRUE(action("mnuDscs(1)")->isChecked());
    EXPECT_FALSE(action("mnuDscs(0)")->isChecked());
    EXPECT_EQ(box("MaskEdBox2")->text(), "2");
    EXPECT_EQ(find<QComboBox>("Combo1")->currentText(), "2");
    EXPECT_EQ(w.settings().number(Settings::IniSerchDay), 6);

    // An empty history keeps the design texts.
    EXPECT_EQ(box("Text3(0)")->text(), "2013001");
    EXPECT_EQ(box("Text3(1)")->text(), "2013001");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(box(QStringLiteral("Text2(%1)").arg(i).toUtf8())->text(), "0");
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->rowCount(), 0);
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->headerData(0, Qt::Horizontal), "期号");
}

TEST_F(AppFixture, ControlsOfLaterFeaturesExistDisabled)
{
    open();
    for (const char *name : std::initializer_list<const char *>{}) {
        auto *button = find<QWidget>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isEnabled()) << name;
    }
    EXPECT_EQ(find<QAbstractButton>("Command1")->text(), "检索(&S)");
    EXPECT_EQ(find<QAbstractButton>("cmdRdLst")->toolTip(),
              "从历史号码文本文件中读取历史号中最后一期之后的新的历史号码");
    EXPECT_TRUE(find<QWidget>("Command9")->isEnabled());
    EXPECT_EQ(find<QMenu>("mnuLsgl")->title(), "历史管理");
    EXPECT_EQ(find<QMenu>("mnuSet")->title(), "设置");
    EXPECT_EQ(action("mnuEszhzd")->text(), "删除最后指定数量期历史(&E)");
}

TEST_F(AppFixture, ListsTheStoredHistoryAndTheNextIssue)
{
    storeDraws({{70908078, {1, 2, 3, 4, 5}}, {70908119, {5, 5, 5, 5, 5}}, {70908120, {9, 8, 7, 6, 5}}});
    open();
    auto *model = find<QTableView>("MSFlexGrid1")->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, 0).data(), "20070908078");
    EXPECT_EQ(model->index(2, 1).data(), "9");
    EXPECT_EQ(model->index(2, 5).data(), "5");
    EXPECT_EQ(box("Text1")->text(), "20070909001"); // after 120 the next day's 001
    EXPECT_EQ(box("Text3(0)")->text(), "20070908079");
    EXPECT_EQ(box("Text3(1)")->text(), "20070908120");
    EXPECT_EQ(box("Text2(1)")->text(), "9");
}

TEST_F(AppFixture, StartBoxFollowsTheModeAndTheReferenceFollowsN)
{
    storeSeries(160908001, 10); // digits of draw i: i, 0, 3, 4, 9 - i
    open();
    EXPECT_EQ(box("Text3(0)")->text(), "20160908002");
    EXPECT_EQ(box("Text2(1)")->text(), "9");

    box("MaskEdBox2")->setFocus();
    box("MaskEdBox2")->setText("3");
    option("Option1(2)")->setFocus();
    option("Option1(2)")->click(); // 前 N 期
    EXPECT_EQ(box("Text3(0)")->text(), "20160908004");
    EXPECT_EQ(box("Text2(1)")->text(), "7"); // third draw from the end
    EXPECT_EQ(stored("bolSq"), "False");

    box("MaskEdBox2")->setFocus();
    box("MaskEdBox2")->setText("1");
    find<QWidget>("Combo1")->setFocus(); // leaving the box takes the new N
    EXPECT_EQ(box("Text2(1)")->text(), "9");
    EXPECT_EQ(box("Text3(0)")->text(), "20160908002");

    option("Option3(3)")->click(); // 段数 with base 1
    EXPECT_EQ(box("Text2(1)")->text(), "5");
    EXPECT_EQ(box("Text2(5)")->text(), "1");
    option("Option3(1)")->click();
    EXPECT_EQ(box("Text2(1)")->text(), "1");
}

TEST_F(AppFixture, ManualTabTakesTypedValuesAndKeepsOthers)
{
    storeSeries(160908001, 3);
    frmMain &w = open();
    const int before = w.refPattern(2);
    box("Text22(1)")->setText("7");
    find<QTabBar>("TabStrip1")->setCurrentIndex(1);
    EXPECT_TRUE(w.isManualTab());
    EXPECT_TRUE(find<QWidget>("Frame2(1)")->isVisible());
    EXPECT_FALSE(find<QWidget>("Frame2(0)")->isVisible());
    EXPECT_EQ(w.refPattern(1), 7);
    EXPECT_EQ(w.refPattern(2), before); // empty box: unchanged

    // Only digits, "-" and backspace reach the boxes.
    QLineEdit *typed = box("Text22(3)");
    typed->setFocus();
    QTest::keyClicks(typed, "a-4x");
    EXPECT_EQ(typed->text(), "-4");
    box("Text22(4)")->setFocus();
    EXPECT_EQ(w.refPattern(3), -4);
}

TEST_F(AppFixture, GridScrollsToTheNewestFromFortyRows)
{
    for (int draws : {38, 39}) {
        QTemporaryDir other;
        SetUp();
        {
            auto db = HistoryDb::openOrCreate(other.filePath("Varnibo.mdb")).db;
            DrawRun run;
            std::vector<DrawRecord> records;
            for (int i = 0; i < draws; ++i)
                records.push_back(run.append(160908001 + i, {1, 2, 3, 4, 5}, 1));
            ASSERT_TRUE(db->append(records));
        }
        frmMain w(other.path());
        w.resize(1000, 500); // fewer rows fit than are stored
        w.show();
        auto *grid = w.findChild<QTableView *>("MSFlexGrid1");
        QApplication::processEvents();
        ASSERT_GT(grid->verticalScrollBar()->maximum(), 0);
        if (draws == 38)
            EXPECT_EQ(grid->verticalScrollBar()->value(), 0);
        else
            EXPECT_EQ(grid->verticalScrollBar()->value(), grid->verticalScrollBar()->maximum());
    }
}

TEST_F(AppFixture, AFileThatIsNotOursIsLeftAlone)
{
    const QByteArray foreign("\x00\x01\x00\x00Standard Jet DB", 19);
    {
        QFile file(dbPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(foreign);
    }
    frmMain &w = open();
    EXPECT_FALSE(w.statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->rowCount(), 0);
    // Typing a draw cannot store it anywhere, and says so.
    for (int i = 1; i <= 5; ++i)
        QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), '1');
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->rowCount(), 0);
    close();
    QFile file(dbPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), foreign);
}

TEST_F(AppFixture, OpensWithEveryGridColumnInViewAndGrowsTheGrids)
{
    storeSeries(160908001, 60);
    frmMain &w = open();
    for (const char *name : {"Check1(1)", "Check1(2)"})
        find<QCheckBox>(name)->setChecked(true);
    find<QAbstractButton>("Command1")->click(); // the hit list widens to its texts
    QApplication::processEvents();
    // A 1366×768 screen, less a title bar and a task bar.
    EXPECT_LE(w.width(), 1366);
    EXPECT_LE(w.height(), 700);
    std::map<QString, int> widths;
    for (const char *name : {"MSFlexGrid1", "MSFlexGrid2", "MSFlexGrid3"}) {
        auto *grid = find<QTableView>(name);
        ASSERT_GT(grid->model()->rowCount(), 0) << name;
        EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << name;
        widths[name] = grid->width();
    }
    w.resize(w.width() + 200, w.height() + 100);
    QApplication::processEvents();
    EXPECT_GT(find<QTableView>("MSFlexGrid2")->width(), widths["MSFlexGrid2"]);
    EXPECT_GT(find<QTableView>("MSFlexGrid1")->height(), 0);
}
