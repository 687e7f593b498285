#include "CommandPanel.h"

#include "MainCommands.h"
#include "PanelWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

using namespace panels;

CommandPanel::CommandPanel(const MainCommands &commands, QWidget *parent) : QWidget(parent)
{
    auto *buttons = new QGridLayout(this);
    buttons->setContentsMargins(0, 0, 0, 0);
    int rows = 0;
    for (const CommandRow &row : commands.rows()) {
        if (!row.button || row.gridRow < 0)
            continue;
        buttons->addWidget(commands.button(row.command), row.gridRow, row.gridColumn);
        rows = std::max(rows, row.gridRow + 1);
    }
    chkLive = named(new QCheckBox(QStringLiteral("实时检索")), QStringLiteral("chkLive"));
    chkLive->setToolTip(QStringLiteral("打勾后，改变任何选项、参考号、检索位、起止期数或历史号码，"
                                       "都立即重做上一次的检索（检索或组合检索）"));
    buttons->addWidget(chkLive, rows, 0, Qt::AlignLeft);
}
