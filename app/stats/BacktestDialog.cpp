#include "BacktestDialog.h"

#include "ScreenFit.h"

#include "BacktestChartView.h"
#include "HistoryStore.h"
#include "OutcomeSummary.h"
#include "Significance.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>

using namespace quorlent;

namespace {

const QStringList kKinds{QStringLiteral("号码"), QStringLiteral("大小"), QStringLiteral("单双"),
                         QStringLiteral("段数")};

// The options a run used, in the words of the main window.
QString describe(const BacktestRequest &b)
{
    const SearchRequest &r = b.request;
    const bool follow = b.search == BacktestRequest::Search::Follow;
    QStringList parts;
    parts << (follow ? QStringLiteral("检索") : QStringLiteral("组合检索"))
          << (r.freePositions ? QStringLiteral("自由位") : QStringLiteral("固定位"))
          << (r.previousDraw ? QStringLiteral("上期")
                             : QStringLiteral("前 %1 期").arg(r.distance()))
          << QStringLiteral("搜索 %1").arg(kKinds.value(static_cast<int>(r.kind)));
    if (follow) {
        QStringList positions;
        for (int p = 0; p < kPositions; ++p) {
            if (r.selected[p])
                positions << QString::number(p + 1);
        }
        parts << (positions.isEmpty()
                      ? QStringLiteral("未选检索位")
                      : QStringLiteral("第%1位").arg(positions.join(QStringLiteral("、"))));
    } else {
        parts << QStringLiteral("组合位数 %1").arg(r.combinationWidth);
    }
    if (b.typedReference) {
        QStringList values;
        for (int v : r.reference)
            values << QString::number(v);
        parts << QStringLiteral("手动输入号 %1").arg(values.join(QLatin1Char(' ')));
    } else {
        parts << QStringLiteral("自动历史位");
    }
    parts << QStringLiteral("结果 %1").arg(kKinds.value(static_cast<int>(b.tally.resultKind)))
          << (b.tally.groupSelection ? QStringLiteral("组选第1～%1位").arg(b.tally.lastPosition())
                                     : QStringLiteral("直选第%1位").arg(b.tally.lastPosition()))
          << QStringLiteral("起止 %1～%2").arg(r.rangeStart, r.rangeEnd);
    return parts.join(QStringLiteral("，"));
}

struct Figures
{
    int64_t hits = 0;
    int64_t trials = 0;
    double rate = 0;
    significance::Interval interval;
    double pValue = 1;

    Figures(int64_t h, int64_t t, double chance)
        : hits(h), trials(t), rate(t > 0 ? double(h) / double(t) : 0),
          interval(significance::wilsonInterval(h, t)),
          pValue(significance::binomialTwoSided(h, t, chance))
    {
    }
};

QString verdict(const QString &who, const Figures &f, double chance)
{
    if (f.trials == 0)
        return who + QStringLiteral("没有可评分的预测");
    if (f.pValue >= 0.05)
        return who + QStringLiteral("的命中率与随机无显著差异");
    return who + (f.rate > chance ? QStringLiteral("的命中率显著高于随机（%1）")
                                  : QStringLiteral("的命中率显著低于随机（%1）"))
                     .arg(formatP(f.pValue));
}

} // namespace

BacktestDialog::BacktestDialog(HistoryStore &history, std::function<BacktestRequest()> options,
                               QWidget *launcher, QWidget *parent)
    : QDialog(parent), m_history(history), m_options(std::move(options)), m_launcher(launcher)
{
    setObjectName(QStringLiteral("BacktestDialog"));
    setWindowTitle(QStringLiteral("回测"));
    setModal(false);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *which = new QGroupBox(QStringLiteral("回测的检索"));
    which->setObjectName(QStringLiteral("fraBacktestSearch"));
    auto *whichLayout = new QHBoxLayout(which);
    m_follow = new QRadioButton(QStringLiteral("检索"));
    m_follow->setObjectName(QStringLiteral("optBacktestFollow"));
    m_follow->setChecked(true);
    m_combination = new QRadioButton(QStringLiteral("组合检索"));
    m_combination->setObjectName(QStringLiteral("optBacktestCombination"));
    whichLayout->addWidget(m_follow);
    whichLayout->addWidget(m_combination);
    top->addWidget(which);
    auto *note =
        new QLabel(QStringLiteral("其余选项取主窗口当前的设置；每一期只用它之前的历史号码预测。"));
    note->setObjectName(QStringLiteral("lblBacktestNote"));
    note->setWordWrap(true);
    top->addWidget(note, 1);
    m_start = new QPushButton(QStringLiteral("开始(&R)"));
    m_start->setObjectName(QStringLiteral("cmdBacktestStart"));
    m_stop = new QPushButton(QStringLiteral("取消(&C)"));
    m_stop->setObjectName(QStringLiteral("cmdBacktestCancel"));
    auto *close = new QPushButton(QStringLiteral("关闭"));
    close->setObjectName(QStringLiteral("cmdBacktestClose"));
    top->addWidget(m_start);
    top->addWidget(m_stop);
    top->addWidget(close);
    connect(close, &QPushButton::clicked, this, &BacktestDialog::reject);
    layout->addLayout(top);

    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("barBacktest"));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    m_status = new QLabel(QStringLiteral("按“开始”回测。"));
    m_status->setObjectName(QStringLiteral("lblBacktestStatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    m_figures = new QLabel;
    m_figures->setObjectName(QStringLiteral("lblBacktestFigures"));
    m_figures->setTextFormat(Qt::RichText);
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_figures->setToolTip(QStringLiteral(
        "命中率：命中次数 ÷ 试验次数。随机命中率：每个数字等可能时的命中率。\n"
        "95% 区间（Wilson）：命中率的 95% 置信区间；包含随机命中率，就说明与随机分不开。\n"
        "精确二项检验：若只是随机，得到离随机命中率这么远（或更远）的命中次数的概率。\n"
        "朴素基准：每一期都预测到那时为止出现最多的结果，用同样的期数评分。\n"
        "（详见 帮助 → 使用说明，F1）"));
    left->addWidget(m_figures);
    m_verdict = new QLabel;
    m_verdict->setObjectName(QStringLiteral("lblBacktestVerdict"));
    m_verdict->setWordWrap(true);
    m_verdict->setToolTip(chanceNote());
    left->addWidget(m_verdict);
    left->addStretch(1);
    body->addLayout(left, 0);
    m_chart = new BacktestChartView;
    m_chart->setObjectName(QStringLiteral("chartBacktest"));
    body->addWidget(m_chart, 1);
    layout->addLayout(body, 1);

    connect(m_start, &QPushButton::clicked, this, &BacktestDialog::start);
    connect(m_stop, &QPushButton::clicked, this,
            [this] { cancel(QStringLiteral("回测已取消。")); });
    connect(m_chart, &SavableChartView::imageSaved, this, [this](const QString &path, bool ok) {
        m_status->setText(ok ? QStringLiteral("图片已保存：%1").arg(path)
                             : QStringLiteral("图片未能保存：%1").arg(path));
    });
    // The copy a run works on no longer is the history.
    const auto changed = [this] { cancel(QStringLiteral("历史号码已改变，回测已取消。")); };
    connect(&m_history, &HistoryStore::aboutToAppend, this, changed);
    connect(&m_history, &HistoryStore::aboutToRemove, this, changed);
    connect(&m_history, &HistoryStore::aboutToReset, this, changed);
    connect(&m_history, &HistoryStore::rowsCorrected, this, changed);
    m_launcher->installEventFilter(this);

    updateButtons();
    fitInsideScreen(this, QSize(980, 560), parent);
}

BacktestDialog::~BacktestDialog()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

void BacktestDialog::setImagePath(const QString &path)
{
    m_chart->setProposedPath(path);
}

void BacktestDialog::start()
{
    if (m_thread || !m_launcher || !m_launcher->isEnabled())
        return;
    m_request = m_options();
    m_request.search = m_combination->isChecked() ? BacktestRequest::Search::Combination
                                                  : BacktestRequest::Search::Follow;
    m_rows = m_history.rows();
    m_cancel = false;
    m_cancelReason.clear();
    m_progress->setValue(0);
    m_figures->clear();
    m_verdict->clear();
    m_chart->clear();
    m_status->setText(QStringLiteral("正在回测：%1").arg(describe(m_request)));

    const BacktestControl control{&m_cancel, [this](int64_t done, int64_t total) {
                                      const int value = total > 0 ? int(done * 1000 / total) : 1000;
                                      QMetaObject::invokeMethod(
                                          this,
                                          [this, value] {
                                              if (m_thread && m_cancelReason.isEmpty())
                                                  m_progress->setValue(value);
                                          },
                                          Qt::QueuedConnection);
                                  }};
    m_thread =
        QThread::create([this, control] { m_pending = runBacktest(m_rows, m_request, control); });
    connect(m_thread, &QThread::finished, this, &BacktestDialog::threadEnded);
    m_thread->start();
    updateButtons();
}

void BacktestDialog::cancel(const QString &reason)
{
    if (!m_thread || !m_cancelReason.isEmpty())
        return;
    m_cancel = true;
    m_cancelReason = reason;
    m_status->setText(reason);
    updateButtons();
}

void BacktestDialog::threadEnded()
{
    m_thread->deleteLater();
    m_thread = nullptr;
    if (m_cancelReason.isEmpty() && !m_pending.cancelled) {
        m_result = std::move(m_pending);
        m_progress->setValue(1000);
        m_status->setText(QStringLiteral("回测完成：%1").arg(describe(m_request)));
        showFigures();
    }
    m_pending = {};
    m_rows = {};
    updateButtons();
    emit runEnded();
}

void BacktestDialog::showFigures()
{
    const BacktestResult &r = m_result;
    if (!r.rangeValid) {
        m_status->setText(
            QStringLiteral("检索起止期数无法识别，%1。").arg(m_history.game().entryHint()));
        m_figures->clear();
        m_verdict->clear();
        m_chart->clear();
        return;
    }
    const int64_t trials = r.trials();
    const Figures search(r.hits(), trials, r.chanceRate);
    const Figures baseline(r.baselineHits(), trials, r.chanceRate);
    const QString share = formatShare(r.chanceRate, 1);
    auto rate = [](const Figures &f) { return formatShare(f.rate, 2); };
    auto interval = [](const Figures &f) {
        return QStringLiteral("%1 ～ %2")
            .arg(formatShare(f.interval.low, 2), formatShare(f.interval.high, 2));
    };
    auto row = [](const QString &name, const QString &a, const QString &b) {
        return QStringLiteral(
                   "<tr><td>%1</td><td align='right'>%2</td><td align='right'>%3</td></tr>")
            .arg(name, a, b);
    };
    QString html = QStringLiteral("<table cellspacing='10' cellpadding='0'>");
    html += QStringLiteral("<tr><th></th><th>检索预测</th><th>朴素基准</th></tr>");
    html += row(QStringLiteral("评分期数"), QString::number(r.scoredDraws()),
                QString::number(r.scoredDraws()));
    html += row(QStringLiteral("跳过期数（之前无命中）"), QString::number(r.skippedDraws),
                QStringLiteral("—"));
    html += row(QStringLiteral("参考号不适用的期数"), QString::number(r.unmatchedDraws),
                QStringLiteral("—"));
    html += row(QStringLiteral("试验次数"), QString::number(trials), QString::number(trials));
    html += row(QStringLiteral("命中次数"), QString::number(search.hits),
                QString::number(baseline.hits));
    html += row(QStringLiteral("命中率"), rate(search), rate(baseline));
    html += row(QStringLiteral("随机命中率"), share, share);
    html += row(QStringLiteral("95% 区间（Wilson）"), interval(search), interval(baseline));
    html += row(QStringLiteral("精确二项检验（双侧）"), formatP(search.pValue),
                formatP(baseline.pValue));
    html += QStringLiteral("</table>");
    m_figures->setText(html);
    m_verdict->setText(
        verdict(QStringLiteral("检索预测"), search, r.chanceRate) + QStringLiteral("；") +
        verdict(QStringLiteral("朴素基准"), baseline, r.chanceRate) + QStringLiteral("。"));
    m_chart->setResult(r);
}

void BacktestDialog::updateButtons()
{
    m_start->setEnabled(!m_thread && m_launcher && m_launcher->isEnabled());
    m_stop->setEnabled(m_thread && m_cancelReason.isEmpty());
}

bool BacktestDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_launcher && event->type() == QEvent::EnabledChange)
        updateButtons();
    return QDialog::eventFilter(watched, event);
}

void BacktestDialog::reject()
{
    cancel(QStringLiteral("回测已取消。"));
    QDialog::reject();
}
