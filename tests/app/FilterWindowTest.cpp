#include "AppFixture.h"

#include "ConditionEditor.h"
#include "FileChooser.h"
#include "FilterConditionModel.h"
#include "FilterRecordModel.h"
#include "FilterWindow.h"
#include "HistoryStore.h"
#include "RemainingNumbersModel.h"
#include "SchemeFolder.h"
#include "TogetherWorker.h"
#include "XlsReadBack.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>

using namespace quorlent;
using namespace quorlent::filter;

namespace {

// 方案 keep only the fields of each condition's kind.
bool sameSet(const ConditionSet &a, const ConditionSet &b)
{
    if (a.part != b.part || a.selection != b.selection ||
        a.conditions.size() != b.conditions.size())
        return false;
    for (size_t i = 0; i < a.conditions.size(); ++i) {
        if (ruleKey(a.conditions[i]) != ruleKey(b.conditions[i]) ||
            a.conditions[i].enabled != b.conditions[i].enabled)
            return false;
    }
    return true;
}

} // namespace

class FilterWindowTest : public AppFixture
{
  protected:
    FilterWindow *openFilter()
    {
        find<QPushButton>("cmdSuoshui")->click();
        auto *w = window().findChild<FilterWindow *>();
        EXPECT_NE(w, nullptr);
        return w;
    }
    FilterWindow *reopen(FilterWindow *w)
    {
        w->close(); // deleted on close
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return openFilter();
    }
    template <typename T> static T *in(FilterWindow *w, const char *name)
    {
        T *child = w->findChild<T *>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    // Adds a row of the kind from the window's own controls; it becomes the selected row.
    static void add(FilterWindow *w, ConditionKind kind)
    {
        in<QComboBox>(w, "cboKind")->setCurrentIndex(int(kind));
        in<QPushButton>(w, "cmdAdd")->click();
    }
    static void type(FilterWindow *w, const char *box, const char *text)
    {
        auto *edit = in<QLineEdit>(w, box);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
    static QString conditionCell(FilterWindow *w, int row, int column)
    {
        return w->conditionModel().index(row, column).data().toString();
    }
    static QString recordCell(FilterWindow *w, int row, int column)
    {
        return w->recordModel().index(row, column).data().toString();
    }
    static QString label(FilterWindow *w, const char *name) { return in<QLabel>(w, name)->text(); }
    void typeDraw(const char *digits)
    {
        box("MaskEdBox1(1)")->setFocus();
        for (int i = 1; i <= 5; ++i)
            QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), digits[i - 1]);
    }
};

TEST_F(FilterWindowTest, OneWindowFromTheButtonAndTheMenuInsideTheScreen)
{
    open();
    FilterWindow *w = openFilter();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), "frmSuoshui");
    EXPECT_EQ(w->windowTitle(), "缩水");
    EXPECT_TRUE(w->isWindow());
    EXPECT_FALSE(w->isModal());
    EXPECT_TRUE(w->isVisible());
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w->geometry()))
        << w->geometry().width() << "×" << w->geometry().height();
    action("mnuSuoshui")->trigger();
    EXPECT_EQ(window().findChildren<FilterWindow *>().size(), 1);
    // A new window starts with no conditions: every number of 五星 remains.
    EXPECT_EQ(label(w, "lblResult"), "剩余 100000 注，占全部 100000 注的 100.00%");
}

TEST_F(FilterWindowTest, ConditionsAddedEditedAndSwitchedOffChangeTheCount)
{
    open();
    FilterWindow *w = openFilter();
    QAbstractItemModelTester rules(&w->conditionModel(),
                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester numberRules(&w->remainingModel(),
                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::FrontThree));
    add(w, ConditionKind::Sum);
    type(w, "txtValues", "10");
    // a + b + c = 10 with digits 0-9: C(12, 2) less the three with a digit of 10 or more.
    EXPECT_EQ(w->counts().remaining, 63u);
    EXPECT_EQ(label(w, "lblResult"), "剩余 63 注，占全部 1000 注的 6.30%");
    EXPECT_EQ(conditionCell(w, 0, FilterConditionModel::Parameters), "10");
    EXPECT_EQ(conditionCell(w, 0, FilterConditionModel::Kept), "6.30%");
    type(w, "txtValues", "10, 27");
    EXPECT_EQ(w->counts().remaining, 64u); // and 999

    // 组六 among them: less a a b with 2a + b = 10, a ≠ b (a = 1 … 5), three orders each.
    add(w, ConditionKind::Shape);
    in<QCheckBox>(w, "chkShape(six)")->click();
    EXPECT_EQ(w->counts().remaining, 48u);
    EXPECT_EQ(w->remainingModel().values().front(), 19u); // 019
    EXPECT_EQ(w->remainingView()->model()->index(0, 0).data().toString(), "019");

    // Switched off in the grid, as its check does.
    w->conditionModel().setData(w->conditionModel().index(1, FilterConditionModel::Enabled),
                                Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(w->counts().remaining, 64u);
    EXPECT_EQ(conditionCell(w, 1, FilterConditionModel::Message), "未启用");
    // 组选 counts the multisets: 13 with a sum of 10, and 999.
    in<QRadioButton>(w, "optGroup")->click();
    EXPECT_EQ(w->counts().remainingGroups, 14u);
    EXPECT_EQ(label(w, "lblResult"), "剩余 14 组（64 注），占全部的 6.40%");

    // Selecting a row shows its own fields; removing it leaves the other.
    w->conditionView()->setCurrentIndex(w->conditionModel().index(0, 1));
    EXPECT_EQ(in<QLineEdit>(w, "txtValues")->text(), "10, 27");
    in<QPushButton>(w, "cmdRemove")->click();
    EXPECT_EQ(w->conditionModel().rowCount(), 1);
    EXPECT_EQ(w->conditionModel().condition(0).kind, ConditionKind::Shape);
}

TEST_F(FilterWindowTest, ABadEntryIsShownAtItsRowAndAnEmptyResultNamesTheCause)
{
    open();
    FilterWindow *w = openFilter();
    add(w, ConditionKind::Sum);
    type(w, "txtValues", "20-10");
    EXPECT_EQ(conditionCell(w, 0, FilterConditionModel::Message), "和值范围 20-10 上下颠倒");
    EXPECT_EQ(label(w, "lblConditionError"), "和值范围 20-10 上下颠倒");
    EXPECT_EQ(conditionCell(w, 0, FilterConditionModel::Kept), "—");
    EXPECT_EQ(w->counts().remaining, 100000u); // not applied
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Verdict), "条件有误，未检验");

    // A digit of 定位 set empty says which position.
    add(w, ConditionKind::Position);
    in<QWidget>(w, "digPosition(1)")->findChild<QAbstractButton *>("none")->click();
    EXPECT_EQ(conditionCell(w, 1, FilterConditionModel::Message), "定位：千位没有可选的数字");

    w->conditionView()->setCurrentIndex(w->conditionModel().index(0, 1));
    type(w, "txtValues", "0");
    add(w, ConditionKind::Span);
    type(w, "txtValues", "9");
    EXPECT_EQ(w->counts().remaining, 0u);
    EXPECT_TRUE(
        label(w, "lblResult").startsWith("没有号码满足全部条件；去掉最多的是第 1 条「和值」"))
        << label(w, "lblResult").toStdString();
    EXPECT_FALSE(in<QPushButton>(w, "cmdCopy")->isEnabled());
}

// Draw i of the series starts i % 10, i / 10 % 10: its 前二 sum is at most 9 for 10 − t of the
// ten draws of each tens digit t, 55 in every hundred.
TEST_F(FilterWindowTest, RecordsOverTheChosenWindow)
{
    storeSeries(160908001, 150);
    open();
    FilterWindow *w = openFilter();
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::FrontTwo));
    add(w, ConditionKind::Sum);
    type(w, "txtValues", "0-9");
    QAbstractItemModelTester rules(&w->recordModel(),
                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto *choice = in<QComboBox>(w, "cboRecordWindow");
    choice->setCurrentIndex(0); // 近 100 期: draws 50 … 149
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Condition), "1 和值");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Draws), "100");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Passes), "55");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::PassRate), "55.00%");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::KeptShare), "55.00%");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Ratio), "1.00");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::PValue), "p = 1.000");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Verdict), "与随机无显著差异");
    EXPECT_EQ(label(w, "lblRecordRange"), "第 20160908051 期至第 20160909030 期，共 100 期");

    choice->setCurrentIndex(3); // 全部: and 10 + 9 + 8 + 7 + 6 of draws 0 … 49
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Passes), "95");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Draws), "150");
    const int together = FilterRecordModel::togetherRow();
    EXPECT_EQ(recordCell(w, together, FilterRecordModel::Condition), "全部条件");
    EXPECT_EQ(recordCell(w, together, FilterRecordModel::Passes), "95");
    // 后二 is 4 and 9 − i % 10: its sum always lies in 4-13, which 75 numbers in 100 have.
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::BackTwo));
    type(w, "txtValues", "4-13");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Passes), "150");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::KeptShare), "75.00%");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Ratio), "1.33");
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Verdict), "显著偏离随机（p < 0.001）");
}

TEST_F(FilterWindowTest, ThePendingTogetherRecordComesFromTheWorker)
{
    storeSeries(160908001, 900);
    open();
    FilterWindow *w = openFilter();
    in<QComboBox>(w, "cboRecordWindow")->setCurrentIndex(2); // 近 1000 期
    add(w, ConditionKind::Cold);
    type(w, "txtCounts", "0-2");
    add(w, ConditionKind::Sum);
    type(w, "txtValues", "10-30");
    // What the records must come to, worked out at once by an engine of its own.
    auto exact = [&] {
        FilterEngine engine(window().history().rows());
        engine.setSynchronousWork(UINT64_MAX);
        engine.setConditions(w->conditionModel().set());
        return engine.records(RecordWindow::Last1000).together;
    };
    const int together = FilterRecordModel::togetherRow();
    EXPECT_TRUE(w->isTogetherRunning());
    EXPECT_EQ(recordCell(w, together, FilterRecordModel::KeptShare), FilterRecordModel::kPending);
    EXPECT_EQ(recordCell(w, together, FilterRecordModel::Verdict), FilterRecordModel::kPending);

    // A change while it runs: the record shown is the new set's.
    w->conditionView()->setCurrentIndex(w->conditionModel().index(0, 1));
    in<QSpinBox>(w, "spnThreshold")->setValue(12);
    ASSERT_EQ(w->conditionModel().condition(0).threshold, 12);
    w->flushTogether();
    EXPECT_FALSE(w->isTogetherRunning());
    const Record record = exact();
    ASSERT_FALSE(record.pending);
    EXPECT_FALSE(w->recordModel().records().together.pending);
    EXPECT_DOUBLE_EQ(w->recordModel().records().together.keptShare, record.keptShare);
    EXPECT_EQ(recordCell(w, together, FilterRecordModel::Verdict), recordVerdict(record));

    // So with a new draw: the task of the history before it never reports.
    typeDraw("31330");
    EXPECT_EQ(recordCell(w, together, FilterRecordModel::KeptShare), FilterRecordModel::kPending);
    w->flushTogether();
    EXPECT_DOUBLE_EQ(w->recordModel().records().together.keptShare, exact().keptShare);
    EXPECT_EQ(w->recordModel().records().together.draws, 901);
}

TEST_F(FilterWindowTest, RemainingNumbersCopiedWithBlanksOrOneALineAndSaved)
{
    open();
    FilterWindow *w = openFilter();
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::BackTwo));
    add(w, ConditionKind::Sum);
    type(w, "txtValues", "0-1");
    in<QPushButton>(w, "cmdCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "00 01 10");
    EXPECT_EQ(w->statusBar()->currentMessage(), "已复制 3 个号码到剪贴板。");
    in<QComboBox>(w, "cboCopyLayout")->setCurrentIndex(1);
    in<QPushButton>(w, "cmdCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "00\n01\n10");

    const QString text = QDir(folder()).filePath("号码.txt");
    FileChooser::setNextFileName(text);
    in<QPushButton>(w, "cmdSaveText")->click();
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "00\r\n01\r\n10\r\n");
    // The layout chosen is the one the window reopens with.
    w = reopen(w);
    EXPECT_EQ(in<QComboBox>(w, "cboCopyLayout")->currentIndex(), 1);

    // All of 五星 to a workbook: one number a row, the rows past a sheet's on a second one.
    in<QPushButton>(w, "cmdRemove")->click();
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::Five));
    const QString book = QDir(folder()).filePath("号码.xls");
    FileChooser::setNextFileName(book);
    in<QPushButton>(w, "cmdSaveXls")->click();
    EXPECT_EQ(w->statusBar()->currentMessage(),
              QStringLiteral("已把 100000 个号码导出到 %1（分 2 个工作表）。")
                  .arg(QDir::toNativeSeparators(book)));
    const test::ReadWorkbook read = test::readWorkbook(book);
    ASSERT_TRUE(read.failure.isEmpty()) << read.failure.toStdString();
    ASSERT_EQ(read.sheets.size(), 2u);
    EXPECT_EQ(read.sheets[0].rows, 65536);
    EXPECT_EQ(read.sheets[1].rows, 1 + 100000 - 65535);
    EXPECT_EQ(read.sheets[0].at(0, 0)->text, "号码");
    EXPECT_EQ(read.sheets[0].at(1, 0)->text, "00000");
    EXPECT_EQ(read.sheets[1].at(1, 0)->number, 65535.0);
    EXPECT_EQ(read.sheets[1].at(read.sheets[1].rows - 1, 0)->number, 99999.0);
}

TEST_F(FilterWindowTest, SchemesRoundTripAndTheLastSetReopens)
{
    storeSeries(160908001, 30);
    open();
    FilterWindow *w = openFilter();
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::MiddleThree));
    add(w, ConditionKind::Repeat);
    type(w, "txtValues", "0");
    add(w, ConditionKind::Kill);
    in<QWidget>(w, "digDigits")->findChild<QAbstractButton *>("7")->click();
    in<QComboBox>(w, "cboKillPosition")->setCurrentIndex(2); // 百位
    const ConditionSet saved = w->conditionModel().set();
    EXPECT_EQ(w->conditionModel().condition(1).position, 2);
    EXPECT_EQ(conditionCell(w, 1, FilterConditionModel::Parameters), "7（百位）");

    in<QComboBox>(w, "cboScheme")->setEditText("不重复");
    in<QPushButton>(w, "cmdSaveScheme")->click();
    EXPECT_TRUE(QFile::exists(QDir(folder()).filePath("缩水方案/不重复.json")));
    in<QPushButton>(w, "cmdRemove")->click();
    in<QRadioButton>(w, "optGroup")->click();
    ASSERT_FALSE(sameSet(w->conditionModel().set(), saved));
    in<QPushButton>(w, "cmdOpenScheme")->click();
    EXPECT_TRUE(sameSet(w->conditionModel().set(), saved));
    EXPECT_EQ(in<QComboBox>(w, "cboPart")->currentIndex(), int(FilterPart::MiddleThree));
    EXPECT_TRUE(in<QRadioButton>(w, "optDirect")->isChecked());

    // Saving over a 方案 asks first; no keeps the file as it was.
    in<QPushButton>(w, "cmdRemove")->click();
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::No)->click(); });
    in<QPushButton>(w, "cmdSaveScheme")->click();
    in<QPushButton>(w, "cmdOpenScheme")->click();
    EXPECT_TRUE(sameSet(w->conditionModel().set(), saved));

    // A damaged file is refused with the reader's message.
    QFile damaged(QDir(folder()).filePath("缩水方案/坏.json"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[1, 2]");
    damaged.close();
    in<QComboBox>(w, "cboScheme")->setEditText("坏");
    in<QPushButton>(w, "cmdOpenScheme")->click();
    EXPECT_EQ(w->statusBar()->currentMessage(), "方案“坏”未能打开：这不是缩水方案");
    EXPECT_TRUE(sameSet(w->conditionModel().set(), saved));

    // Closed and opened again, as after a restart: the same set, working.
    const uint32_t remaining = w->counts().remaining;
    w = reopen(w);
    EXPECT_TRUE(sameSet(w->conditionModel().set(), saved));
    EXPECT_EQ(w->counts().remaining, remaining);
    EXPECT_EQ(in<QComboBox>(w, "cboScheme")->currentText(), "不重复");
}

TEST_F(FilterWindowTest, TheTallyGridsTopOutcomesBecomeTheTalliedPosition)
{
    storeSeries(160908001, 60);
    open();
    auto *useAsPosition = action("mnuUseAsPosition");
    useAsPosition->trigger();
    EXPECT_EQ(window().statusBar()->currentMessage(),
              "结果统计里还没有号码：先检索，再把统计用作定位。");
    EXPECT_EQ(window().findChild<FilterWindow *>(), nullptr);

    find<QCheckBox>("Check1(3)")->setChecked(true);
    option("Option5(2)")->click(); // tallied at 千位
    find<QPushButton>("Command1")->click();
    QAbstractItemModel *tally = find<QTableView>("MSFlexGrid3")->model();
    DigitSet top;
    for (int r = 0; r < 3; ++r)
        top.insert(tally->index(r, 1).data().toInt());
    ASSERT_EQ(top.size(), 3);
    whenModal<QInputDialog>([](QInputDialog *ask) {
        EXPECT_EQ(ask->intValue(), 5);
        ask->setIntValue(3);
        ask->accept();
    });
    useAsPosition->trigger();
    FilterWindow *w = window().findChild<FilterWindow *>();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->conditionModel().rowCount(), 1);
    const Condition &position = w->conditionModel().condition(0);
    EXPECT_EQ(position.kind, ConditionKind::Position);
    EXPECT_EQ(position.positions[1], top);
    EXPECT_EQ(position.positions[0], DigitSet::all());
    EXPECT_EQ(w->counts().remaining, 30000u);

    // In a part without 千位 and in 组选, the window goes to 五星 直选; other rows keep their
    // place.
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::BackTwo));
    in<QRadioButton>(w, "optGroup")->click();
    add(w, ConditionKind::Kill);
    in<QWidget>(w, "digDigits")->findChild<QAbstractButton *>("0")->click();
    in<QComboBox>(w, "cboKillPosition")->setCurrentIndex(2); // 个位 of 后二
    whenModal<QInputDialog>([](QInputDialog *ask) { ask->accept(); });
    useAsPosition->trigger();
    EXPECT_EQ(w->conditionModel().set().part, FilterPart::Five);
    EXPECT_EQ(w->conditionModel().set().selection, Selection::Direct);
    EXPECT_EQ(w->conditionModel().condition(1).position, 5);
    EXPECT_TRUE(window().statusBar()->currentMessage().contains("改为五星"))
        << window().statusBar()->currentMessage().toStdString();

    option("Option4(1)")->click(); // 大小
    find<QPushButton>("Command1")->click();
    useAsPosition->trigger();
    EXPECT_TRUE(window().statusBar()->currentMessage().startsWith("结果统计的是大小，不是号码"));
}

TEST_F(FilterWindowTest, TheWindowFollowsNewDrawsAndDeletions)
{
    storeSeries(160908001, 20); // the newest draw: 9 1 3 4 0
    open();
    FilterWindow *w = openFilter();
    in<QComboBox>(w, "cboPart")->setCurrentIndex(int(FilterPart::FrontTwo));
    add(w, ConditionKind::Repeat);
    type(w, "txtValues", "0");
    EXPECT_EQ(w->counts().remaining, 64u); // neither 9 nor 1
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Draws), "20");
    typeDraw("11345");
    EXPECT_EQ(w->counts().remaining, 81u); // no 1
    EXPECT_EQ(recordCell(w, 1, FilterRecordModel::Draws), "21");
    EXPECT_TRUE(label(w, "lblNewest").startsWith("最新一期 20160908021（1 1 3 4 5）"));
    find<QPushButton>("Command3")->click(); // deletes the newest draw
    EXPECT_EQ(w->counts().remaining, 64u);
    EXPECT_EQ(w->engine().drawCount(), 20u);
}

// The editor on its own: each kind's fields reach the condition, for the part's positions only.
TEST(FilterEditor, TheFieldsOfEachKindReachTheCondition)
{
    ConditionEditor editor;
    std::optional<Condition> edited;
    QObject::connect(&editor, &ConditionEditor::edited, [&](const Condition &c) { edited = c; });
    auto child = [&](const char *name) { return editor.findChild<QWidget *>(name); };
    auto digit = [&](const char *row, int d) {
        return child(row)->findChild<QAbstractButton *>(QString::number(d));
    };

    Condition position;
    position.kind = ConditionKind::Position;
    position.positions.fill(DigitSet::all());
    editor.showCondition(&position, FilterPart::BackFour, Selection::Direct);
    EXPECT_FALSE(edited); // showing is no edit
    EXPECT_TRUE(child("digPosition(3)")->isVisibleTo(&editor));
    EXPECT_FALSE(child("digPosition(4)")->isVisibleTo(&editor));
    digit("digPosition(3)", 5)->click();
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->positions[3], DigitSet::fromMask(DigitSet::kAll & ~(1u << 5)));
    EXPECT_EQ(edited->positions[0], DigitSet::all());

    Condition kill;
    kill.kind = ConditionKind::Kill;
    editor.showCondition(&kill, FilterPart::FrontThree, Selection::Direct);
    auto *where = editor.findChild<QComboBox *>("cboKillPosition");
    EXPECT_EQ(where->count(), 4); // 整个号码 万位 千位 百位
    EXPECT_EQ(where->itemText(3), "百位");
    digit("digDigits", 0)->click();
    where->setCurrentIndex(3);
    EXPECT_EQ(edited->digits, DigitSet{0});
    EXPECT_EQ(edited->position, 3);
    EXPECT_TRUE(child("cboKillPosition")->isVisibleTo(&editor));
    EXPECT_FALSE(child("spnBankerCount")->isVisibleTo(&editor));

    Condition bankers;
    bankers.kind = ConditionKind::Bankers;
    editor.showCondition(&bankers, FilterPart::Five, Selection::Direct);
    EXPECT_FALSE(digit("digDigits", 0)->isChecked()); // the 杀号's digits are not kept
    editor.findChild<QComboBox *>("cboBankerRule")->setCurrentIndex(1);
    editor.findChild<QSpinBox *>("spnBankerCount")->setValue(2);
    EXPECT_EQ(edited->rule, BankerRule::Exactly);
    EXPECT_EQ(edited->count, 2);
    EXPECT_EQ(edited->kind, ConditionKind::Bankers);

    Condition hot;
    hot.kind = ConditionKind::Hot;
    hot.threshold = 3;
    editor.showCondition(&hot, FilterPart::Five, Selection::Group);
    editor.findChild<QRadioButton *>("optAnywhere")->click();
    QTest::keyClicks(editor.findChild<QLineEdit *>("txtCounts"), "1-2");
    EXPECT_FALSE(edited->atPositions);
    EXPECT_EQ(edited->threshold, 3);
    EXPECT_EQ(edited->values, "1-2");

    // 前二 offers only the shapes two digits have.
    Condition shape;
    shape.kind = ConditionKind::Shape;
    editor.showCondition(&shape, FilterPart::FrontTwo, Selection::Direct);
    QStringList offered;
    for (auto *box : editor.findChildren<QCheckBox *>()) {
        if (box->isVisibleTo(&editor))
            offered << box->text();
    }
    EXPECT_EQ(offered.size(), int(shapesFor(2).size()));
    editor.findChild<QCheckBox *>("chkShape(pair)")->click();
    EXPECT_EQ(edited->shapes, shapeBit(Shape::Pair));
}

namespace {

// A task the engine leaves to the worker: 冷号 over all of a short history, with no work allowed
// at once.
struct PendingTask
{
    std::vector<HistoryRow> rows;
    FilterEngine engine{rows};
    ConjunctionShareTask task(int threshold)
    {
        Condition cold;
        cold.kind = ConditionKind::Cold;
        cold.threshold = threshold;
        cold.values = QStringLiteral("0-1");
        engine.setSynchronousWork(0);
        engine.setConditions({FilterPart::FrontTwo, Selection::Direct, {cold}});
        return *engine.conjunctionTask(RecordWindow::All);
    }
    PendingTask()
    {
        for (int i = 0; i < 40; ++i) {
            HistoryRow row;
            row.own = DrawCodes::fromDigits({uint8_t(i % 10), uint8_t(i * 3 % 10), 0, 0, 0}, 1);
            rows.push_back(row);
        }
        engine.rowsReset();
    }
};

} // namespace

TEST(FilterWorker, ReportsTheLastTaskStartedOnceAndNeverACancelledOne)
{
    PendingTask pending;
    TogetherWorker worker;
    std::vector<std::pair<QByteArray, Record>> reported;
    QObject::connect(&worker, &TogetherWorker::finished,
                     [&](const ConjunctionShareTask &t, const Record &r) {
                         reported.push_back({t.key(), r});
                     });
    const ConjunctionShareTask first = pending.task(2);
    const ConjunctionShareTask second = pending.task(3);
    ASSERT_NE(first.key(), second.key());
    worker.start(first);
    worker.start(second); // the first is of no use any more
    worker.start(second); // the same work again is not started twice
    EXPECT_TRUE(worker.isRunning());
    worker.flush();
    EXPECT_FALSE(worker.isRunning());
    QCoreApplication::sendPostedEvents(&worker);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].first, second.key());
    const Record exact = *second.run();
    EXPECT_EQ(reported[0].second.passes, exact.passes);
    EXPECT_DOUBLE_EQ(reported[0].second.keptShare, exact.keptShare);

    worker.start(first);
    worker.cancel();
    worker.flush();
    QCoreApplication::sendPostedEvents(&worker);
    EXPECT_EQ(reported.size(), 1u);
}

TEST(FilterSchemes, NamesFilesAndWhatIsRefused)
{
    QTemporaryDir folder;
    const SchemeFolder schemes(folder.path());
    EXPECT_TRUE(schemes.names().isEmpty()); // no folder yet
    Condition sum;
    sum.values = QStringLiteral("10");
    const ConditionSet set{FilterPart::FrontThree, Selection::Group, {sum}};
    for (const char *name : {"方案10", "方案2", " 方案1 "})
        EXPECT_EQ(schemes.save(QString::fromUtf8(name), set), QString());
    EXPECT_EQ(schemes.names(), (QStringList{"方案1", "方案2", "方案10"}));
    const SchemeReading back = schemes.load(QStringLiteral("方案2"));
    ASSERT_TRUE(back.set);
    EXPECT_EQ(back.set->part, FilterPart::FrontThree);
    EXPECT_EQ(back.set->conditions.at(0).values, "10");

    for (const char *bad : {"", "  ", "a/b", "..\\x", ".hidden", "what?"})
        EXPECT_FALSE(SchemeFolder::nameError(QString::fromUtf8(bad)).isEmpty()) << bad;
    EXPECT_FALSE(SchemeFolder::nameError(QString(61, u'名')).isEmpty());
    EXPECT_EQ(schemes.save(QStringLiteral("../up"), set), SchemeFolder::nameError("../up"));
    EXPECT_FALSE(QFile::exists(QDir(folder.path()).filePath("up.json")));
    EXPECT_EQ(schemes.load(QStringLiteral("无")).error, "没有名为“无”的方案");

    // A file far larger than any 方案 is not read.
    QFile huge(QDir(schemes.path()).filePath("大.json"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(QByteArray(5 << 20, ' '));
    huge.close();
    EXPECT_EQ(schemes.load(QStringLiteral("大")).error, "文件太大，不是缩水方案");

    EXPECT_EQ(schemes.remove(QStringLiteral("方案2")), QString());
    EXPECT_FALSE(schemes.contains(QStringLiteral("方案2")));
    EXPECT_EQ(schemes.remove(QStringLiteral("方案2")), "没有名为“方案2”的方案");
}
