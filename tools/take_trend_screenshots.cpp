// Usage: take_trend_screenshots <sample history file> <docs folder>
// Imports the sample into a fresh program folder, opens the 走势图 window and saves it twice:
// trend-100.png (近 100 期 with 遗漏分层 and 折线) and trend-same-draw.png (同期号).
#include "ScreenshotRun.h"
#include "TrendChartWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSpinBox>

int main(int argc, char **argv)
{
    ScreenshotRun run(argc, argv, 2, "<history.txt> <folder>");
    if (!run.ok())
        return 2;
    if (!run.folder().import(run.argument(1)))
        return 1;
    frmMain &window = run.openWindow();
    window.findChild<QAbstractButton *>(QStringLiteral("cmdZoushi"))->click();
    auto *chart = window.findChild<TrendChartWindow *>();
    auto check = [&](const char *name, bool on) {
        chart->findChild<QCheckBox *>(QLatin1String(name))->setChecked(on);
    };
    const QDir out(run.argument(2));
    auto save = [&](const char *name) {
        QApplication::processEvents();
        return chart->grab().save(out.filePath(QLatin1String(name)));
    };
    // Wide enough for every column, as on a screen wider than full HD.
    chart->resize(2260, 920);
    chart->findChild<QComboBox *>(QStringLiteral("cboWindow"))
        ->setCurrentIndex(TrendChartWindow::Last100);
    check("chkLayers", true);
    check("chkLines", true);
    if (!save("trend-100.png"))
        return 1;
    chart->findChild<QComboBox *>(QStringLiteral("cboWindow"))
        ->setCurrentIndex(TrendChartWindow::All);
    chart->findChild<QSpinBox *>(QStringLiteral("spnSameDraw"))->setValue(60);
    check("chkSameDraw", true);
    check("chkLayers", false);
    chart->resize(2260, 820);
    return save("trend-same-draw.png") ? 0 : 1;
}
