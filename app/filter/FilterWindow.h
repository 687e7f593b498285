#pragma once

#include "FilterEngine.h"

#include <QMainWindow>

class ConditionEditor;
class FilterSession;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;
class RemainingPanel;
class SchemeBar;
class Settings;
namespace quorlent {
class FilterConditionModel;
class FilterRecordModel;
class HistoryStore;
class RemainingNumbersModel;
} // namespace quorlent

// The 缩水 window: the part of the draw and 直选/组选, the saved 方案 (SchemeBar), the condition
// rows with the editor of the selected one, how many numbers remain, each condition's record over
// a window of the history and the conditions' together, and the remaining numbers with their
// output (RemainingPanel). A window of its own, not modal, over a FilterSession, which does the
// work and follows the history; the window reopens with the conditions it was left with.
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
    quorlent::RemainingNumbersModel &remainingModel();
    const quorlent::filter::FilterCounts &counts() const;
    const quorlent::filter::FilterEngine &engine() const;
    QTableView *conditionView() const { return tblConditions; }
    QTableView *recordView() const { return tblRecords; }
    QTableView *remainingView() const;

    // Puts a whole condition set in place, as opening a 方案 does.
    void setConditionSet(const quorlent::filter::ConditionSet &set);
    // Allows only `digits` at draw position 0-4 in the first 定位 row (added when there is
    // none), in 直选 and a part that holds the position. Returns what it did, for the status line.
    QString usePositionDigits(int drawPosition, quorlent::filter::DigitSet digits);

    // Waits for the worker's together record, if one is due or being worked out, and shows it
    // now.
    void flushTogether();
    bool isTogetherRunning() const;

    // The remaining numbers as the chosen layout writes them, and the output the buttons offer,
    // to a path already chosen (an error text, empty on success).
    QString remainingText() const;
    QString saveText(const QString &path) const;
    QString saveWorkbook(const QString &path) const;

  private:
    QWidget *buildTopBar();
    QWidget *buildConditions();
    QWidget *buildRecords();
    void connectControls();
    void restoreSet();
    void rememberSet() const;

    // Works the set out again and shows it: the count, each row's share and message, the
    // numbers and the records.
    void recompute();
    void showRecords();
    void showNewest();
    void showPartControls();
    void showSelected();
    int currentRow() const;
    void selectRow(int row);
    quorlent::filter::RecordWindow recordWindow() const;
    void status(const QString &text);

    void cmdAdd_Click();
    void cmdRemove_Click();

    quorlent::HistoryStore &m_store;
    Settings &m_settings;
    QString m_folder;
    FilterSession *m_session = nullptr;
    quorlent::FilterConditionModel *m_conditions = nullptr;
    quorlent::FilterRecordModel *m_records = nullptr;
    // Keeps the set in the settings a moment after the last edit, not at every key.
    QTimer *m_remember = nullptr;

    QComboBox *cboPart = nullptr;
    QRadioButton *optDirect = nullptr;
    QRadioButton *optGroup = nullptr;
    SchemeBar *m_schemes = nullptr;
    QLabel *lblNewest = nullptr;
    QLabel *lblResult = nullptr;
    QTableView *tblConditions = nullptr;
    QComboBox *cboKind = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRemove = nullptr;
    ConditionEditor *m_editor = nullptr;
    QComboBox *cboRecordWindow = nullptr;
    QLabel *lblRecordRange = nullptr;
    QLabel *lblRecordNote = nullptr; // what many tests at once do to "significant"
    QTableView *tblRecords = nullptr;
    RemainingPanel *m_remaining = nullptr;
};
