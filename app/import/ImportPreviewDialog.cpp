#include "ImportPreviewDialog.h"

#include "BusyCursor.h"
#include "ConflictModel.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "ImportRowsModel.h"
#include "PanelWidgets.h"
#include "ScreenFit.h"
#include "TableImport.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace quorlent;
using namespace quorlent::import;

using panels::named;

namespace {

constexpr ColumnRole kRoles[] = {ColumnRole::Other,  ColumnRole::Issue,  ColumnRole::Date,
                                 ColumnRole::Digits, ColumnRole::Digit1, ColumnRole::Digit2,
                                 ColumnRole::Digit3, ColumnRole::Digit4, ColumnRole::Digit5};

QTableView *table(const QString &name)
{
    auto *view = named(new QTableView, name);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

QString issueText(const Game &game, int32_t sqqh)
{
    return game.displayForm(sqqh);
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(HistoryStore &history, ImportScan scan,
                                         const QString &fileName, int segmentBase, QWidget *parent)
    : QDialog(parent), m_history(history), m_scan(std::move(scan)), m_fileName(fileName),
      m_segmentBase(segmentBase)
{
    setObjectName(QStringLiteral("frmDaoru"));
    setWindowTitle(QStringLiteral("导入预览 — %1").arg(fileName));
    setModal(false);
    auto *layout = new QVBoxLayout(this);

    lblSummary = named(new QLabel, QStringLiteral("lblImportSummary"));
    lblSummary->setWordWrap(true);
    layout->addWidget(lblSummary);

    auto *gameRow = new QHBoxLayout;
    gameRow->addWidget(new QLabel(QStringLiteral("彩种")));
    cboImportGame = named(new QComboBox, QStringLiteral("cboImportGame"));
    m_games = m_scan.games.candidates();
    // A history with draws reads a file whose issues are written in its form as its own game:
    // a row beyond its schedule is then one refused row, not a reason to take another game.
    const bool sameForm = m_scan.games.form() == history.game().form();
    if ((!history.empty() && sameForm) || m_games.empty()) {
        std::erase(m_games, history.game());
        m_games.insert(m_games.begin(), history.game());
    }
    for (const Game &game : m_games)
        cboImportGame->addItem(game.scheduleName());
    gameRow->addWidget(cboImportGame);
    lblGameFit = named(new QLabel, QStringLiteral("lblGameFit"));
    lblGameFit->setWordWrap(true);
    gameRow->addWidget(lblGameFit, 1);
    cmdImportNewHistory = named(new QPushButton(QStringLiteral("新建这个彩种的历史库…")),
                                QStringLiteral("cmdImportNewHistory"));
    gameRow->addWidget(cmdImportNewHistory);
    layout->addLayout(gameRow);

    fraColumns = buildColumns();
    layout->addWidget(fraColumns);
    m_rows = new ImportRowsModel(this);
    grdImportRows = table(QStringLiteral("grdImportRows"));
    grdImportRows->setModel(m_rows);
    layout->addWidget(grdImportRows, 3);

    layout->addWidget(new QLabel(QStringLiteral("拒收的行（不会存入）：")));
    txtRefused = named(new QPlainTextEdit, QStringLiteral("txtRefused"));
    txtRefused->setReadOnly(true);
    txtRefused->setMaximumBlockCount(100000);
    layout->addWidget(txtRefused, 1);

    auto *mode = named(new QGroupBox(QStringLiteral("导入方式")), QStringLiteral("fraImportMode"));
    auto *modeLayout = new QVBoxLayout(mode);
    optImportReplace = named(new QRadioButton(QStringLiteral("替换历史：历史号码换成文件中的各期")),
                             QStringLiteral("optImportReplace"));
    optImportAdd = named(new QRadioButton(QStringLiteral("添加到历史：只存入历史没有的期")),
                         QStringLiteral("optImportAdd"));
    modeLayout->addWidget(optImportReplace);
    modeLayout->addWidget(optImportAdd);
    lblPlan = named(new QLabel, QStringLiteral("lblImportPlan"));
    lblPlan->setWordWrap(true);
    modeLayout->addWidget(lblPlan);
    m_conflicts = new ConflictModel(this);
    grdConflicts = table(QStringLiteral("grdConflicts"));
    grdConflicts->setModel(m_conflicts);
    grdConflicts->setMaximumHeight(140);
    modeLayout->addWidget(grdConflicts);
    layout->addWidget(mode, 1);

    lblResult = named(new QLabel, QStringLiteral("lblImportResult"));
    lblResult->setWordWrap(true);
    layout->addWidget(lblResult);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdImportOk = named(new QPushButton(QStringLiteral("导入(&I)")), QStringLiteral("cmdImportOk"));
    auto *cancel =
        named(new QPushButton(QStringLiteral("取消")), QStringLiteral("cmdImportCancel"));
    // Enter imports, as the dialog's purpose; 取消 stays a click (or Esc) away.
    cmdImportOk->setDefault(true);
    cancel->setAutoDefault(false);
    buttons->addWidget(cmdImportOk);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    // An empty history takes the file as it is; one with draws is more often added to.
    (history.empty() ? optImportReplace : optImportAdd)->setChecked(true);
    connect(cboImportGame, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::reread);
    connect(optImportAdd, &QRadioButton::toggled, this, &ImportPreviewDialog::planAgain);
    connect(cmdImportOk, &QPushButton::clicked, this, &ImportPreviewDialog::importNow);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdImportNewHistory, &QPushButton::clicked, this, [this] {
        emit newHistoryWanted(chosenGame(), QFileInfo(m_fileName).completeBaseName());
    });
    for (auto signal : {&HistoryStore::appended, &HistoryStore::removed, &HistoryStore::resetDone,
                        &HistoryStore::gameChanged, &HistoryStore::opened})
        connect(&history, signal, this, &ImportPreviewDialog::planAgain);
    connect(&history, &HistoryStore::rowsCorrected, this, &ImportPreviewDialog::planAgain);

    if (m_games.front() != m_scan.read.game)
        reread(); // read as the history's game, not the file's first guess
    showRead();
    planAgain();
    fitInsideScreen(this, QSize(1000, 700), parent);
}

QWidget *ImportPreviewDialog::buildColumns()
{
    auto *frame = named(new QGroupBox(QStringLiteral("各列的内容（认错了可以改）")),
                        QStringLiteral("fraImportColumns"));
    auto *grid = new QGridLayout(frame);
    const TableLayout &layout = m_scan.layout;
    for (int c = 0; c < int(layout.roles.size()); ++c) {
        const QString header = layout.header.value(c);
        grid->addWidget(
            new QLabel(header.isEmpty() ? QStringLiteral("第 %1 列").arg(c + 1) : header), 0, c);
        auto *role = named(new QComboBox, QStringLiteral("cboColumn(%1)").arg(c));
        for (ColumnRole r : kRoles)
            role->addItem(roleName(r), int(r));
        role->setCurrentIndex(role->findData(int(layout.roles[size_t(c)])));
        connect(role, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::reread);
        grid->addWidget(role, 1, c);
        m_columnRoles.push_back(role);
    }
    return frame;
}

const Game &ImportPreviewDialog::chosenGame() const
{
    const int index = cboImportGame->currentIndex();
    if (index >= 0 && index < int(m_games.size()))
        return m_games[size_t(index)];
    return m_history.game();
}

bool ImportPreviewDialog::gameFitsHistory() const
{
    return m_history.empty() || chosenGame() == m_history.game();
}

void ImportPreviewDialog::setColumnRole(int column, ColumnRole role)
{
    QComboBox *box = m_columnRoles.at(size_t(column));
    box->setCurrentIndex(box->findData(int(role)));
}

void ImportPreviewDialog::setGame(int candidate)
{
    cboImportGame->setCurrentIndex(candidate);
}

void ImportPreviewDialog::setAdding(bool adding)
{
    (adding ? optImportAdd : optImportReplace)->setChecked(true);
}

// The file read again with the roles and the game as chosen now.
void ImportPreviewDialog::reread()
{
    TableLayout layout = m_scan.layout;
    for (size_t c = 0; c < m_columnRoles.size() && c < layout.roles.size(); ++c)
        layout.roles[c] = ColumnRole(m_columnRoles[c]->currentData().toInt());
    {
        BusyCursor busy;
        TableImport::choose(m_scan, layout, chosenGame());
    }
    showRead();
    planAgain();
}

void ImportPreviewDialog::showRead()
{
    const ReadResult &read = m_scan.read;
    const Game &game = read.game;
    QString text;
    if (read.draws.empty()) {
        text = m_scan.message.isEmpty() ? QStringLiteral("按现在的设置读不到开奖号码。")
                                        : m_scan.message;
    } else {
        text = QStringLiteral("读到 %1 期（%2 至 %3），拒收 %4 行，另有 %5 行标题或空行不读。")
                   .arg(read.draws.size())
                   .arg(issueText(game, read.oldestIssue()), issueText(game, read.newestIssue()))
                   .arg(read.refused.size())
                   .arg(read.skippedLines);
        if (read.order == DrawOrder::NewestFirst)
            text += QStringLiteral("文件中新的一期在前，存入时按期号排列。");
    }
    m_readWords = text;
    lblSummary->setText(text);
    QStringList headers;
    for (size_t c = 0; c < m_columnRoles.size(); ++c)
        headers << m_columnRoles[c]->currentText();
    m_rows->setRows(read.firstRows, headers);
    grdImportRows->resizeColumnsToContents();
    QStringList refused;
    refused.reserve(qsizetype(read.refused.size()));
    for (const RefusedRow &row : read.refused)
        refused << row.message();
    txtRefused->setPlainText(refused.isEmpty() ? QStringLiteral("（没有）") : refused.join(u'\n'));
}

void ImportPreviewDialog::planAgain()
{
    const ReadResult &read = m_scan.read;
    const Game &game = chosenGame();
    const GameFit fit = m_scan.games.fit(m_history.game());
    if (m_history.empty())
        lblGameFit->setText(QStringLiteral("本历史库还没有开奖号码：导入后它的彩种是 %1。")
                                .arg(game.scheduleName()));
    else if (game == m_history.game())
        lblGameFit->setText(QStringLiteral("与本历史库的彩种相同。"));
    else
        lblGameFit->setText((fit.fits ? QStringLiteral("本历史库是 %1，与这个彩种不同。")
                                            .arg(m_history.game().scheduleName())
                                      : fit.reason) +
                            QStringLiteral("可以新建一个这个彩种的历史库读入它。"));
    cmdImportNewHistory->setVisible(!gameFitsHistory());

    const bool adding = optImportAdd->isChecked() && !m_history.empty();
    if (adding && gameFitsHistory()) {
        m_plan = MergePlan::of(m_history.rows(), read.draws, read.drawLines);
        lblPlan->setText(
            QStringLiteral("添加：新增 %1 期，%2 期已有相同的号码（跳过），%3 期的号码与已存的"
                           "不同（下表；不勾选就保留已存的，勾选的用文件的号码，记为修改）。")
                .arg(m_plan.newDraws.size())
                .arg(m_plan.sameIssues.size())
                .arg(m_plan.conflicts.size()));
        m_conflicts->setConflicts(m_plan.conflicts, game);
        grdConflicts->resizeColumnsToContents();
    } else {
        m_plan = {};
        lblPlan->setText(m_history.empty()
                             ? QStringLiteral("历史库是空的：文件中的各期全部存入。")
                             : QStringLiteral("替换：现有的 %1 期历史号码换成文件中的 %2 期。")
                                   .arg(m_history.size())
                                   .arg(read.draws.size()));
        m_conflicts->setConflicts({}, game);
    }
    grdConflicts->setVisible(adding && !m_plan.conflicts.empty());
    // The line that counts what was read also says what the chosen way stores of it.
    if (!read.draws.empty() && gameFitsHistory())
        lblSummary->setText(
            m_readWords +
            (adding ? QStringLiteral("按“添加”存入其中新增的 %1 期。").arg(m_plan.newDraws.size())
             : m_history.empty()
                 ? QStringLiteral("全部存入。")
                 : QStringLiteral("按“替换”存入这 %1 期，历史只留下它们。").arg(read.draws.size())));
    else
        lblSummary->setText(m_readWords);
    updateButtons();
}

void ImportPreviewDialog::updateButtons()
{
    const bool adding = optImportAdd->isChecked() && !m_history.empty();
    const bool somethingToStore = adding
                                      ? !m_plan.newDraws.empty() || !m_conflicts->ticked().empty()
                                      : !m_scan.read.draws.empty();
    cmdImportOk->setEnabled(m_history.isOpen() && gameFitsHistory() && somethingToStore);
    optImportAdd->setEnabled(!m_history.empty());
}

bool ImportPreviewDialog::importNow()
{
    planAgain(); // against the history as it is now
    const ReadResult &read = m_scan.read;
    if (!cmdImportOk->isEnabled()) {
        lblResult->setText(!gameFitsHistory() ? QStringLiteral("彩种与本历史库不同，不能导入。")
                                              : QStringLiteral("没有要存入的开奖号码。"));
        return false;
    }
    BusyCursor busy;
    const Game game = chosenGame();
    FileOpResult result;
    if (m_history.empty() && game != m_history.game() &&
        !m_history.setGame(game, m_history.name())) {
        result = FileOpResult::failure(QStringLiteral("历史库的彩种未能设置，历史号码未改动。"));
    } else if (optImportAdd->isChecked() && !m_history.empty()) {
        std::vector<DatedDraw> draws;
        draws.reserve(m_plan.newDraws.size());
        for (const HistoryLine &line : m_plan.newDraws)
            draws.push_back({line.sqqh, line.digits, line.date});
        const auto replaced = m_conflicts->ticked();
        if (m_history.mergeDraws(draws, replaced, m_segmentBase)) {
            result.ok = true;
            result.count = qsizetype(draws.size());
            result.message =
                QStringLiteral("已添加 %1 期，跳过相同的 %2 期，%3 期用文件的号码修改，"
                               "保留已存号码 %4 期，拒收 %5 行。")
                    .arg(draws.size())
                    .arg(m_plan.sameIssues.size())
                    .arg(replaced.size())
                    .arg(m_plan.conflicts.size() - replaced.size())
                    .arg(read.refused.size());
        } else {
            result = FileOpResult::failure(QStringLiteral("写入历史数据库失败，历史号码未改动。"));
        }
    } else if (storeLines(m_history, read.draws, m_segmentBase, false)) {
        result.ok = true;
        result.count = qsizetype(read.draws.size());
        result.message = QStringLiteral("已读入 %1 期历史号码（拒收 %2 行）。")
                             .arg(read.draws.size())
                             .arg(read.refused.size());
    } else {
        result = FileOpResult::failure(QStringLiteral("写入历史数据库失败，历史号码未改动。"));
    }
    lblResult->setText(result.message);
    emit imported(result);
    if (result.ok)
        accept();
    return result.ok;
}
