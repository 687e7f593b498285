// The window's commands: one row each, one action each, one function for their state.
#include "AboutDialog.h"
#include "HelpLinks.h"
#include "Histories.h"
#include "HistoryCommands.h"
#include "HistoryPanel.h"
#include "Prompts.h"
#include "frmMain.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

using namespace quorlent;

std::span<const CommandRow> frmMain::commandTable()
{
    using W = frmMain;
    constexpr auto none = QKeySequence::UnknownKey;
    // clang-format off
    static constexpr CommandRow kRows[] = {
        // command, action, caption, menus, separator before, button, its caption, its tip,
        // its place, waits for the update, checkable, shortcut, handler
        {Command::NewHistory, "mnuNewHistory", "新建历史库(&N)…", Lsgl, 0, nullptr, nullptr, nullptr,
         -1, -1, true, false, none, [](W &w) { w.m_histories->newHistory(); }},
        {Command::OpenHistory, "mnuOpenHistory", "打开历史库(&P)…", Lsgl, 0, nullptr, nullptr, nullptr,
         -1, -1, true, false, none, [](W &w) { w.m_histories->openOther(); }},
        // The recently used histories come before this entry's separator.
        {Command::HistoryGame, "mnuGame", "历史库名称与彩种(&G)…", Lsgl, Lsgl, nullptr, nullptr, nullptr,
         -1, -1, true, false, none, [](W &w) { w.m_histories->nameAndGame(); }},
        {Command::CorrectDraw, "mnuXiugai", "修改开奖号码(&M)…", Lsgl, Lsgl, nullptr, nullptr, nullptr,
         -1, -1, true, false, none,
         [](W &w) { w.m_historyCommands->correctDraw(w.m_historyPanel->chosenRow()); }},
        {Command::ExportGrid, "mnuDcls", "导出历史号码(&O)", Lsgl, 0, nullptr, nullptr, nullptr,
         -1, -1, false, false, none, [](W &w) { w.MSFlexGrid1_DblClick(); }},
        {Command::DeleteNewest, "mnuErase", "删除最后历史(&E)", Lsgl, 0, "Command3", "删除最后历史(&D)",
         nullptr, 1, 1, true, false, none, [](W &w) {
             w.m_historyCommands->deleteNewest();
             w.m_historyPanel->focusEntry();
         }},
        {Command::Clear, "mnuClear", "清空历史号码(&C)", Lsgl, 0, nullptr, nullptr, nullptr,
         -1, -1, true, false, none, [](W &w) { w.m_historyCommands->clearAll(); }},
        {Command::DeleteTo, "mnuDlzd", "删除到选定期(&D)", Lsgl, 0, nullptr, nullptr, nullptr,
         -1, -1, true, false, none, [](W &w) { w.m_historyCommands->deleteTo(); }},
        {Command::DeleteLast, "mnuEszhzd", "删除最后指定数量期历史(&E)", Lsgl, 0, nullptr, nullptr,
         nullptr, -1, -1, true, false, none, [](W &w) { w.m_historyCommands->deleteLast(); }},
        {Command::UndoDeletion, "mnuUndoDeletion", "撤销删除(&U)", Lsgl, 0, nullptr, nullptr, nullptr,
         -1, -1, true, false, none, [](W &w) { w.m_historyCommands->undoDeletion(); }},
        {Command::MissingDraws, "mnuQueqi", "缺期检查(&Q)", Lsgl, 0, nullptr, nullptr, nullptr,
         -1, -1, false, false, none, [](W &w) { w.mnuQueqi_Click(); }},
        {Command::TrendChart, "mnuZoushi", "走势图(&Z)", Fenxi, 0, "cmdZoushi", "走势图(&Z)", nullptr,
         2, 1, false, false, none, [](W &w) { w.cmdZoushi_Click(); }},
        {Command::Backtest, "mnuHuice", "回测(&B)", Fenxi, 0, "cmdHuice", "回测(&B)",
         "看当前的检索若在每一期开奖前使用，预测会命中多少",
         2, 0, true, false, none, [](W &w) { w.cmdHuice_Click(); }},
        {Command::Filter, "mnuSuoshui", "缩水(&F)", Fenxi, 0, "cmdSuoshui", "缩水(&F)",
         "按条件缩小全部号码的范围，并看每个条件过去是否好过随机",
         2, 2, false, false, none, [](W &w) { w.cmdSuoshui_Click(); }},
        {Command::Plan, "mnuJihua", "计划(&J)", Fenxi, 0, "cmdJihua", "计划(&J)",
         "把一条规则一期一期地跟下去：每期的号码、花费、奖金、连中连挂，和随机相比如何",
         3, 0, false, false, none, [](W &w) { w.cmdJihua_Click(); }},
        {Command::Omissions, "mnuYilou", "遗漏统计(&L)", Fenxi, 0, nullptr, nullptr, nullptr,
         -1, -1, false, false, none, [](W &w) { w.showOmissions(); }},
        {Command::SegmentBase0, "mnuDscs(0)", "段数参数0~4", Segments, 0, nullptr, nullptr, nullptr,
         -1, -1, true, true, none, [](W &w) { w.mnuDscs_Click(0); }},
        {Command::SegmentBase1, "mnuDscs(1)", "段数参数1~5", Segments, 0, nullptr, nullptr, nullptr,
         -1, -1, true, true, none, [](W &w) { w.mnuDscs_Click(1); }},
        // 红球/红蓝 is only kept: the combination search is the same with either.
        {Command::RedBall, "mnuZhpm(1)", "红球", Zhpm, 0, nullptr, nullptr,
         "只是保存的一项选择，不改变组合检索的结果", -1, -1, false, true, none,
         [](W &w) { w.mnuZhpm_Click(1); }},
        {Command::RedBlue, "mnuZhpm(0)", "红蓝", Zhpm, 0, nullptr, nullptr,
         "只是保存的一项选择，不改变组合检索的结果", -1, -1, false, true, none,
         [](W &w) { w.mnuZhpm_Click(0); }},
        {Command::UpdateDays, "mnuSetDay", "历史号码更新检索天(&Y)", Set, Set, nullptr, nullptr, nullptr,
         -1, -1, false, false, none, [](W &w) { w.mnuSetDay_Click(); }},
        {Command::UpdateAddress, "mnuSetUrl", "在线更新网址设置(&U)", Set, 0, nullptr, nullptr, nullptr,
         -1, -1, false, false, none, [](W &w) { w.m_historyCommands->setUpdateAddress(); }},
        {Command::Manual, "mnuShuoming", "使用说明(&H)", Help, 0, nullptr, nullptr, nullptr,
         -1, -1, false, false, QKeySequence::HelpContents, [](W &w) { w.mnuShuoming_Click(); }},
        {Command::FrontPage, help::kLinks[0].actionName, help::kLinks[0].caption, Set | Help, Help,
         nullptr, nullptr, nullptr, -1, -1, false, false, none, nullptr},
        {Command::Description, help::kLinks[1].actionName, help::kLinks[1].caption, Set | Help, 0,
         nullptr, nullptr, nullptr, -1, -1, false, false, none, nullptr},
        {Command::DemoVideo, help::kLinks[2].actionName, help::kLinks[2].caption, Set | Help, 0,
         nullptr, nullptr, nullptr, -1, -1, false, false, none, nullptr},
        {Command::About, "mnuAbout", "关于 Quorlent", Set | Help, Set | Help, nullptr, nullptr, nullptr,
         -1, -1, false, false, none, [](W &w) { w.mnuAbout_Click(); }},
        // The buttons without a menu entry.
        {Command::Search, "actCommand1", "检索(&S)", NoMenu, 0, "Command1", "检索(&S)", nullptr,
         0, 0, true, false, none, [](W &w) { w.Command1_Click(); }},
        {Command::CombinationSearch, "actCommand2", "组合检索(&G)", NoMenu, 0, "Command2",
         "组合检索(&G)", nullptr, -1, -1, true, false, none, [](W &w) { w.Command2_Click(); }},
        {Command::OnlineUpdate, "actCommand21", "历史号在线更新(&O)", NoMenu, 0, "Command21",
         "历史号在线更新(&O)", "从官方服务器更新历史号码", 0, 1, true, false, none,
         [](W &w) { w.m_historyCommands->startUpdate(); }},
        {Command::ReadText, "actCmdRdLst", "读取历史号文本(&W)", NoMenu, 0, "cmdRdLst",
         "读取历史号文本(&W)", "从历史号码文本文件中读取历史号中最后一期之后的新的历史号码",
         0, 2, true, false, none, [](W &w) { w.m_historyCommands->importText(); }},
        // Its own letter: (O) is the online update's, and a window's mnemonics are each unique.
        {Command::ExportText, "actCommand4", "历史号码导出文本文件(&X)", NoMenu, 0, "Command4",
         "历史号码导出文本文件(&X)", nullptr, 1, 0, true, false, none,
         [](W &w) { w.m_historyCommands->exportText(); }},
        {Command::SettingsMenu, "actCommand9", "软件设置(&T)", NoMenu, 0, "Command9", "软件设置(&T)",
         nullptr, 1, 2, false, false, none, [](W &w) { w.Command9_Click(); }},
    };
    // clang-format on
    static_assert(std::size(kRows) == size_t(Command::Count), "one row for every command");
    return kRows;
}

void frmMain::connectCommands()
{
    for (const CommandRow &row : m_commands.rows()) {
        if (row.handler)
            connect(m_commands.action(row.command), &QAction::triggered, this,
                    [this, handler = row.handler] { handler(*this); });
    }
    connect(&m_settings, &Settings::changed, this, [this](Settings::Key key) {
        if (key == Settings::DsIni || key == Settings::bolZhpm)
            updateCommandState();
    });
}

// What may be done now: while the online update runs, nothing that changes or searches the
// history; the segment base in force checked.
void frmMain::updateCommandState()
{
    const bool updating = m_historyCommands && m_historyCommands->isUpdating();
    for (const CommandRow &row : m_commands.rows())
        m_commands.action(row.command)->setEnabled(!(row.waitsForUpdate && updating));
    // Only while the history is as the last deletion left it.
    m_commands.action(Command::UndoDeletion)
        ->setEnabled(!updating && m_historyCommands && m_historyCommands->canUndoDeletion());
    const int segmentBase = m_settings.number(Settings::DsIni);
    m_commands.action(Command::SegmentBase0)->setChecked(segmentBase == 0);
    m_commands.action(Command::SegmentBase1)->setChecked(segmentBase == 1);
    const bool redBall = m_settings.flag(Settings::bolZhpm);
    m_commands.action(Command::RedBall)->setChecked(redBall);
    m_commands.action(Command::RedBlue)->setChecked(!redBall);
    for (QAction *recent : m_recentActions)
        recent->setEnabled(!updating);
    m_historyPanel->setEntryEnabled(!updating);
}

// ---- The settings menu ------------------------------------------------------------------------

void frmMain::Command9_Click()
{
    m_commands.menu(Set)->popup(QCursor::pos());
}

void frmMain::mnuDscs_Click(int index)
{
    m_settings.set(Settings::DsIni, index);
    updateCommandState(); // the entry chosen again stays checked
}

void frmMain::mnuZhpm_Click(int index)
{
    m_settings.setFlag(Settings::bolZhpm, index != 0);
    updateCommandState(); // the entry chosen again stays checked
}

void frmMain::mnuSetDay_Click()
{
    const QString prompt =
        QStringLiteral("请输入更新需要保留的历史号码的天数（2~16中的任意自然数），"
                       "如果超过天数将删除最早的一天的历史号码");
    for (;;) {
        const QString answer =
            prompts::askText(this, QStringLiteral("设置天数"), prompt,
                             QString::number(m_settings.number(Settings::IniSerchDay)))
                .value_or(QString())
                .trimmed();
        if (answer.isEmpty())
            return;
        bool ok = false;
        const int days = answer.toInt(&ok);
        if (ok && m_settings.set(Settings::IniSerchDay, days))
            return;
        prompts::tell(this, QMessageBox::NoIcon, QStringLiteral("输入有误"),
                      QStringLiteral("为了保证时效性和提高计算效率，软件只能统计16天以内的数据，"
                                     "请输入2到16中的自然数。"));
    }
}

void frmMain::mnuAbout_Click()
{
    AboutDialog dialog(m_programFolder, Settings::fileName(), this);
    dialog.exec();
}
