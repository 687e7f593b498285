#include "AppFixture.h"

#include "SearchResult.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>

using namespace quorlent;

// What the status line says after each search, live or not: never the words of an earlier one.
class SearchWordsTest : public AppFixture
{
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        storeSeries(160908001, 200);
        open();
    }
    QString status() { return window().statusBar()->currentMessage(); }
    int hits() { return find<QTableView>("MSFlexGrid2")->model()->rowCount(); }
    QString found() { return QStringLiteral("检索完成：命中 %1 期。").arg(hits()); }
    // Types `text` into a box as a person does, the last key being an edit of the user's own.
    void typeInto(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->setText(text.chopped(1));
        QTest::keyClick(box, text.back().toLatin1());
    }
    void typeDraw(const char *digits)
    {
        box("MaskEdBox1(1)")->setFocus();
        for (int i = 1; i <= 5; ++i)
            QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), digits[i - 1]);
    }
    void manualTab() { find<QTabBar>("TabStrip1")->setCurrentIndex(1); }
};

TEST_F(SearchWordsTest, EveryLiveRunSaysWhatItFound)
{
    find<QCheckBox>("Check1(1)")->setChecked(true);
    find<QPushButton>("Command1")->click();
    const int first = hits();
    EXPECT_EQ(status(), found());
    find<QCheckBox>("chkLive")->setChecked(true);

    // A second position narrows the hits: the line follows, not the count before.
    find<QCheckBox>("Check1(2)")->setChecked(true);
    window().flushLiveSearch();
    ASSERT_NE(hits(), first);
    EXPECT_EQ(status(), found());

    // No position, then one again: the warning goes as it came.
    find<QCheckBox>("Check1(1)")->setChecked(false);
    find<QCheckBox>("Check1(2)")->setChecked(false);
    window().flushLiveSearch();
    EXPECT_EQ(status(), "未选择检索位：每一期都算命中");
    find<QCheckBox>("Check1(1)")->setChecked(true);
    window().flushLiveSearch();
    EXPECT_EQ(status(), found());

    // A new draw: what was stored, then what the search found with it.
    typeDraw("31330");
    window().flushLiveSearch();
    EXPECT_TRUE(status().startsWith("已存入")) << status().toStdString();
    EXPECT_TRUE(status().endsWith(found())) << status().toStdString();
    // The next change of an option is no longer about the entry.
    option("Option1(0)")->click(); // 固定位
    window().flushLiveSearch();
    EXPECT_EQ(status(), found());

    // The combination search too.
    find<QPushButton>("Command2")->click();
    EXPECT_EQ(status(), found());
    option("Option1(1)")->click();
    window().flushLiveSearch();
    EXPECT_EQ(status(), found());
}

TEST_F(SearchWordsTest, AReferenceTheKindCannotHaveIsRefusedAtItsBox)
{
    manualTab();
    option("Option3(1)")->click(); // 大小: codes 0 and 1
    QLineEdit *first = box("Text22(1)");
    typeInto(first, "7");
    EXPECT_FALSE(first->styleSheet().isEmpty()) << "marked";
    EXPECT_TRUE(first->toolTip().contains("0 = 小（0–4），1 = 大（5–9）"))
        << first->toolTip().toStdString();
    box("Text22(2)")->setFocus(); // leaving it says why at once
    EXPECT_TRUE(status().startsWith("第1位的参考值 7 不在可选的值里")) << status().toStdString();

    // The search that follows gives the reason with its empty result.
    find<QCheckBox>("Check11(1)")->setChecked(true);
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(hits(), 0);
    EXPECT_TRUE(status().contains("不在可选的值里") && status().contains("没有一期能命中"))
        << status().toStdString();

    // 号码 takes 7: the mark goes, the search is an ordinary one.
    option("Option3(0)")->click();
    EXPECT_TRUE(first->styleSheet().isEmpty());
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(status(), found());

    // 段数 counts from its base: 0 is no code from 1, one from 0; 5 from 1 but not from 0.
    option("Option3(3)")->click();
    typeInto(first, "0");
    EXPECT_FALSE(first->styleSheet().isEmpty());
    action("mnuDscs(0)")->trigger();
    EXPECT_TRUE(first->styleSheet().isEmpty());
    typeInto(first, "5");
    EXPECT_FALSE(first->styleSheet().isEmpty());
    EXPECT_TRUE(first->toolTip().contains("4 = 8–9")) << first->toolTip().toStdString();

    // Live, the refusal is what the line says after the run, once.
    find<QCheckBox>("chkLive")->setChecked(true);
    typeInto(first, "6");
    window().flushLiveSearch();
    EXPECT_EQ(status().count("不在可选的值里"), 1) << status().toStdString();
    EXPECT_TRUE(status().startsWith("第1位的参考值 6")) << status().toStdString();
}

TEST_F(SearchWordsTest, AStartAfterTheEndIsSaid)
{
    find<QCheckBox>("Check1(1)")->setChecked(true);
    QLineEdit *start = box("Text3(0)");
    QLineEdit *end = box("Text3(1)");
    start->setText("20160909050");
    end->setText("20160908100");
    find<QPushButton>("Command1")->click();
    EXPECT_EQ(hits(), 0);
    EXPECT_TRUE(status().startsWith("起始期号在终止期号之后")) << status().toStdString();

    // Live, the results of the range before stay, marked with the reason.
    end->setText("20160909080");
    find<QPushButton>("Command1")->click();
    const int before = hits();
    ASSERT_GT(before, 0);
    find<QCheckBox>("chkLive")->setChecked(true);
    typeInto(end, "20160909040");
    window().flushLiveSearch();
    EXPECT_EQ(hits(), before);
    auto *stale = find<QLabel>("lblStale");
    EXPECT_TRUE(stale->isVisibleTo(&window()));
    EXPECT_TRUE(stale->text().startsWith("起始期号在终止期号之后")) << stale->text().toStdString();
    EXPECT_TRUE(status().startsWith("起始期号在终止期号之后")) << status().toStdString();
    // Put right, it searches again and says so.
    typeInto(end, "20160909090");
    window().flushLiveSearch();
    EXPECT_FALSE(stale->isVisibleTo(&window()));
    EXPECT_EQ(status(), found());
}

TEST_F(SearchWordsTest, RedBallOrRedBlueIsAChoiceKeptInTheSettingsMenu)
{
    // Not among the options that change a search; in 设置, with the tip that says why.
    EXPECT_FALSE(option("Option6(0)")->isVisibleTo(&window()));
    EXPECT_FALSE(option("Option6(1)")->isVisibleTo(&window()));
    QAction *red = action("mnuZhpm(1)");
    QAction *redBlue = action("mnuZhpm(0)");
    EXPECT_TRUE(find<QMenu>("mnuSet")->actions().contains(find<QMenu>("mnuZhpmSet")->menuAction()));
    EXPECT_TRUE(red->toolTip().contains("不改变组合检索的结果"));
    EXPECT_TRUE(redBlue->isChecked());
    red->trigger();
    EXPECT_EQ(stored("bolZhpm"), "True");
    EXPECT_TRUE(red->isChecked());
    EXPECT_FALSE(redBlue->isChecked());
    EXPECT_TRUE(option("Option6(1)")->isChecked());
    red->trigger(); // chosen again, it stays chosen
    EXPECT_TRUE(red->isChecked());
    redBlue->trigger();
    EXPECT_EQ(stored("bolZhpm"), "False");
    close();
    open();
    EXPECT_TRUE(action("mnuZhpm(0)")->isChecked());
}
