#pragma once

#include <QWidget>

class MainCommands;
class QCheckBox;

// The window's buttons under the options, each the button of a command (see MainCommands), in
// the place its row gives, and 实时检索 (chkLive) under them. It holds no state of its own but
// whether live results are on.
class CommandPanel : public QWidget
{
    Q_OBJECT

  public:
    explicit CommandPanel(const MainCommands &commands, QWidget *parent = nullptr);

    QCheckBox *chkLive = nullptr; // 实时检索
};
