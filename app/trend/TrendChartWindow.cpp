#include "TrendChartWindow.h"

#include "BusyCursor.h"
#include "Clock.h"
#include "HistoryStore.h"
#include "PanelWidgets.h"
#include "SaveAs.h"
#include "ScreenFit.h"
#include "Settings.h"
#include "TrendChartModel.h"
#include "TrendDelegate.h"
#include "TrendExport.h"
#include "TrendHeaderView.h"
#include "TrendRenderer.h"
#include "TrendStatsDelegate.h"
#include "TrendStatsModel.h"
#include "TrendView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace quorlent;
using namespace quorlent::trend;

using panels::named;

namespace {

const int kLatestCounts[] = {30, 50, 100, 200, 500, 1000};

} // namespace

TrendChartWindow::TrendChartWindow(const HistoryStore &store, Settings &settings,
                                   const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_settings(settings), m_folder(programFolder)
{
    setObjectName(QStringLiteral("frmZoushi"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("走势图"));
    m_model = new TrendChartModel(store, this);
    m_stats = new TrendStatsModel(*m_model, this);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(buildControls());
    lblSummary = named(new QLabel, "lblSummary");
    layout->addWidget(lblSummary);

    m_chart = named(new TrendView, "chartView");
    m_chart->setHorizontalHeader(new TrendHeaderView(m_chart));
    m_chart->setItemDelegate(new TrendDelegate(m_chart));
    m_chart->setModel(m_model);
    m_chart->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_chart->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_chart->freezeLeadingColumns(TrendChartModel::FirstPresence);
    layout->addWidget(m_chart, 1);

    // The statistics rows stay under the chart in its columns; their scroll bar moves both.
    m_statsView = named(new TrendView, "statsView");
    m_statsView->setModel(m_stats);
    m_statsView->setItemDelegate(new TrendStatsDelegate(m_statsView));
    m_statsView->horizontalHeader()->hide();
    m_statsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_statsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_statsView->freezeLeadingColumns(TrendChartModel::FirstPresence);
    for (TrendView *view : {m_statsView, m_statsView->frozenView()}) {
        for (int r = 0; r < TrendStatsModel::RowCount; ++r)
            view->setSpan(r, TrendChartModel::Issue, 1, 2);
    }
    m_statsView->setFixedHeight(TrendStatsModel::RowCount *
                                    m_statsView->verticalHeader()->defaultSectionSize() +
                                m_statsView->horizontalScrollBar()->sizeHint().height() +
                                2 * m_statsView->frameWidth() + 2);
    layout->addWidget(m_statsView);
    connect(m_statsView->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_chart->horizontalScrollBar(), &QScrollBar::setValue);
    connect(m_chart->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_statsView->horizontalScrollBar(), &QScrollBar::setValue);
    setCentralWidget(central);
    statusBar();

    followGame();
    restoreChoices();
    connectControls();
    applyWindow();
    // As wide as the chart where the screen allows; never beyond the screen's free area.
    const int natural = m_chart->horizontalHeader()->length() +
                        m_chart->verticalScrollBar()->sizeHint().width() + 40;
    fitInsideScreen(this, QSize(natural, 820), parent);
}

QWidget *TrendChartWindow::buildControls()
{
    auto *box = new QWidget;
    auto *rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    auto *first = new QHBoxLayout;
    auto *second = new QHBoxLayout;
    rows->addLayout(first);
    rows->addLayout(second);

    first->addWidget(new QLabel(QStringLiteral("窗口")));
    cboWindow = named(new QComboBox, "cboWindow");
    for (int n : kLatestCounts)
        cboWindow->addItem(QStringLiteral("近 %1 期").arg(n));
    cboWindow->addItems({QStringLiteral("全部"), QStringLiteral("今天"), QStringLiteral("昨天"),
                         QStringLiteral("自定期数"), QStringLiteral("期号范围")});
    cboWindow->setCurrentIndex(Last100);
    first->addWidget(cboWindow);
    spnCount = named(new QSpinBox, "spnCount");
    spnCount->setRange(1, 2000000);
    spnCount->setValue(300);
    spnCount->setSuffix(QStringLiteral(" 期"));
    spnCount->setToolTip(QStringLiteral("最近多少期（选“自定期数”时有效）"));
    first->addWidget(spnCount);
    txtFrom = named(new QLineEdit, "txtFrom");
    txtTo = named(new QLineEdit, "txtTo");
    for (QLineEdit *edit : {txtFrom, txtTo}) {
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(Game::widestIssue()) + 16);
    }
    first->addWidget(txtFrom);
    lblTo = named(new QLabel(QStringLiteral("至")), "lblTo");
    first->addWidget(lblTo);
    first->addWidget(txtTo);
    cmdRange = named(new QPushButton(QStringLiteral("显示范围")), "cmdRange");
    first->addWidget(cmdRange);
    first->addSpacing(16);
    chkSameDraw = named(new QCheckBox(QStringLiteral("同期号：每天第")), "chkSameDraw");
    spnSameDraw = named(new QSpinBox, "spnSameDraw");
    spnSameDraw->setSuffix(QStringLiteral(" 期"));
    first->addWidget(chkSameDraw);
    first->addWidget(spnSameDraw);
    first->addStretch(1);

    chkOmission = named(new QCheckBox(QStringLiteral("显示遗漏")), "chkOmission");
    chkOmission->setChecked(true);
    chkLayers = named(new QCheckBox(QStringLiteral("遗漏分层")), "chkLayers");
    chkLayers->setToolTip(QStringLiteral("给每个号码从最后一次开出到底部的遗漏段加底色"));
    chkLines = named(new QCheckBox(QStringLiteral("折线")), "chkLines");
    chkLines->setToolTip(QStringLiteral("用线连起每个位置的开奖号码"));
    second->addWidget(chkOmission);
    second->addWidget(chkLayers);
    second->addWidget(chkLines);
    second->addSpacing(16);

    auto *origin = named(new QGroupBox(QStringLiteral("统计起点")), "fraOrigin");
    auto *originLayout = new QHBoxLayout(origin);
    originLayout->setContentsMargins(6, 0, 6, 0);
    optOriginCarried =
        named(new QRadioButton(QStringLiteral("承接窗口前的历史")), "optOriginCarried");
    optOriginCarried->setToolTip(
        QStringLiteral("遗漏和连出从窗口之前的历史接着数：窗口第一期的遗漏是真正距上次开出的期数"));
    optOriginWindow =
        named(new QRadioButton(QStringLiteral("从窗口第一期算起")), "optOriginWindow");
    optOriginWindow->setToolTip(QStringLiteral(
        "只看窗口里的期：窗口之前的开奖不计，号码在窗口里第一次开出之前的遗漏从窗口第一期数起"));
    optOriginCarried->setChecked(true);
    originLayout->addWidget(optOriginCarried);
    originLayout->addWidget(optOriginWindow);
    second->addWidget(origin);
    second->addStretch(1);

    cmdPicture = named(new QPushButton(QStringLiteral("保存图片(&P)")), "cmdPicture");
    cmdPicture->setToolTip(
        QStringLiteral("把眼前这一屏走势图（表头、可见的行和统计行）存为 PNG 图片"));
    cmdPrint = named(new QPushButton(QStringLiteral("打印(&R)")), "cmdPrint");
    cmdPdf = named(new QPushButton(QStringLiteral("保存PDF(&F)")), "cmdPdf");
    cmdXls = named(new QPushButton(QStringLiteral("导出EXCEL(&X)")), "cmdXls");
    cmdOmissions = named(new QPushButton(QStringLiteral("遗漏统计(&L)")), "cmdOmissions");
    cmdOmissions->setToolTip(QStringLiteral(
        "每一位每个号码的当前遗漏、平均遗漏、最大遗漏和出现次数，与随机相比，可排序"));
    for (QPushButton *b : {cmdOmissions, cmdPicture, cmdPrint, cmdPdf, cmdXls})
        second->addWidget(b);
    return box;
}

// Sets the controls as last left, before they are connected; the model then takes them in one go.
void TrendChartWindow::restoreChoices()
{
    const Settings &stored = m_settings;
    cboWindow->setCurrentIndex(stored.number(Settings::intWindow));
    spnCount->setValue(stored.number(Settings::intCount));
    txtFrom->setText(stored.text(Settings::txtFrom));
    txtTo->setText(stored.text(Settings::txtTo));
    chkSameDraw->setChecked(stored.flag(Settings::bolSameDraw));
    // Draw k of a day the game does not have gives the default, as any value out of range does.
    const int sameDraw = stored.number(Settings::intSameDraw);
    spnSameDraw->setValue(sameDraw <= spnSameDraw->maximum() ? sameDraw : 1);
    chkOmission->setChecked(stored.flag(Settings::bolOmission));
    chkLayers->setChecked(stored.flag(Settings::bolLayers));
    chkLines->setChecked(stored.flag(Settings::bolLines));
    (stored.flag(Settings::bolOriginCarried) ? optOriginCarried : optOriginWindow)
        ->setChecked(true);

    m_model->setShowOmission(chkOmission->isChecked());
    m_model->setShowLayers(chkLayers->isChecked());
    m_model->setShowLines(chkLines->isChecked());
    if (optOriginWindow->isChecked())
        m_model->setOrigin(StatsOrigin::WindowStart);
    applySameDraw();
}

void TrendChartWindow::rememberChoices() const
{
    Settings &stored = m_settings;
    stored.set(Settings::intWindow, cboWindow->currentIndex());
    stored.set(Settings::intCount, spnCount->value());
    stored.setText(Settings::txtFrom, txtFrom->text().trimmed());
    stored.setText(Settings::txtTo, txtTo->text().trimmed());
    stored.setFlag(Settings::bolSameDraw, chkSameDraw->isChecked());
    stored.set(Settings::intSameDraw, spnSameDraw->value());
    stored.setFlag(Settings::bolOmission, chkOmission->isChecked());
    stored.setFlag(Settings::bolLayers, chkLayers->isChecked());
    stored.setFlag(Settings::bolLines, chkLines->isChecked());
    stored.setFlag(Settings::bolOriginCarried, optOriginCarried->isChecked());
}

void TrendChartWindow::connectControls()
{
    connect(cboWindow, &QComboBox::currentIndexChanged, this, [this](int choice) {
        if (choice == Issues && m_model->rowCount() > 0) {
            // Start from the issues in view.
            txtFrom->setText(m_model->text(0, TrendChartModel::Issue));
            txtTo->setText(m_model->text(m_model->rowCount() - 1, TrendChartModel::Issue));
        }
        applyWindow();
    });
    connect(spnCount, &QSpinBox::valueChanged, this, [this] {
        if (cboWindow->currentIndex() == Typed)
            applyWindow();
    });
    connect(cmdRange, &QPushButton::clicked, this, [this] { applyWindow(); });
    for (QLineEdit *edit : {txtFrom, txtTo})
        connect(edit, &QLineEdit::returnPressed, this, [this] { applyWindow(); });
    connect(chkSameDraw, &QCheckBox::toggled, this, &TrendChartWindow::applySameDraw);
    // Another history may be of another game (the model has followed it already).
    for (auto signal : {&HistoryStore::resetDone, &HistoryStore::gameChanged}) {
        connect(&m_store, signal, this, [this] {
            followGame();
            applySameDraw();
        });
    }
    connect(spnSameDraw, &QSpinBox::valueChanged, this, &TrendChartWindow::applySameDraw);
    connect(chkOmission, &QCheckBox::toggled, m_model, &TrendChartModel::setShowOmission);
    connect(chkLayers, &QCheckBox::toggled, m_model, &TrendChartModel::setShowLayers);
    connect(chkLines, &QCheckBox::toggled, m_model, &TrendChartModel::setShowLines);
    connect(m_model, &TrendChartModel::displayChanged, m_chart->viewport(),
            qOverload<>(&QWidget::update));
    connect(optOriginCarried, &QRadioButton::toggled, this, [this](bool carried) {
        m_model->setOrigin(carried ? StatsOrigin::Carried : StatsOrigin::WindowStart);
    });

    // New draws come in at the bottom: a view showing the newest draw keeps showing it.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            &TrendChartWindow::chartAboutToChange);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &TrendChartWindow::chartAboutToChange);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &TrendChartWindow::chartAboutToChange);
    connect(m_model, &TrendChartModel::chartChanged, this, &TrendChartWindow::chartChanged);

    connect(cmdPicture, &QPushButton::clicked, this, &TrendChartWindow::cmdPicture_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &TrendChartWindow::cmdPrint_Click);
    connect(cmdPdf, &QPushButton::clicked, this, &TrendChartWindow::cmdPdf_Click);
    connect(cmdXls, &QPushButton::clicked, this, &TrendChartWindow::cmdXls_Click);
    connect(cmdOmissions, &QPushButton::clicked, this, &TrendChartWindow::omissionsWanted);

    const auto remember = [this] { rememberChoices(); };
    connect(cboWindow, &QComboBox::currentIndexChanged, this, remember);
    for (QSpinBox *spin : {spnCount, spnSameDraw})
        connect(spin, &QSpinBox::valueChanged, this, remember);
    for (QLineEdit *edit : {txtFrom, txtTo})
        connect(edit, &QLineEdit::editingFinished, this, remember);
    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{
             chkSameDraw, chkOmission, chkLayers, chkLines, optOriginCarried})
        connect(button, &QAbstractButton::toggled, this, remember);
}

TrendWindow TrendChartWindow::chosenWindow() const
{
    const int choice = cboWindow->currentIndex();
    const QDate today = currentDateTime().date();
    switch (choice) {
    case All:
        return TrendWindow::all();
    case Today:
        return TrendWindow::ofDay(today);
    case Yesterday:
        return TrendWindow::ofDay(today.addDays(-1));
    case Typed:
        return TrendWindow::latest(spnCount->value());
    case Issues: {
        const auto from = m_store.game().fromDisplay(txtFrom->text());
        const auto to = m_store.game().fromDisplay(txtTo->text());
        if (!from || !to)
            return TrendWindow::issues(1, 0); // nothing until both ends read as issues
        return TrendWindow::issues(*from, *to);
    }
    default:
        return TrendWindow::latest(kLatestCounts[choice]);
    }
}

void TrendChartWindow::applyWindow()
{
    const int choice = cboWindow->currentIndex();
    spnCount->setVisible(choice == Typed);
    for (QWidget *w : std::initializer_list<QWidget *>{txtFrom, lblTo, txtTo, cmdRange})
        w->setVisible(choice == Issues);
    // An issue the game cannot read shows nothing, and says what it should be.
    const Game &game = m_store.game();
    if (choice == Issues &&
        (!game.fromDisplay(txtFrom->text()) || !game.fromDisplay(txtTo->text())))
        statusBar()->showMessage(QStringLiteral("期号范围无法识别：%1。").arg(game.formHint()));
    else
        statusBar()->clearMessage();
    BusyCursor busy;
    m_followNewest = true;
    m_model->setWindow(chosenWindow());
}

void TrendChartWindow::followGame()
{
    const Game &game = m_store.game();
    // 同期号 means something only where a day has several draws; the choice stays for the games
    // that have them.
    chkSameDraw->setVisible(game.hasDrawsOfADay());
    spnSameDraw->setVisible(game.hasDrawsOfADay());
    chkSameDraw->setToolTip(
        QStringLiteral("只看每天的第 k 期（k = 1–%1），遗漏按这些期计").arg(game.drawsPerDay()));
    spnSameDraw->setRange(1, std::max(1, game.drawsPerDay()));
    const QString example = game.displayForm(game.first(QDate(2016, 12, 22)));
    for (QLineEdit *edit : {txtFrom, txtTo}) {
        edit->setMaxLength(game.displayLength());
        edit->setPlaceholderText(example);
    }
}

void TrendChartWindow::applySameDraw()
{
    const bool offered = m_store.game().hasDrawsOfADay();
    const int sameDraw = offered && chkSameDraw->isChecked() ? spnSameDraw->value() : 0;
    if (sameDraw == m_model->chart().sameDraw())
        return;
    BusyCursor busy;
    m_followNewest = true;
    m_model->setSameDraw(sameDraw);
}

void TrendChartWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The rows in view are known only once the window has its size: the newest draw in view.
    if (!event->spontaneous()) {
        m_chart->doItemsLayout();
        m_chart->scrollToBottom();
    }
}

void TrendChartWindow::chartAboutToChange()
{
    QScrollBar *bar = m_chart->verticalScrollBar();
    m_followNewest = m_followNewest || bar->value() == bar->maximum();
}

void TrendChartWindow::chartChanged()
{
    fitColumns();
    showSummary();
    if (m_followNewest) {
        m_chart->doItemsLayout();
        m_chart->scrollToBottom();
    }
    m_followNewest = false;
}

// Every digit column gets the width of the widest statistic, so the columns line up evenly.
void TrendChartWindow::fitColumns()
{
    const QFontMetrics fm = m_chart->fontMetrics();
    int digit = std::max(24, fm.height() + 8);
    QFont smallest = m_chart->font();
    smallest.setPixelSize(TrendStatsDelegate::kMinPixelSize);
    const QFontMetrics small(smallest);
    for (int r = 0; r < TrendStatsModel::RowCount; ++r) {
        for (int c = TrendChartModel::FirstPresence; c < TrendChartModel::Sum; ++c)
            digit = std::max(digit, small.horizontalAdvance(m_stats->text(r, c)) + 4);
    }
    auto width = [&](int column) {
        switch (column) {
        case TrendChartModel::Issue:
            return fm.horizontalAdvance(Game::widestIssue()) + 10;
        case TrendChartModel::Draw:
            return fm.horizontalAdvance(QStringLiteral("开奖号码")) + 8;
        case TrendChartModel::Sum:
        case TrendChartModel::Span:
            return fm.horizontalAdvance(QStringLiteral("和值")) + 8;
        case TrendChartModel::BigSmall:
        case TrendChartModel::OddEven:
            return fm.horizontalAdvance(QStringLiteral("大小比")) + 8;
        case TrendChartModel::ShapeFront:
        case TrendChartModel::ShapeMiddle:
        case TrendChartModel::ShapeBack:
            return fm.horizontalAdvance(QStringLiteral("组六")) + 8;
        default:
            return digit;
        }
    };
    for (int c = 0; c < TrendChartModel::ColumnCount; ++c) {
        const int w = width(c);
        if (m_chart->columnWidth(c) != w)
            m_chart->setColumnWidth(c, w);
        if (m_statsView->columnWidth(c) != w)
            m_statsView->setColumnWidth(c, w);
    }
}

QString TrendChartWindow::windowTitleText() const
{
    QString text = cboWindow->currentIndex() == Typed
                       ? QStringLiteral("近 %1 期").arg(spnCount->value())
                       : cboWindow->currentText();
    if (cboWindow->currentIndex() == Today || cboWindow->currentIndex() == Yesterday) {
        const QDate day = chosenWindow().day;
        text += QStringLiteral("（%1）").arg(day.toString(QStringLiteral("yyyy-MM-dd")));
    }
    if (m_model->chart().sameDraw() > 0)
        text += QStringLiteral("，同期号：每天第 %1 期").arg(m_model->chart().sameDraw());
    return text;
}

void TrendChartWindow::showSummary()
{
    const TrendChart &chart = m_model->chart();
    QString text = windowTitleText();
    if (chart.range().empty()) {
        text += QStringLiteral("：没有开奖号码");
    } else {
        const auto &rows = chart.history();
        const auto &series = chart.series();
        text +=
            QStringLiteral("：%1 至 %2，%3 期")
                .arg(chart.game().displayForm(rows[series.storeIndex(chart.range().begin)].sqqh),
                     chart.game().displayForm(rows[series.storeIndex(chart.range().end - 1)].sqqh))
                .arg(chart.range().size());
        if (chart.missingInWindow() > 0)
            text +=
                QStringLiteral("，其间缺 %1 期（灰色行，遗漏不计）").arg(chart.missingInWindow());
    }
    text += chart.origin() == StatsOrigin::Carried
                ? QStringLiteral("。统计起点：承接窗口前的历史，遗漏和连出从窗口之前接着数。")
                : QStringLiteral("。统计起点：窗口第一期，窗口之前的开奖不计。");
    lblSummary->setText(text);
}

QString TrendChartWindow::savePicture(const QString &path) const
{
    const auto [first, last] = m_chart->rowsInView();
    const TrendRenderer renderer(*m_chart, *m_stats);
    const QImage image = renderer.image(std::max(first, 0), first < 0 ? 0 : last - first + 1);
    return image.save(path, "PNG") ? QString() : QStringLiteral("图片未能写入");
}

QString TrendChartWindow::savePdf(const QString &path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("走势图"));
    const TrendRenderer renderer(*m_chart, *m_stats);
    return renderer.print(printer, windowTitleText()) ? QString()
                                                      : QStringLiteral("PDF 文件未能写入");
}

QString TrendChartWindow::saveWorkbook(const QString &path) const
{
    return TrendExport::write(*m_model, *m_stats, path);
}

// Asks where to save (the program folder's 走势图 proposed), saves there and says how it went in
// the status bar.
void TrendChartWindow::saveAs(const QString &title, SaveAs::Format format,
                              QString (TrendChartWindow::*save)(const QString &) const)
{
    const auto saved =
        SaveAs(this, title, m_folder, QStringLiteral("走势图"))
            .offer(format, [this, save](const QString &path) { return (this->*save)(path); })
            .run();
    if (saved)
        statusBar()->showMessage(
            saved->ok() ? QStringLiteral("走势图已保存到 %1").arg(saved->path)
                        : QStringLiteral("走势图未能保存到 %1：%2").arg(saved->path, saved->error));
}

void TrendChartWindow::cmdPicture_Click()
{
    saveAs(QStringLiteral("保存走势图图片"), SaveAs::Format::Picture,
           &TrendChartWindow::savePicture);
}

void TrendChartWindow::cmdPdf_Click()
{
    saveAs(QStringLiteral("保存走势图为 PDF"), SaveAs::Format::Pdf, &TrendChartWindow::savePdf);
}

void TrendChartWindow::cmdXls_Click()
{
    saveAs(QStringLiteral("导出走势图"), SaveAs::Format::Workbook, &TrendChartWindow::saveWorkbook);
}

void TrendChartWindow::cmdPrint_Click()
{
#ifdef Q_OS_WIN
    // Windows' print dialog is the system's own and serves installed printers only: without one
    // it would not open at all, and the click would seem lost.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        statusBar()->showMessage(
            QStringLiteral("没有安装打印机，无法打印：可以用“保存PDF”把走势图存成 PDF 再打印。"));
        return;
    }
#endif
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("走势图"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印走势图"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    BusyCursor busy;
    const TrendRenderer renderer(*m_chart, *m_stats);
    if (renderer.print(printer, windowTitleText()))
        statusBar()->showMessage(QStringLiteral("走势图已送去打印。"));
    else
        statusBar()->showMessage(QStringLiteral("走势图未能打印：打印机无法开始。"));
}
