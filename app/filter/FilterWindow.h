#pragma once

#include "FilterEngine.h"
#include "SchemeFolder.h"

#include <QMainWindow>

#include <memory>

class ConditionEditor;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;
class Settings;
class TogetherWorker;
namespace quorlent {
class FilterConditionModel;
class FilterRecordModel;
class HistoryStore;
class RemainingNumbersModel;
} // namespace quorlent

// The 缩水 window: the part of the draw and 直选/组选, the condition rows with the editor of the
// selected one, how many numbers remain, each condition's record over a window of the history
// and the conditions' together, the remaining numbers with their output, and the saved 方案. A
// window of its own, not modal. It is a view over a FilterEngine on the history's rows: every
// edit is worked out at once on this thread, except a together record the engine leaves pending,
// which a worker thread works out (计算中… until then). It follows the history while it is open
// and reopens with the conditions it was left with.
class FilterWindow : public QMainWindow
{
    Q_OBJECT

  public:
    // The choices and the last set are kept in `settings` (section Suoshui), which must outlive
    // the window; the 方案 in the folder 缩水方案 of `programFolder`.
    FilterWindow(quorlent::HistoryStore &store, Settings &settings, const QString &programFolder,
                 QWidget *parent = nullptr);
    ~FilterWindow() override;

    quorlent::FilterConditionModel &conditionModel() { return *m_conditions; }
    quorlent::FilterRecordModel &recordModel() { return *m_records; }
    quorlent::RemainingNumbersModel &remainingModel() { return *m_remaining; }
    const quorlent::filter::FilterCounts &counts() const { return m_counts; }
    const quorlent::filter::FilterEngine &engine() const { return *m_engine; }
    QTableView *conditionView() const { return tblConditions; }
    QTableView *recordView() const { return tblRecords; }
    QTableView *remainingView() const { return tblRemaining; }

    // Puts a whole condition set in place, as opening a 方案 does.
    void setConditionSet(const quorlent::filter::ConditionSet &set);
    // Allows only `digits` at draw position 0-4 in the first 定位 row (added when there is
    // none), in 直选 and a part that holds the position. Returns what it did, for the status line.
    QString usePositionDigits(int drawPosition, quorlent::filter::DigitSet digits);

    // Waits for the worker's together record, if one is due or being worked out, and shows it
    // now.
    void flushTogether();
    bool isTogetherRunning() const;

    // The remaining numbers as the chosen layout writes them.
    QString remainingText() const;
    // The output the buttons offer, to a path already chosen. They return an error text, empty
    // on success.
    QString saveText(const QString &path) const;
    QString saveWorkbook(const QString &path) const;

  private:
    // In idle time, the omissions of the thresholds next to those in use: a step of a 冷号 or 热号
    // threshold then finds them ready.
    void prepareNeighbours();
    void prepareNext();
    QWidget *buildTopBar();
    QWidget *buildConditions();
    QWidget *buildRecords();
    QWidget *buildRemaining();
    void connectControls();
    void followHistory();
    void restoreChoices();
    void rememberSet() const;

    // Works the set out again and shows it: the count, each row's share and message, the
    // numbers and the records.
    void recompute();
    void showRecords();
    void startTogether();
    void showNewest();
    void showPartControls();
    void showSelected();
    int currentRow() const;
    void selectRow(int row);
    quorlent::filter::RecordWindow recordWindow() const;
    void status(const QString &text);

    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdCopy_Click();
    void cmdSaveText_Click();
    void cmdSaveXls_Click();
    void cmdOpenScheme_Click();
    void cmdSaveScheme_Click();
    void cmdDeleteScheme_Click();
    void refreshSchemes();

    quorlent::HistoryStore &m_store;
    Settings &m_settings;
    QString m_folder;
    SchemeFolder m_schemes;
    std::unique_ptr<quorlent::filter::FilterEngine> m_engine;
    quorlent::filter::FilterCounts m_counts;
    quorlent::FilterConditionModel *m_conditions = nullptr;
    quorlent::FilterRecordModel *m_records = nullptr;
    quorlent::RemainingNumbersModel *m_remaining = nullptr;
    TogetherWorker *m_worker = nullptr;
    // The together record is pending and its task is yet to be made (startTogether()).
    bool m_togetherScheduled = false;
    // Keeps the set in the settings a moment after the last edit, not at every key.
    QTimer *m_remember = nullptr;
    std::vector<quorlent::filter::Condition> m_toPrepare;

    QComboBox *cboPart = nullptr;
    QRadioButton *optDirect = nullptr;
    QRadioButton *optGroup = nullptr;
    QComboBox *cboScheme = nullptr;
    QPushButton *cmdOpenScheme = nullptr;
    QPushButton *cmdSaveScheme = nullptr;
    QPushButton *cmdDeleteScheme = nullptr;
    QLabel *lblNewest = nullptr;
    QLabel *lblResult = nullptr;
    QTableView *tblConditions = nullptr;
    QComboBox *cboKind = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRemove = nullptr;
    ConditionEditor *m_editor = nullptr;
    QComboBox *cboRecordWindow = nullptr;
    QLabel *lblRecordRange = nullptr;
    QTableView *tblRecords = nullptr;
    QTableView *tblRemaining = nullptr;
    QComboBox *cboCopyLayout = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdSaveText = nullptr;
    QPushButton *cmdSaveXls = nullptr;
};
