#pragma once

#include "SearchRequest.h"
#include "Tally.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class Settings;
namespace quorlent {
class HistoryStore;
}

// The search options: the kind, result and position frames, the issue range (起/止), the two
// reference tabs with their positions, and the combination frame with its button. It owns their
// state — the reference pattern, the chosen tab — keeps each choice in the settings the moment it
// changes, and hands the searches what they need (searchRequest(), tallyOptions()). It follows the
// history (the range and the reference pattern) and the settings (the segment base, live typing).
//
// Controls keep their designer names, arrays indexed as in the designer (Option3[0..3],
// Check1[1..5]); their handlers keep the names of their control and event.
class SearchOptionsPanel : public QWidget
{
    Q_OBJECT

  public:
    // `combinationButton` is Command2, placed in the combination frame.
    SearchOptionsPanel(Settings &settings, const quorlent::HistoryStore &history,
                       QPushButton *combinationButton, QWidget *parent = nullptr);

    // Start-up selects the option controls as stored, in the order the window's start-up gives:
    // everything but the search kind first, the search kind after the next issue is shown.
    // Selecting a control runs its handler, which stores the value back.
    void selectStoredOptions();
    void selectStoredKind();

    // The reference pattern from the draw the options name (tab 1), or from the typed boxes (tab
    // 2).
    void RefreshRefPattern();
    // The 起 box from the oldest draw and the options; the 止 box too when `bothBoxes`.
    void RefreshSearchRange(bool bothBoxes);

    quorlent::SearchRequest searchRequest() const;
    quorlent::TallyOptions tallyOptions() const;
    int refPattern(int position) const { return intRefPattern[size_t(position)]; }
    bool isManualTab() const { return bolShoudong; }
    // Why the value typed for `position` (1..5) on the manual tab is no code of the search kind;
    // empty when it is one, or when the box holds no number.
    QString refusedReference(int position) const;

  signals:
    // An option, a reference value, a position or the issue range changed.
    void changed();
    // A value typed on the manual tab is no code of the search kind: `why` names the codes.
    void referenceRefused(const QString &why);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QWidget *buildKindFrames();
    QWidget *buildModeFrames();
    QWidget *buildRangeFrame();
    QWidget *buildReferenceTabs();
    QWidget *buildCombinationFrame();
    void connectHandlers();
    void followHistory();
    void showCodeKeys();
    // Marks the typed reference boxes that hold no code of the search kind; `say`: tells the
    // first such box's reason.
    void checkTypedReferences(bool say);
    // With live results on, a value typed into a reference box counts at once, not when the box
    // is left.
    bool liveTyping() const;

    void TabStrip1_Click(int tab);
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Option3_Click(int index);
    void Option4_Click(int index);
    void Option5_Click(int index);
    void Option6_Click(int index);
    void Combo1_LostFocus();
    void MaskEdBox2_LostFocus();
    void Text22_LostFocus(int index);
    void searchRangeBeforeChange();
    void searchRangeAfterChange(bool wholeHistory);

    Settings &m_settings;
    const quorlent::HistoryStore &m_history;

    std::array<int, 6> intRefPattern{}; // positions 1..5
    bool bolShoudong = false;
    // What the 止 box showed before the history changed: the newest draw (or nothing to show).
    bool m_rangeEndAtNewest = false;
    bool m_historyWasEmpty = true;

    std::array<QRadioButton *, 4> Option3{}; // 搜索类型选择
    std::array<QRadioButton *, 4> Option4{}; // 结果类型选择
    std::array<QRadioButton *, 4> Option1{}; // 自由位/固定位, 上期/前 N 期
    std::array<QRadioButton *, 6> Option2{}; // indexes 4 (直选) and 5 (组选)
    std::array<QRadioButton *, 6> Option5{}; // 第1位 .. 第5位 at 1..5
    std::array<QRadioButton *, 2> Option6{}; // 红蓝 (0), 红球 (1)
    QLineEdit *MaskEdBox2 = nullptr;
    std::array<QLineEdit *, 2> Text3{};
    QTabBar *TabStrip1 = nullptr;
    std::array<QGroupBox *, 2> Frame2{};
    std::array<QLineEdit *, 6> Text2{};
    std::array<QLineEdit *, 6> Text22{};
    std::array<QCheckBox *, 6> Check1{};
    std::array<QCheckBox *, 6> Check11{};
    QComboBox *Combo1 = nullptr;
    QPushButton *Command2 = nullptr;
};
