// The 缩水 window, and 用作定位: the tally grid's top outcomes as the 定位 of their position.
#include "BusyCursor.h"
#include "CommandPanel.h"
#include "FilterWindow.h"
#include "ResultsPanel.h"
#include "SearchOptionsPanel.h"
#include "frmMain.h"

#include <QAction>
#include <QInputDialog>
#include <QPushButton>

using namespace quorlent;

void frmMain::connectFilter()
{
    connect(m_commands->cmdSuoshui, &QPushButton::clicked, this, &frmMain::cmdSuoshui_Click);
    connect(m_menus.mnuSuoshui, &QAction::triggered, this, &frmMain::cmdSuoshui_Click);
    // The options in force while a result is shown are the ones it was tallied with.
    connect(m_results, &ResultsPanel::resultShown, this,
            [this] { m_shownTally = m_options->tallyOptions(); });
    connect(m_results, &ResultsPanel::useAsPositionRequested, this,
            &frmMain::mnuUseAsPosition_Click);
}

void frmMain::cmdSuoshui_Click()
{
    // One 缩水 window; asking again brings it to the front.
    if (!m_filterWindow) {
        BusyCursor busy;
        auto *window = new FilterWindow(*m_history, m_settings, m_programFolder, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_filterWindow = window;
    }
    m_filterWindow->show();
    m_filterWindow->raise();
    m_filterWindow->activateWindow();
}

void frmMain::mnuUseAsPosition_Click()
{
    const Tally &tally = m_results->tally();
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
    if (m_shownTally.groupSelection) {
        showStatus(QStringLiteral("结果统计是组选（第 1～%1 位合在一起），没有单独的一位可以定位："
                                  "把结果统计选为直选再检索。")
                       .arg(m_shownTally.lastPosition()));
        return;
    }
    QInputDialog ask(this);
    ask.setWindowTitle(QStringLiteral("用作定位"));
    ask.setLabelText(
        QStringLiteral("把第 %1 位定为出现次数最多的几个号码？").arg(m_shownTally.lastPosition()));
    ask.setInputMode(QInputDialog::IntInput);
    ask.setIntRange(1, 10);
    ask.setIntValue(5);
    if (ask.exec() != QDialog::Accepted)
        return;
    filter::DigitSet digits;
    const std::vector<TallyEntry> &ranked = tally.ranked();
    // An outcome never counted is no top outcome, whatever k asks for.
    for (size_t i = 0; i < ranked.size() && i < size_t(ask.intValue()) && ranked[i].count > 0; ++i)
        digits.insert(ranked[i].value);
    cmdSuoshui_Click();
    auto *window = static_cast<FilterWindow *>(m_filterWindow.data());
    showStatus(QStringLiteral("缩水：") +
               window->usePositionDigits(m_shownTally.lastPosition() - 1, digits));
}
