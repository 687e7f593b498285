// The two searches and the result phase they share.
#include "BusyCursor.h"
#include "HistoryStore.h"
#include "HitListModel.h"
#include "SearchResult.h"
#include "TallyModel.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>

using namespace quorlent;

namespace {

int twips(int value) { return value / 15; }

// Designed column widths, in twips.
constexpr std::initializer_list<int> kHitListWidths{1500, 680, 680, 680, 680, 680, 1800};
constexpr std::initializer_list<int> kTallyWidths{480, 680, 800, 880};

// The designed widths, widened where this font's texts need more room.
void fitColumns(QTableView *grid, std::initializer_list<int> widthsInTwips)
{
    int column = 0;
    for (int width : widthsInTwips) {
        grid->setColumnWidth(column, std::max({twips(width), static_cast<QAbstractItemView *>(grid)->sizeHintForColumn(column),
                                               grid->horizontalHeader()->sectionSizeHint(column)}));
        ++column;
    }
}

} // namespace

void frmMain::setUpResultGrids()
{
    m_hitModel = new HitListModel(this);
    MSFlexGrid2->setModel(m_hitModel);
    m_tallyModel = new TallyModel(this);
    MSFlexGrid3->setModel(m_tallyModel);
    fitColumns(MSFlexGrid2, kHitListWidths);
    fitColumns(MSFlexGrid3, kTallyWidths);
    // Room for every designed column of the hit list: the window never hides one behind a scroll
    // bar (the tally grid is held to its columns beside the outcome chart).
    MSFlexGrid2->setMinimumWidth(MSFlexGrid2->horizontalHeader()->length() +
                                 MSFlexGrid2->verticalScrollBar()->sizeHint().width() +
                                 2 * MSFlexGrid2->frameWidth());
    MSFlexGrid2->horizontalHeader()->setStretchLastSection(true);
    // The hits refer to rows by index: a removal or a new history makes them meaningless.
    connect(m_history.get(), &HistoryStore::aboutToRemove, m_hitModel, &HitListModel::clear);
    connect(m_history.get(), &HistoryStore::aboutToReset, m_hitModel, &HitListModel::clear);
}

SearchRequest frmMain::searchRequest() const
{
    SearchRequest request;
    request.freePositions = !Option1[0]->isChecked();
    request.previousDraw = m_settings.flag(Settings::bolSq);
    request.earlierDistance = m_settings.number(Settings::intPreQi);
    request.kind = static_cast<Kind>(m_settings.number(Settings::intLei));
    for (int p = 1; p <= 5; ++p) {
        request.reference[p - 1] = intRefPattern[p];
        request.selected[p - 1] = (bolShoudong ? Check11[p] : Check1[p])->isChecked();
    }
    request.combinationWidth = m_settings.number(Settings::intZhWSetup);
    request.rangeStart = Text3[0]->text();
    request.rangeEnd = Text3[1]->text();
    request.game = m_history->game();
    return request;
}

TallyOptions frmMain::tallyOptions() const
{
    TallyOptions options;
    options.groupSelection = m_settings.flag(Settings::bolZuxuan);
    options.position = m_settings.number(Settings::intConsqSort);
    options.resultKind = static_cast<Kind>(m_settings.number(Settings::intXianshiLei));
    options.segmentBase = m_settings.number(Settings::DsIni);
    return options;
}

void frmMain::Command1_Click()
{
    BusyCursor busy;
    ShowSearchResult(runFollowSearch(m_history->rows(), searchRequest(), tallyOptions()));
}

void frmMain::Command2_Click()
{
    BusyCursor busy;
    ShowSearchResult(runCombinationSearch(m_history->rows(), searchRequest(), tallyOptions()));
}

void frmMain::ShowSearchResult(const SearchResult &result)
{
    m_hitModel->setResult(m_history->rows(), result);
    fitColumns(MSFlexGrid2, kHitListWidths);
    MSFlexGrid2->scrollToTop();
    m_tallyModel->setTally(result.tally);
    fitColumns(MSFlexGrid3, kTallyWidths);
    MSFlexGrid3->scrollToTop();
    showOutcomeStats(result);

    if (!result.rangeValid) {
        const Game &game = m_history->game();
        showStatus(game.isStandard()
                       ? QStringLiteral("检索起止期数无法识别，请输入十一位期号。")
                       : QStringLiteral("检索起止期数无法识别，%1。").arg(game.formHint()));
        return;
    }
    if (HistoryDb *db = m_history->db(); db && !db->writeTally(result.tally.carcuRows())) {
        showStatus(QStringLiteral("统计结果未能写入数据库：%1")
                       .arg(QString::fromStdString(db->sql().lastError())));
        return;
    }
    showStatus(QStringLiteral("检索完成：命中 %1 期。").arg(result.hits.size()));
}
