#pragma once

#include "SaveAs.h"

#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class Settings;
class TrendChartModel;
class TrendStatsModel;
class TrendView;

namespace quorlent {
class HistoryStore;
namespace trend {
struct TrendWindow;
}
} // namespace quorlent

// The 走势图 window: the chart of the history with its statistics rows, the choice of window,
// 同期号 and the toggles, and its output (picture, print, PDF, spreadsheet). A window of its own,
// not modal; it follows the history while it is open.
class TrendChartWindow : public QMainWindow
{
    Q_OBJECT

  public:
    // The choices of the window box, in their order.
    enum WindowChoice
    {
        Last30,
        Last50,
        Last100,
        Last200,
        Last500,
        Last1000,
        All,
        Today,
        Yesterday,
        Typed,
        Issues
    };

    // The choices are kept in `settings` (section Zoushi), which must outlive the window.
    TrendChartWindow(const quorlent::HistoryStore &store, Settings &settings,
                     const QString &programFolder, QWidget *parent = nullptr);

    TrendChartModel &chartModel() { return *m_model; }
    TrendStatsModel &statsModel() { return *m_stats; }
    TrendView *chartView() { return m_chart; }
    TrendView *statsView() { return m_statsView; }

    // The output the buttons offer, to a path already chosen. They return an error text, empty
    // on success.
    QString savePicture(const QString &path) const;
    QString savePdf(const QString &path) const;
    QString saveWorkbook(const QString &path) const;

  signals:
    // 遗漏统计 asked for: the table of every position's and digit's omissions, which lives in the
    // 计划 window.
    void omissionsWanted();

  protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildControls();
    void restoreChoices();
    void rememberChoices() const;
    void connectControls();
    quorlent::trend::TrendWindow chosenWindow() const;
    void applyWindow();
    void applySameDraw();
    // Fits the controls that know the schedule to the history's game.
    void followGame();
    void fitColumns();
    void showSummary();
    QString windowTitleText() const;
    void chartAboutToChange();
    void chartChanged();
    void saveAs(const QString &title, SaveAs::Format format,
                QString (TrendChartWindow::*save)(const QString &) const);

    void cmdPicture_Click();
    void cmdPrint_Click();
    void cmdPdf_Click();
    void cmdXls_Click();

    const quorlent::HistoryStore &m_store;
    Settings &m_settings;
    QString m_folder;
    TrendChartModel *m_model = nullptr;
    TrendStatsModel *m_stats = nullptr;
    TrendView *m_chart = nullptr;
    TrendView *m_statsView = nullptr;
    bool m_followNewest = true;

    QComboBox *cboWindow = nullptr;
    QSpinBox *spnCount = nullptr;
    QLineEdit *txtFrom = nullptr;
    QLabel *lblTo = nullptr;
    QLineEdit *txtTo = nullptr;
    QPushButton *cmdRange = nullptr;
    QCheckBox *chkSameDraw = nullptr;
    QSpinBox *spnSameDraw = nullptr;
    QCheckBox *chkOmission = nullptr;
    QCheckBox *chkLayers = nullptr;
    QCheckBox *chkLines = nullptr;
    QRadioButton *optOriginCarried = nullptr;
    QRadioButton *optOriginWindow = nullptr;
    QPushButton *cmdPicture = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdPdf = nullptr;
    QPushButton *cmdOmissions = nullptr;
    QPushButton *cmdXls = nullptr;
    QLabel *lblSummary = nullptr;
};
