#pragma once

#include <QKeySequence>

#include <array>
#include <span>

class QAction;
class QMainWindow;
class QMenu;
class QPushButton;
class frmMain;

// The main window's commands.
enum class Command : uint8_t
{
    NewHistory,
    OpenHistory,
    HistoryGame,
    CorrectDraw,
    ExportGrid,
    DeleteNewest,
    Clear,
    DeleteTo,
    DeleteLast,
    UndoDeletion,
    MissingDraws,
    TrendChart,
    Backtest,
    Filter,
    Plan,
    Omissions,
    SegmentBase0,
    SegmentBase1,
    RedBall,
    RedBlue,
    UpdateDays,
    UpdateAddress,
    Manual,
    FrontPage,
    Description,
    DemoVideo,
    About,
    Search,
    CombinationSearch,
    OnlineUpdate,
    ReadText,
    ExportText,
    SettingsMenu,
    Count
};

// The menus a command's entry is in, as bits.
enum CommandMenu : uint8_t
{
    NoMenu = 0,
    Lsgl = 1,     // 历史管理, also the history grid's pop-up
    Fenxi = 2,    // 分析
    Set = 4,      // 设置, also behind the 软件设置 button
    Segments = 8, // 设置's 段数参数设置 submenu
    Help = 16,    // 帮助
    Zhpm = 32,    // 设置's 红球/红蓝 submenu
};

// One command: its action (an entry in menus, a button, or both, one QAction either way), what it
// does and when it waits. Rows come in the order of their entries within each menu.
struct CommandRow
{
    Command command;
    const char *action;      // the action's objectName: the entry's design name, else "act"+button
    const char *caption;     // UTF-8: the entry's text (the button's when it has no entry)
    uint8_t menus;           // CommandMenu bits
    uint8_t separatorBefore; // the menus in which a separator comes before the entry
    const char *button;      // the button's design name, or null
    const char *buttonCaption;
    const char *tip;                  // the button's tool tip (without one, the entry's), or null
    int gridRow, gridColumn;          // the button's place among the command buttons; -1: elsewhere
    bool waitsForUpdate;              // changes or searches the history: not while an update runs
    bool checkable;                   // a choice shown checked
    QKeySequence::StandardKey key;    // its shortcut, for the whole application
    void (*handler)(frmMain &window); // null: connected elsewhere (the help links, by their table)
};

// Builds the commands of a table: one action each, the menus in the window's menu bar (历史管理,
// 分析, 设置, 帮助) and the buttons, whose clicks trigger their action and which are enabled as it
// is. The window connects the handlers and places the buttons.
class MainCommands
{
  public:
    void build(QMainWindow *window, std::span<const CommandRow> rows);

    std::span<const CommandRow> rows() const { return m_rows; }
    QAction *action(Command command) const { return m_actions[size_t(command)]; }
    // Made without a parent: the panel that shows it takes it.
    QPushButton *button(Command command) const { return m_buttons[size_t(command)]; }
    QMenu *menu(CommandMenu which) const;
    // The separator before the command's entry in `which`, where there is one.
    QAction *separatorBefore(Command command) const { return m_separators[size_t(command)]; }

  private:
    std::span<const CommandRow> m_rows;
    std::array<QAction *, size_t(Command::Count)> m_actions{};
    std::array<QPushButton *, size_t(Command::Count)> m_buttons{};
    std::array<QAction *, size_t(Command::Count)> m_separators{};
    QMenu *mnuLsgl = nullptr;
    QMenu *mnuFenxi = nullptr;
    QMenu *mnuSet = nullptr;
    QMenu *mnuDscsSet = nullptr;
    QMenu *mnuZhpmSet = nullptr;
    QMenu *mnuHelp = nullptr;
};
