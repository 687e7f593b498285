#include "AppFixture.h"

#include "FileChooser.h"
#include "MissingDrawDialog.h"
#include "MissingDrawModel.h"
#include "TrendChartModel.h"
#include "TrendChartWindow.h"
#include "TrendView.h"
#include "XlsReadBack.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>

using namespace quorlent;

class TrendTest : public AppFixture
{
  protected:
    TrendChartWindow *openChart(int choice)
    {
        find<QPushButton>("cmdZoushi")->click();
        auto *chart = window().findChild<TrendChartWindow *>();
        EXPECT_NE(chart, nullptr);
        if (chart)
            chart->findChild<QComboBox *>("cboWindow")->setCurrentIndex(choice);
        return chart;
    }
    static QString cell(TrendChartWindow *chart, int row, int column)
    {
        return chart->chartView()->model()->index(row, column).data().toString();
    }
    static QString stat(TrendChartWindow *chart, int row, int column)
    {
        return chart->statsView()->model()->index(row, column).data().toString();
    }
    void typeDraw(const char *digits)
    {
        box("MaskEdBox1(1)")->setFocus();
        for (int i = 1; i <= 5; ++i)
            QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), digits[i - 1]);
    }
};

TEST_F(TrendTest, TheChartFollowsAnEntryAndADeletion)
{
    storeSeries(160908001, 30); // draw i: i % 10, i / 10, 3, 4, 9 - i % 10
    open();
    TrendChartWindow *chart = openChart(TrendChartWindow::All);
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isWindow());
    EXPECT_FALSE(chart->isModal());
    ASSERT_EQ(chart->chartView()->model()->rowCount(), 30);
    // Both models keep Qt's rules through the changes below (a breach aborts the run).
    QAbstractItemModelTester chartRules(chart->chartView()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester statsRules(chart->statsView()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(cell(chart, 29, 0), "20160908030");
    EXPECT_EQ(cell(chart, 29, 1), "92340");
    EXPECT_EQ(cell(chart, 29, 2 + 9), "9"); // 万位 9 drawn
    EXPECT_EQ(cell(chart, 29, 2 + 1), "8"); // 万位 1 last drawn at draw 21
    EXPECT_EQ(stat(chart, 0, 2 + 3), "3");  // 万位 3 at draws 3, 13, 23
    EXPECT_EQ(stat(chart, 0, 0), "出现次数");

    typeDraw("31330");
    ASSERT_EQ(chart->chartView()->model()->rowCount(), 31);
    EXPECT_EQ(cell(chart, 30, 0), "20160908031");
    EXPECT_EQ(cell(chart, 30, 2 + 3), "3");
    EXPECT_EQ(cell(chart, 30, 2 + 1), "9");
    EXPECT_EQ(stat(chart, 0, 2 + 3), "4");
    EXPECT_EQ(stat(chart, 2, 2 + 3), "0"); // 当前遗漏

    find<QPushButton>("Command3")->click(); // deletes the newest draw
    ASSERT_EQ(chart->chartView()->model()->rowCount(), 30);
    EXPECT_EQ(stat(chart, 0, 2 + 3), "3");
    EXPECT_EQ(stat(chart, 2, 2 + 3), "6");

    // Pressing again shows the same window.
    find<QPushButton>("cmdZoushi")->click();
    EXPECT_EQ(window().findChildren<TrendChartWindow *>().size(), 1);
}

TEST_F(TrendTest, TheChartOpensWithTheChoicesLastLeft)
{
    storeSeries(160907001, 240); // two whole days
    open();
    auto reopen = [&](TrendChartWindow *chart) {
        chart->close(); // deleted on close
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        find<QPushButton>("cmdZoushi")->click();
        return window().findChild<TrendChartWindow *>();
    };
    TrendChartWindow *chart = openChart(TrendChartWindow::All);
    chart->findChild<QCheckBox *>("chkSameDraw")->setChecked(true);
    chart->findChild<QSpinBox *>("spnSameDraw")->setValue(7);
    chart->findChild<QCheckBox *>("chkOmission")->setChecked(false);
    chart->findChild<QCheckBox *>("chkLayers")->setChecked(true);
    chart->findChild<QRadioButton *>("optOriginWindow")->setChecked(true);

    chart = reopen(chart);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->findChild<QComboBox *>("cboWindow")->currentIndex(), TrendChartWindow::All);
    EXPECT_TRUE(chart->findChild<QRadioButton *>("optOriginWindow")->isChecked());
    // The chart itself, not only its controls, is as it was left: draw 7 of both days.
    EXPECT_EQ(chart->chartModel().chart().sameDraw(), 7);
    EXPECT_EQ(chart->chartModel().chart().origin(), trend::StatsOrigin::WindowStart);
    EXPECT_FALSE(chart->chartModel().showsOmission());
    EXPECT_TRUE(chart->chartModel().showsLayers());
    ASSERT_EQ(chart->chartView()->model()->rowCount(), 2);
    EXPECT_EQ(cell(chart, 1, 0), "20160908007");

    // Values the program never writes give the defaults.
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn");
        store.setValue("Zoushi/intWindow", "99");
        store.setValue("Zoushi/bolLayers", "maybe");
        store.setValue("Zoushi/intSameDraw", "121");
    }
    chart = reopen(chart);
    EXPECT_EQ(chart->findChild<QComboBox *>("cboWindow")->currentIndex(),
              TrendChartWindow::Last100);
    EXPECT_FALSE(chart->chartModel().showsLayers());
    EXPECT_EQ(chart->chartModel().chart().sameDraw(), 1);
}

TEST_F(TrendTest, IssueAndDrawStayInPlaceWhenTheChartScrollsSideways)
{
    storeSeries(160908001, 100);
    open();
    TrendChartWindow *chart = openChart(TrendChartWindow::All);
    chart->resize(700, 500); // narrower than the chart
    TrendView *view = chart->chartView();
    view->scrollToBottom();
    QScrollBar *sideways = chart->statsView()->horizontalScrollBar();
    ASSERT_GT(sideways->maximum(), 0);
    sideways->setValue(sideways->maximum());
    EXPECT_LT(view->columnViewportPosition(TrendChartModel::Draw), 0); // scrolled away below

    TrendView *frozen = view->frozenView();
    ASSERT_NE(frozen, nullptr);
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->columnViewportPosition(TrendChartModel::Issue), 0);
    // Row for row beside the chart, also after an entry moved the chart to its new bottom line.
    typeDraw("31330");
    ASSERT_EQ(view->model()->rowCount(), 101);
    const int y = view->viewport()->height() - 2;
    EXPECT_EQ(view->rowAt(y), 100);
    EXPECT_EQ(frozen->rowAt(y), 100);
    EXPECT_EQ(frozen->verticalScrollBar()->value(), view->verticalScrollBar()->value());
    // A cell reached with the keys is not left under them.
    view->setFocus();
    view->setCurrentIndex(view->model()->index(100, TrendChartModel::FirstPresence + 1));
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(view->currentIndex().column(), TrendChartModel::FirstPresence);
    EXPECT_EQ(view->columnViewportPosition(TrendChartModel::FirstPresence), frozen->width());
    // The statistics rows keep their captions in place too.
    EXPECT_EQ(chart->statsView()->frozenView()->indexAt({4, 4}).data().toString(), "出现次数");
}

TEST_F(TrendTest, MissingDrawsAreShownInPlaceAndListed)
{
    storeDraws({{160228119, {1, 1, 1, 1, 1}},
                {160228120, {2, 2, 2, 2, 2}},
                {160229002, {1, 3, 3, 3, 3}},
                {160229003, {4, 4, 4, 4, 4}}});
    open();
    TrendChartWindow *chart = openChart(TrendChartWindow::Last100);
    ASSERT_EQ(chart->chartView()->model()->rowCount(), 5);
    EXPECT_EQ(cell(chart, 2, 0), "20160229001");
    EXPECT_EQ(cell(chart, 2, 1), "缺");
    EXPECT_EQ(cell(chart, 3, 2 + 1), "1"); // 万位 1 drawn
    EXPECT_EQ(cell(chart, 3, 2 + 2), "1"); // 万位 2 missed once: the missing draw is no draw

    const QString list = QDir(folder()).filePath("缺期.txt");
    whenModal<MissingDrawDialog>([&](MissingDrawDialog *dialog) {
        EXPECT_EQ(dialog->model().rowCount(), 3); // 160229001; 28 and 29 Feb short
        FileChooser::setNextFileName(list);
        dialog->findChild<QPushButton *>("cmdExport")->click();
        dialog->reject();
    });
    action("mnuQueqi")->trigger();
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith("类别\t期号或日期\t说明\r\n缺期\t20160229001\t缺 1 期\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("2016-02-29\t只有 2 期")) << text.toStdString();
}

TEST_F(TrendTest, CopyPictureSpreadsheetPdfAndPrint)
{
    storeSeries(160908001, 40);
    open();
    TrendChartWindow *chart = openChart(TrendChartWindow::Last30);
    chart->findChild<QCheckBox *>("chkLines")->setChecked(true);
    chart->findChild<QCheckBox *>("chkLayers")->setChecked(true);
    TrendView *view = chart->chartView();
    view->selectionModel()->select(
        QItemSelection(view->model()->index(0, 0), view->model()->index(1, 2)),
        QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "20160908011\t01349\t0\n20160908012\t11348\t1\n");

    auto save = [&](const char *button, const char *name) {
        const QString path = QDir(folder()).filePath(QLatin1String(name));
        FileChooser::setNextFileName(path);
        chart->findChild<QPushButton *>(button)->click();
        EXPECT_EQ(chart->statusBar()->currentMessage(),
                  QStringLiteral("走势图已保存到 %1").arg(path));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.read(8);
    };
    EXPECT_TRUE(save("cmdPicture", "chart.png").startsWith("\x89PNG"));
    EXPECT_TRUE(save("cmdPdf", "chart.pdf").startsWith("%PDF"));
    EXPECT_TRUE(save("cmdXls", "chart.xls").startsWith("\xD0\xCF\x11\xE0"));
    // The workbook: header rows, drawn digits and 和值 as numbers, omissions as the text shown,
    // the statistics after a blank row. The window's first draw is 20160908011: 0 1 3 4 9.
    const test::ReadWorkbook book = test::readWorkbook(QDir(folder()).filePath("chart.xls"));
    ASSERT_TRUE(book.failure.isEmpty()) << book.failure.toStdString();
    EXPECT_TRUE(book.problems.isEmpty());
    const test::ReadSheet &sheet = book.sheets.at(0);
    EXPECT_EQ(sheet.at(0, 2)->text, "万位");
    EXPECT_EQ(sheet.at(1, 3)->text, "1");
    EXPECT_EQ(sheet.at(2, 0)->text, "20160908011");
    EXPECT_EQ(sheet.at(2, 1)->text, "01349");
    EXPECT_TRUE(sheet.at(2, 2)->isNumber && sheet.at(2, 2)->number == 0); // 万位 0 drawn
    EXPECT_EQ(sheet.at(2, 3)->text, "9");   // 万位 1 last drawn at 20160908002
    EXPECT_EQ(sheet.at(2, 62)->number, 17); // 和值
    EXPECT_EQ(sheet.at(33, 0)->text, "出现次数");
    EXPECT_EQ(sheet.at(33, 2)->number, 3); // 万位 0 at draws 11, 21, 31
    const QImage picture(QDir(folder()).filePath("chart.png"));
    EXPECT_GT(picture.height(), 10 * view->rowHeight(0));

#ifdef Q_OS_WIN
    // Windows' own print dialog cannot be answered from here; without a printer (as under wine)
    // the window says why it does not print.
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed: Windows' print dialog would wait for a person";
    chart->findChild<QPushButton *>("cmdPrint")->click();
    EXPECT_TRUE(chart->statusBar()->currentMessage().startsWith("没有安装打印机"));
#else
    whenModal<QPrintDialog>([](QPrintDialog *dialog) { dialog->reject(); });
    chart->findChild<QPushButton *>("cmdPrint")->click();
#endif
}
