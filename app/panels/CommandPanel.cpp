#include "CommandPanel.h"

#include "PanelWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

using namespace panels;

CommandPanel::CommandPanel(QWidget *parent) : QWidget(parent)
{
    Command1 = named(new QPushButton(QStringLiteral("检索(&S)")), QStringLiteral("Command1"));
    chkLive = named(new QCheckBox(QStringLiteral("实时检索")), QStringLiteral("chkLive"));
    chkLive->setToolTip(QStringLiteral("打勾后，改变任何选项、参考号、检索位、起止期数或历史号码，"
                                       "都立即重做上一次的检索（检索或组合检索）"));
    Command21 =
        named(new QPushButton(QStringLiteral("历史号在线更新(&O)")), QStringLiteral("Command21"));
    Command21->setToolTip(QStringLiteral("从官方服务器更新历史号码"));
    cmdRdLst =
        named(new QPushButton(QStringLiteral("读取历史号文本(&W)")), QStringLiteral("cmdRdLst"));
    cmdRdLst->setToolTip(
        QStringLiteral("从历史号码文本文件中读取历史号中最后一期之后的新的历史号码"));
    Command4 = named(new QPushButton(QStringLiteral("历史号码导出文本文件(&O)")),
                     QStringLiteral("Command4"));
    Command3 =
        named(new QPushButton(QStringLiteral("删除最后历史(&D)")), QStringLiteral("Command3"));
    Command9 = named(new QPushButton(QStringLiteral("软件设置(&T)")), QStringLiteral("Command9"));
    cmdHuice = named(new QPushButton(QStringLiteral("回测(&B)")), QStringLiteral("cmdHuice"));
    cmdHuice->setToolTip(QStringLiteral("看当前的检索若在每一期开奖前使用，预测会命中多少"));
    cmdZoushi = named(new QPushButton(QStringLiteral("走势图(&Z)")), QStringLiteral("cmdZoushi"));
    cmdSuoshui = named(new QPushButton(QStringLiteral("缩水(&F)")), QStringLiteral("cmdSuoshui"));
    cmdSuoshui->setToolTip(
        QStringLiteral("按条件缩小全部号码的范围，并看每个条件过去是否好过随机"));

    auto *buttons = new QGridLayout(this);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(Command1, 0, 0);
    buttons->addWidget(Command21, 0, 1);
    buttons->addWidget(cmdRdLst, 0, 2);
    buttons->addWidget(Command4, 1, 0);
    buttons->addWidget(Command3, 1, 1);
    buttons->addWidget(Command9, 1, 2);
    buttons->addWidget(cmdHuice, 2, 0);
    buttons->addWidget(cmdZoushi, 2, 1);
    buttons->addWidget(cmdSuoshui, 2, 2);
    buttons->addWidget(chkLive, 3, 0, Qt::AlignLeft);
}
