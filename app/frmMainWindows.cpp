// The windows beside the main one: the trend chart, the backtest, the 缩水 window (and 用作定位
// from the tally grid), the 计划 window (and its 遗漏统计 from 分析 or the trend chart), the missing-draw list, the help and the import preview.
#include "BacktestDialog.h"
#include "BusyCursor.h"
#include "FilterWindow.h"
#include "HelpWindow.h"
#include "HistoryCommands.h"
#include "HistoryStore.h"
#include "ImportPreviewDialog.h"
#include "MissingDrawCheck.h"
#include "MissingDrawDialog.h"
#include "PlanWindow.h"
#include "Prompts.h"
#include "ResultsPanel.h"
#include "SearchOptionsPanel.h"
#include "ToolWindow.h"
#include "TrendChartWindow.h"
#include "frmMain.h"

#include <QDir>
#include <QPushButton>

using namespace quorlent;

void frmMain::cmdZoushi_Click()
{
    showOnce(m_trendWindow, [this]() -> QWidget * {
        BusyCursor busy;
        // The chart opens with the choices as the store holds them, set here or elsewhere.
        m_settings.reread(Settings::Section::Trend);
        auto *window = new TrendChartWindow(*m_history, m_settings, m_programFolder, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &TrendChartWindow::omissionsWanted, this, &frmMain::showOmissions);
        return window;
    });
}

void frmMain::cmdHuice_Click()
{
    showOnce(m_backtest, [this] {
        auto *dialog = new BacktestDialog(
            *m_history,
            [this] {
                BacktestRequest request;
                request.request = m_options->searchRequest();
                request.tally = m_options->tallyOptions();
                request.typedReference = m_options->isManualTab();
                return request;
            },
            m_commands.button(Command::Backtest), this);
        dialog->setImagePath(QDir(m_programFolder).filePath(QStringLiteral("回测.png")));
        return dialog;
    });
}

void frmMain::cmdSuoshui_Click()
{
    showOnce(m_filterWindow, [this]() -> QWidget * {
        BusyCursor busy;
        m_settings.reread(Settings::Section::Filter);
        auto *window = new FilterWindow(*m_history, m_settings, m_programFolder, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        return window;
    });
}

void frmMain::cmdJihua_Click()
{
    showOnce(m_planWindow, [this] {
        BusyCursor busy;
        auto *window = new PlanWindow(*m_history, m_programFolder, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        return window;
    });
}

void frmMain::showOmissions()
{
    cmdJihua_Click();
    m_planWindow->showOmissions();
}

void frmMain::mnuShuoming_Click()
{
    showOnce(m_helpWindow, [this]() -> QWidget * {
        auto *help = new HelpWindow(this);
        help->setAttribute(Qt::WA_DeleteOnClose);
        return help;
    });
}

void frmMain::mnuQueqi_Click()
{
    trend::MissingDrawReport report;
    {
        BusyCursor busy;
        report = trend::checkMissingDraws(m_history->rows(), m_history->game());
    }
    MissingDrawDialog dialog(report, m_history->game(), m_programFolder, this);
    dialog.exec();
}

// 用作定位: the tally grid's top outcomes as the 定位 of their position in the 缩水 window.
void frmMain::mnuUseAsPosition_Click()
{
    const Tally &tally = m_results->tally();
    const TallyOptions &tallied = m_results->tallyOptions();
    if (tally.total() == 0) {
        showStatus(QStringLiteral("结果统计里还没有号码：先检索，再把统计用作定位。"));
        return;
    }
    if (tally.kind() != Kind::Number) {
        showStatus(
            QStringLiteral("结果统计的是%1，不是号码：把结果类型选为“号码”再检索，才能用作定位。")
                .arg(tally.kind() == Kind::BigSmall  ? QStringLiteral("大小")
                     : tally.kind() == Kind::OddEven ? QStringLiteral("单双")
                                                     : QStringLiteral("段数")));
        return;
    }
    if (tallied.groupSelection) {
        showStatus(QStringLiteral("结果统计是组选（第 1～%1 位合在一起），没有单独的一位可以定位："
                                  "把结果统计选为直选再检索。")
                       .arg(tallied.lastPosition()));
        return;
    }
    const std::optional<int> top = prompts::askNumber(
        this, QStringLiteral("用作定位"),
        QStringLiteral("把第 %1 位定为出现次数最多的几个号码？").arg(tallied.lastPosition()), 5, 1,
        10);
    if (!top)
        return;
    filter::DigitSet digits;
    const std::vector<TallyEntry> &ranked = tally.ranked();
    // An outcome never counted is no top outcome, whatever k asks for.
    for (size_t i = 0; i < ranked.size() && i < size_t(*top) && ranked[i].count > 0; ++i)
        digits.insert(ranked[i].value);
    cmdSuoshui_Click();
    auto *window = static_cast<FilterWindow *>(m_filterWindow.data());
    showStatus(QStringLiteral("缩水：") +
               window->usePositionDigits(tallied.lastPosition() - 1, digits));
}

// A file of another layout, as the preview shows it: one preview at a time, a new file takes the
// place of the one shown.
void frmMain::previewImport(std::shared_ptr<import::ImportScan> scan, const QString &name)
{
    delete m_importPreview;
    auto *preview = new ImportPreviewDialog(*m_history, std::move(*scan), name,
                                            m_settings.number(Settings::DsIni), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    m_importPreview = preview;
    connect(preview, &ImportPreviewDialog::imported, m_historyCommands,
            &HistoryCommands::importFinished);
    connect(preview, &ImportPreviewDialog::newHistoryWanted, m_historyCommands,
            &HistoryCommands::createHistoryFor);
    preview->show();
}
