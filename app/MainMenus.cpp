#include "MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu *menu(QWidget *parent, const QString &title, const char *name)
{
    auto *m = new QMenu(title, parent);
    m->setObjectName(QLatin1String(name));
    return m;
}

QAction *action(QMenu *menu, const QString &caption, const char *name)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

} // namespace

void MainMenus::build(QMainWindow *window)
{
    mnuLsgl = menu(window, QStringLiteral("历史管理"), "mnuLsgl");
    mnuNewHistory = action(mnuLsgl, QStringLiteral("新建历史库(&N)…"), "mnuNewHistory");
    mnuOpenHistory = action(mnuLsgl, QStringLiteral("打开历史库(&P)…"), "mnuOpenHistory");
    recentEnd = mnuLsgl->addSeparator();
    mnuGame = action(mnuLsgl, QStringLiteral("历史库名称与彩种(&G)…"), "mnuGame");
    mnuLsgl->addSeparator();
    mnuXiugai = action(mnuLsgl, QStringLiteral("修改开奖号码(&M)…"), "mnuXiugai");
    mnuDcls = action(mnuLsgl, QStringLiteral("导出历史号码(&O)"), "mnuDcls");
    mnuErase = action(mnuLsgl, QStringLiteral("删除最后历史(&E)"), "mnuErase");
    mnuClear = action(mnuLsgl, QStringLiteral("清空历史号码(&C)"), "mnuClear");
    mnuDlzd = action(mnuLsgl, QStringLiteral("删除到选定期(&D)"), "mnuDlzd");
    mnuEszhzd = action(mnuLsgl, QStringLiteral("删除最后指定数量期历史(&E)"), "mnuEszhzd");
    mnuQueqi = action(mnuLsgl, QStringLiteral("缺期检查(&Q)"), "mnuQueqi");

    mnuSet = menu(window, QStringLiteral("设置"), "mnuSet");
    QMenu *segments = mnuSet->addMenu(QStringLiteral("段数参数设置(&A)"));
    segments->setObjectName(QStringLiteral("mnuDscsSet"));
    mnuDscs[0] = action(segments, QStringLiteral("段数参数0~4"), "mnuDscs(0)");
    mnuDscs[1] = action(segments, QStringLiteral("段数参数1~5"), "mnuDscs(1)");
    for (QAction *a : mnuDscs)
        a->setCheckable(true);
    mnuSet->addSeparator();
    mnuSetDay = action(mnuSet, QStringLiteral("历史号码更新检索天(&Y)"), "mnuSetDay");
    mnuSetUrl = action(mnuSet, QStringLiteral("在线更新网址设置(&U)"), "mnuSetUrl");
    mnuFrontPage = action(mnuSet, QStringLiteral("软件介绍服务主页(&P)"), "mnuFrontPage");
    mnuDescrb = action(mnuSet, QStringLiteral("软件介绍说明页面(&R)"), "mnuDescrb");
    numYanshiDown = action(mnuSet, QStringLiteral("软件演示说明录像下载(&D)"), "numYanshiDown");
    mnuSet->addSeparator();
    mnuAbout = action(mnuSet, QStringLiteral("关于 Quorlent"), "mnuAbout");

    mnuFenxi = menu(window, QStringLiteral("分析"), "mnuFenxi");
    mnuZoushi = action(mnuFenxi, QStringLiteral("走势图(&Z)"), "mnuZoushi");
    mnuHuice = action(mnuFenxi, QStringLiteral("回测(&B)"), "mnuHuice");
    mnuSuoshui = action(mnuFenxi, QStringLiteral("缩水(&F)"), "mnuSuoshui");

    mnuHelp = menu(window, QStringLiteral("帮助"), "mnuHelp");
    mnuShuoming = action(mnuHelp, QStringLiteral("使用说明(&H)"), "mnuShuoming");
    mnuShuoming->setShortcut(QKeySequence::HelpContents);
    mnuShuoming->setShortcutContext(Qt::ApplicationShortcut);
    mnuHelp->addSeparator();
    for (QAction *link : {mnuFrontPage, mnuDescrb, numYanshiDown})
        mnuHelp->addAction(link);
    mnuHelp->addSeparator();
    mnuHelp->addAction(mnuAbout);

    QMenuBar *bar = window->menuBar();
    for (QMenu *m : {mnuLsgl, mnuFenxi, mnuSet, mnuHelp})
        bar->addMenu(m);
}
