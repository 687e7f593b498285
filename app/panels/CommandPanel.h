#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;

// The window's buttons under the options: the search and its live mode, the history's commands
// (online update, text import and export, deleting the newest draw), the settings menu, the
// backtest and the trend chart. The window connects them; they hold no state of their own but
// whether live results are on.
class CommandPanel : public QWidget
{
    Q_OBJECT

  public:
    explicit CommandPanel(QWidget *parent = nullptr);

    QPushButton *Command1 = nullptr;   // 检索
    QCheckBox *chkLive = nullptr;      // 实时检索
    QPushButton *Command21 = nullptr;  // 历史号在线更新
    QPushButton *cmdRdLst = nullptr;   // 读取历史号文本
    QPushButton *Command4 = nullptr;   // 历史号码导出文本文件
    QPushButton *Command3 = nullptr;   // 删除最后历史
    QPushButton *Command9 = nullptr;   // 软件设置
    QPushButton *cmdHuice = nullptr;   // 回测
    QPushButton *cmdZoushi = nullptr;  // 走势图
    QPushButton *cmdSuoshui = nullptr; // 缩水
};
