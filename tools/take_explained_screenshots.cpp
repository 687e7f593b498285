// Usage: take_explained_screenshots <sample history file> <docs folder>
// What the main window says where a result could be misread, on a 1366×768 screen (xvfb-run):
// explained-refused-reference.png (a 大小 reference of 7, marked at its box and named with the
// empty result), explained-start-after-end.png (live results over a range that runs backwards),
// explained-settings-menu.png (设置 with 红球/红蓝 as a kept choice), explained-import-preview.png
// (the preview adding to a history: Enter imports, the summary counts what 添加 stores) and
// explained-backtest.png (the combination search's backtest, the baseline on its line).
#include "BacktestDialog.h"
#include "ImportPreviewDialog.h"
#include "ScreenshotRun.h"
#include "TableImport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>

namespace {

template <typename T> T *child(QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->setText(text.chopped(1));
    QTest::keyClick(box, text.back().toLatin1());
}

} // namespace

int main(int argc, char **argv)
{
    ScreenshotRun run(argc, argv, 2, "<history.txt> <folder>");
    if (!run.ok())
        return 2;
    if (!run.folder().import(run.argument(1)))
        return 1;
    const QDir out(run.argument(2));
    auto screen = [&](const char *name) {
        return ScreenshotRun::grabScreen(out.filePath(QLatin1String(name)));
    };
    frmMain &window = run.openWindow();

    // A typed reference that 大小 cannot have.
    child<QTabBar>(window, "TabStrip1")->setCurrentIndex(1);
    child<QRadioButton>(window, "Option3(1)")->click();
    typeInto(child<QLineEdit>(window, "Text22(1)"), QStringLiteral("7"));
    child<QCheckBox>(window, "Check11(1)")->setChecked(true);
    child<QAbstractButton>(window, "Command1")->click();
    bool ok = screen("explained-refused-reference.png");

    // Live results, then a start typed after the end.
    child<QRadioButton>(window, "Option3(0)")->click();
    child<QTabBar>(window, "TabStrip1")->setCurrentIndex(0);
    child<QCheckBox>(window, "Check1(1)")->setChecked(true);
    child<QAbstractButton>(window, "Command1")->click();
    child<QCheckBox>(window, "chkLive")->setChecked(true);
    QLineEdit *start = child<QLineEdit>(window, "Text3(0)");
    QLineEdit *end = child<QLineEdit>(window, "Text3(1)");
    const QString from = start->text();
    const QString to = end->text();
    typeInto(start, end->text());
    QString earlier = end->text();
    earlier.replace(earlier.size() - 3, 3, QStringLiteral("001"));
    typeInto(end, earlier);
    window.flushLiveSearch();
    ok = screen("explained-start-after-end.png") && ok;
    child<QCheckBox>(window, "chkLive")->setChecked(false);
    start->setText(from);
    end->setText(to);
    child<QAbstractButton>(window, "Command1")->click();

    // 设置 with its 红球/红蓝 submenu open.
    auto *settings = child<QMenu>(window, "mnuSet");
    auto *zhpm = child<QMenu>(window, "mnuZhpmSet");
    window.menuBar()->setActiveAction(settings->menuAction());
    QTest::qWait(200);
    settings->setActiveAction(zhpm->menuAction());
    zhpm->popup(settings->geometry().topRight() +
                QPoint(0, settings->actionGeometry(zhpm->menuAction()).top()));
    ok = screen("explained-settings-menu.png") && ok;
    zhpm->hide();
    settings->hide();
    window.menuBar()->setActiveAction(nullptr);

    // A file added to the history: a new draw, one the history has, one that differs.
    const auto &rows = window.history().rows();
    const auto &game = window.history().game();
    const QString csv = QDir(run.folder().path()).filePath(QStringLiteral("下载的开奖.csv"));
    {
        QFile file(csv);
        if (!file.open(QIODevice::WriteOnly) || rows.size() < 2)
            return 1;
        QByteArray text = "期号,开奖号码\r\n";
        const auto line = [&](int32_t sqqh, const QString &digits) {
            text += (game.displayForm(sqqh) + u',' + digits + QStringLiteral("\r\n")).toUtf8();
        };
        line(game.next(rows.back().sqqh, QDate::currentDate()), QStringLiteral("81234"));
        QString same;
        for (int d : rows.back().digits())
            same += QString::number(d);
        line(rows.back().sqqh, same);
        line(rows[rows.size() - 2].sqqh, QStringLiteral("00000"));
        file.write(text);
    }
    auto *preview =
        new ImportPreviewDialog(window.history(), quorlent::import::TableImport::scan(csv),
                                QFileInfo(csv).fileName(), 1, &window);
    preview->show();
    ok = screen("explained-import-preview.png") && ok;
    preview->close();

    // The combination search's backtest.
    child<QAbstractButton>(window, "cmdHuice")->click();
    auto *backtest = window.findChild<BacktestDialog *>();
    if (!backtest)
        return 1;
    child<QRadioButton>(*backtest, "optBacktestCombination")->click();
    QSignalSpy ended(backtest, &BacktestDialog::runEnded);
    child<QAbstractButton>(*backtest, "cmdBacktestStart")->click();
    if (!ended.wait(120000))
        return 1;
    ok = screen("explained-backtest.png") && ok;
    return ok ? 0 : 1;
}
