#pragma once

#include <array>

class QAction;
class QMainWindow;
class QMenu;

// The window's menus, in its menu bar and as pop-ups: 历史管理 (also the history grid's pop-up),
// 设置 (also behind the 软件设置 button) and 帮助. Actions are named after their handlers without
// "_Click"; an action shown in two menus is one action.
struct MainMenus
{
    // Builds the menus as children of `window` and puts them in its menu bar.
    void build(QMainWindow *window);

    QMenu *mnuLsgl = nullptr; // 历史管理
    QAction *mnuNewHistory = nullptr;
    QAction *mnuOpenHistory = nullptr;
    QAction *recentEnd = nullptr; // the recently used histories come before this separator
    QAction *mnuGame = nullptr;
    QAction *mnuXiugai = nullptr; // 修改开奖号码: correct a stored draw
    QAction *mnuDcls = nullptr;
    QAction *mnuErase = nullptr;
    QAction *mnuClear = nullptr;
    QAction *mnuDlzd = nullptr;
    QAction *mnuEszhzd = nullptr;
    QAction *mnuQueqi = nullptr;

    QMenu *mnuSet = nullptr; // 设置
    std::array<QAction *, 2> mnuDscs{};
    QAction *mnuSetDay = nullptr;
    QAction *mnuSetUrl = nullptr;
    QAction *mnuFrontPage = nullptr;
    QAction *mnuDescrb = nullptr;
    QAction *numYanshiDown = nullptr;
    QAction *mnuAbout = nullptr;

    QMenu *mnuFenxi = nullptr; // 分析: the analysis windows
    QAction *mnuZoushi = nullptr;
    QAction *mnuHuice = nullptr;
    QAction *mnuSuoshui = nullptr;

    QMenu *mnuHelp = nullptr;       // 帮助
    QAction *mnuShuoming = nullptr; // 使用说明, F1
};
