#include "ResultsPanel.h"

#include "HistoryStore.h"
#include "HitListModel.h"
#include "OutcomeChartView.h"
#include "OutcomeSummary.h"
#include "PanelWidgets.h"
#include "SearchResult.h"
#include "TallyModel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace quorlent;
using namespace panels;

namespace {

// Designed column widths, in twips.
constexpr std::initializer_list<int> kHitListWidths{1500, 680, 680, 680, 680, 680, 1800};
constexpr std::initializer_list<int> kTallyWidths{480, 680, 800, 880};

// The designed widths, widened where this font's texts need more room. Every line of a grid
// writes a column in the same form (an issue, one code, five digits, a share), so the first line
// tells the width: measuring a thousand lines of a long hit list would cost more than the search.
void fitColumns(QTableView *grid, std::initializer_list<int> widthsInTwips)
{
    const QAbstractItemModel *model = grid->model();
    int column = 0;
    for (int width : widthsInTwips) {
        int text = 0;
        for (int row = 0; row < std::min(model->rowCount(), 2); ++row)
            text = std::max(text, grid->sizeHintForIndex(model->index(row, column)).width() +
                                      (grid->showGrid() ? 1 : 0)); // as sizeHintForColumn counts
        grid->setColumnWidth(column, std::max({twips(width), text,
                                               grid->horizontalHeader()->sectionSizeHint(column)}));
        ++column;
    }
}

} // namespace

ResultsPanel::ResultsPanel(const HistoryStore &history, QWidget *parent)
    : QWidget(parent), m_history(history)
{
    lblStale = named(new QLabel, QStringLiteral("lblStale"));
    lblStale->setStyleSheet(QStringLiteral("QLabel { background: #fff3c4; color: #6b4e00; "
                                           "border: 1px solid #e0c060; padding: 2px 6px; }"));
    lblStale->setWordWrap(true);
    lblStale->hide();
    MSFlexGrid2 = grid("MSFlexGrid2");
    MSFlexGrid2->setToolTip(kExportTip);
    MSFlexGrid3 = grid("MSFlexGrid3");
    chartOutcome = named(new OutcomeChartView, QStringLiteral("chartOutcome"));
    lblOutcomeStats = named(new QLabel, QStringLiteral("lblOutcomeStats"));
    lblOutcomeStats->setWordWrap(true);
    lblOutcomeStats->setToolTip(chanceNote());

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
    fitTallyGrid();
    mnuUseAsPosition = new QAction(QStringLiteral("用作定位"), MSFlexGrid3);
    mnuUseAsPosition->setObjectName(QStringLiteral("mnuUseAsPosition"));
    mnuUseAsPosition->setToolTip(
        QStringLiteral("在缩水窗口里把统计的这一位定为出现最多的几个号码"));
    MSFlexGrid3->addAction(mnuUseAsPosition);
    MSFlexGrid3->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(mnuUseAsPosition, &QAction::triggered, this, &ResultsPanel::useAsPositionRequested);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblStale);
    layout->addWidget(MSFlexGrid2, 3);
    auto *outcomes = new QHBoxLayout;
    outcomes->addWidget(MSFlexGrid3, 0);
    outcomes->addWidget(chartOutcome, 1);
    layout->addLayout(outcomes, 2);
    layout->addWidget(lblOutcomeStats);

    connect(&history, &HistoryStore::aboutToRemove, this, &ResultsPanel::forgetHits);
    connect(&history, &HistoryStore::aboutToReset, this, &ResultsPanel::forgetHits);
    connect(&history, &HistoryStore::opened, this, &ResultsPanel::clear);
}

// The tally grid keeps the width of its columns (and room for a scroll bar); the chart beside it
// takes the rest.
void ResultsPanel::fitTallyGrid()
{
    int width =
        2 * MSFlexGrid3->frameWidth() + MSFlexGrid3->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < MSFlexGrid3->model()->columnCount(); ++c)
        width += MSFlexGrid3->columnWidth(c);
    MSFlexGrid3->setFixedWidth(width);
}

void ResultsPanel::showResult(const SearchResult &result, const TallyOptions &options)
{
    m_hitModel->setResult(m_history.rows(), result);
    fitColumns(MSFlexGrid2, kHitListWidths);
    MSFlexGrid2->scrollToTop();
    m_tally = result.tally;
    m_options = options;
    m_tallyModel->setTally(result.tally);
    fitColumns(MSFlexGrid3, kTallyWidths);
    MSFlexGrid3->scrollToTop();
    fitTallyGrid();
    chartOutcome->setTally(result.tally);
    lblOutcomeStats->setText(
        outcomeSummary(static_cast<int64_t>(result.hits.size()), chartOutcome->statistics()));
    lblStale->hide();
}

void ResultsPanel::clear()
{
    m_hitModel->clear();
    m_tally = Tally();
    m_tallyModel->clear();
    chartOutcome->clear();
    lblOutcomeStats->clear();
    lblStale->hide();
}

void ResultsPanel::markStale(const QString &why)
{
    lblStale->setText(why);
    lblStale->show();
}

bool ResultsPanel::isStale() const
{
    return !lblStale->isHidden();
}

void ResultsPanel::forgetHits()
{
    m_hitModel->clear();
}
