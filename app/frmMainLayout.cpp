// Builds the controls and menus of the main window: captions, tips, groupings and names.
#include "GapCaption.h"
#include "GapOverlay.h"
#include "HistoryGridModel.h"
#include "OutcomeChartView.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kExportTip = QStringLiteral("鼠标双击列表可以将列表导出到EXCEL");
const QString kEntryTip = QStringLiteral("在此补充输入最新历史号码");

QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QRadioButton *radio(const char *name, int index, const QString &caption)
{
    return named(new QRadioButton(caption), arrayName(name, index));
}

// A one-digit masked box: its empty text reads "_".
QLineEdit *digitBox(const QString &name, const QString &mask)
{
    auto *box = named(new QLineEdit, name);
    box->setInputMask(mask);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(26);
    return box;
}

QTableView *grid(const char *name)
{
    auto *view = named(new QTableView, QLatin1String(name));
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    return view;
}

// The layout of a frame's row of options: tighter than the style's default, so that the three
// grids keep all their columns in view on a 1366-pixel-wide screen.
template <typename L> L *frameLayout(QWidget *frame)
{
    auto *layout = new L(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    return layout;
}

// Column widths are given in twips; 15 twips make a pixel at 96 dpi.
int twips(int value) { return value / 15; }

} // namespace

void frmMain::buildControls()
{
    auto *central = new QWidget;
    auto *outer = new QHBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 0);

    MSFlexGrid1 = grid("MSFlexGrid1");
    MSFlexGrid1->setToolTip(kExportTip);
    m_historyModel = new HistoryGridModel(*m_history, this);
    MSFlexGrid1->setModel(m_historyModel);
    MSFlexGrid1->setColumnWidth(0, twips(1500));
    MSFlexGrid1->setMinimumWidth(twips(1500) + 5 * twips(620) + 24);
    // The digit columns share what the entry bar below leaves beside the issue column.
    for (int c = 1; c <= 5; ++c)
        MSFlexGrid1->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
    MSFlexGrid1->setContextMenuPolicy(Qt::CustomContextMenu);

    auto *left = new QVBoxLayout;
    left->addWidget(MSFlexGrid1, 1);
    left->addWidget(buildEntryBar());
    outer->addLayout(left, 0);

    outer->addWidget(buildOptionsColumn(), 0);

    MSFlexGrid2 = grid("MSFlexGrid2");
    MSFlexGrid2->setToolTip(kExportTip);
    MSFlexGrid3 = grid("MSFlexGrid3");
    auto *right = new QVBoxLayout;
    right->addWidget(MSFlexGrid2, 3);
    auto *outcomes = new QHBoxLayout;
    outcomes->addWidget(MSFlexGrid3, 0);
    chartOutcome = named(new OutcomeChartView, QStringLiteral("chartOutcome"));
    outcomes->addWidget(chartOutcome, 1);
    right->addLayout(outcomes, 2);
    lblOutcomeStats = named(new QLabel, QStringLiteral("lblOutcomeStats"));
    lblOutcomeStats->setWordWrap(true);
    right->addWidget(lblOutcomeStats);
    outer->addLayout(right, 1);

    setCentralWidget(central);
    statusBar();
}

QWidget *frmMain::buildEntryBar()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    const QString before = QStringLiteral("在下面输入  ");
    const QString number = QStringLiteral("2007001");
    Text1 = named(new QLineEdit(number, bar), QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    const CaptionGap gap{static_cast<int>(before.size()), static_cast<int>(number.size() + 2),
                         Text1->fontMetrics().horizontalAdvance(QStringLiteral("20000000000")) + 12};
    auto *label = named(new GapLabel(before + number + QStringLiteral("    期历史号码:"), gap),
                        QStringLiteral("Label12(1)"));
    row->addWidget(label);
    new GapOverlay(label, Text1, [label] { return label->gapRect().adjusted(0, 0, -4, 0); });
    for (int i = 1; i <= 5; ++i) {
        MaskEdBox1[i] = digitBox(arrayName("MaskEdBox1", i), QStringLiteral("0;_"));
        MaskEdBox1[i]->setToolTip(kEntryTip);
        MaskEdBox1[i]->installEventFilter(this);
        row->addWidget(MaskEdBox1[i]);
    }
    row->addStretch(1);
    return bar;
}

QWidget *frmMain::buildOptionsColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const QStringList kinds{QStringLiteral("号码"), QStringLiteral("大小"), QStringLiteral("单双"),
                            QStringLiteral("段数")};

    auto *kindRow = new QHBoxLayout;
    auto *frame3 = named(new QGroupBox(QStringLiteral("搜索类型选择")), QStringLiteral("Frame3"));
    auto *frame3Layout = frameLayout<QHBoxLayout>(frame3);
    auto *frame4 = named(new QGroupBox(QStringLiteral("结果类型选择")), QStringLiteral("Frame4"));
    auto *frame4Layout = frameLayout<QHBoxLayout>(frame4);
    for (int i = 0; i < 4; ++i) {
        Option3[i] = radio("Option3", i, kinds[i]);
        frame3Layout->addWidget(Option3[i]);
        Option4[i] = radio("Option4", i, kinds[i]);
        frame4Layout->addWidget(Option4[i]);
    }
    kindRow->addWidget(frame3);
    kindRow->addWidget(frame4);
    layout->addLayout(kindRow);

    auto *modeRow = new QHBoxLayout;
    auto *frame10 = named(new QGroupBox(QStringLiteral("检索位选择")), QStringLiteral("Frame1(0)"));
    auto *frame10Layout = frameLayout<QHBoxLayout>(frame10);
    Option1[1] = radio("Option1", 1, QStringLiteral("自由位"));
    Option1[0] = radio("Option1", 0, QStringLiteral("固定位"));
    frame10Layout->addWidget(Option1[1]);
    frame10Layout->addWidget(Option1[0]);
    modeRow->addWidget(frame10);

    auto *frame11 = named(new QGroupBox(QStringLiteral("检索期选择")), QStringLiteral("Frame1(1)"));
    auto *frame11Layout = frameLayout<QHBoxLayout>(frame11);
    Option1[3] = radio("Option1", 3, QStringLiteral("上期"));
    MaskEdBox2 = digitBox(QStringLiteral("MaskEdBox2"), QStringLiteral("d;_"));
    MaskEdBox2->setToolTip(kEntryTip);
    MaskEdBox2->setMinimumWidth(0);
    MaskEdBox2->setMaximumWidth(QWIDGETSIZE_MAX);
    const CaptionGap nGap{1, 4, MaskEdBox2->fontMetrics().horizontalAdvance(QLatin1Char('8')) + 16};
    auto *earlier = new GapRadioButton(QStringLiteral("前    期"), nGap);
    earlier->setObjectName(QStringLiteral("Option1(2)"));
    Option1[2] = earlier;
    frame11Layout->addWidget(Option1[3]);
    frame11Layout->addWidget(Option1[2]);
    MaskEdBox2->setParent(frame11);
    new GapOverlay(earlier, MaskEdBox2, [earlier] { return earlier->gapRect().adjusted(2, 0, -2, 0); });
    MaskEdBox2->installEventFilter(this);
    modeRow->addWidget(frame11);

    auto *frame12 = named(new QGroupBox(QStringLiteral("号码组选择")), QStringLiteral("Frame1(2)"));
    auto *frame12Layout = frameLayout<QHBoxLayout>(frame12);
    Option2[5] = radio("Option2", 5, QStringLiteral("组选"));
    Option2[4] = radio("Option2", 4, QStringLiteral("直选"));
    frame12Layout->addWidget(Option2[5]);
    frame12Layout->addWidget(Option2[4]);
    modeRow->addWidget(frame12);
    layout->addLayout(modeRow);

    auto *frame6 = named(new QGroupBox(QStringLiteral("结果统计选择")), QStringLiteral("Frame6"));
    auto *frame6Layout = frameLayout<QHBoxLayout>(frame6);
    for (int i = 1; i <= 5; ++i) {
        Option5[i] = radio("Option5", i, QStringLiteral("第%1位").arg(i));
        frame6Layout->addWidget(Option5[i]);
    }
    layout->addWidget(frame6);

    auto *frame7 = named(new QGroupBox(QStringLiteral("检索起止期数")), QStringLiteral("Frame7"));
    auto *frame7Layout = frameLayout<QHBoxLayout>(frame7);
    for (int i = 0; i < 2; ++i) {
        Text3[i] = named(new QLineEdit(QLatin1String(kRangeDesignText)), arrayName("Text3", i));
        Text3[i]->setMaxLength(20);
    }
    frame7Layout->addWidget(named(new QLabel(QStringLiteral("起")), QStringLiteral("Label3(0)")));
    frame7Layout->addWidget(Text3[0]);
    frame7Layout->addWidget(named(new QLabel(QStringLiteral("～")), QStringLiteral("Label4")));
    frame7Layout->addWidget(named(new QLabel(QStringLiteral("止")), QStringLiteral("Label3(1)")));
    frame7Layout->addWidget(Text3[1]);
    layout->addWidget(frame7);

    layout->addWidget(buildReferenceTabs());

    auto *frame5 = named(new QGroupBox(QStringLiteral("组合组位检索")), QStringLiteral("Frame5"));
    auto *frame5Layout = frameLayout<QHBoxLayout>(frame5);
    frame5Layout->addWidget(named(new QLabel(QStringLiteral("组合位数")), QStringLiteral("Label1")));
    Combo1 = named(new QComboBox, QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    for (int k = 1; k <= 6; ++k)
        Combo1->addItem(QString::number(k));
    Combo1->setEditText(QStringLiteral("2"));
    Combo1->installEventFilter(this);
    frame5Layout->addWidget(Combo1);
    Option6[1] = radio("Option6", 1, QStringLiteral("红球"));
    Option6[0] = radio("Option6", 0, QStringLiteral("红蓝"));
    frame5Layout->addWidget(Option6[1]);
    frame5Layout->addWidget(Option6[0]);
    Command2 = named(new QPushButton(QStringLiteral("组合检索(&G)")), QStringLiteral("Command2"));
    frame5Layout->addWidget(Command2);
    layout->addWidget(frame5);

    auto *buttons = new QGridLayout;
    Command1 = named(new QPushButton(QStringLiteral("检索(&S)")), QStringLiteral("Command1"));
    Command21 = named(new QPushButton(QStringLiteral("历史号在线更新(&O)")), QStringLiteral("Command21"));
    Command21->setToolTip(QStringLiteral("从官方服务器更新历史号码"));
    cmdRdLst = named(new QPushButton(QStringLiteral("读取历史号文本(&W)")), QStringLiteral("cmdRdLst"));
    cmdRdLst->setToolTip(
        QStringLiteral("从历史号码文本文件中读取历史号中最后一期之后的新的历史号码"));
    Command4 = named(new QPushButton(QStringLiteral("历史号码导出文本文件(&O)")), QStringLiteral("Command4"));
    Command3 = named(new QPushButton(QStringLiteral("删除最后历史(&D)")), QStringLiteral("Command3"));
    Command9 = named(new QPushButton(QStringLiteral("软件设置(&T)")), QStringLiteral("Command9"));
    buttons->addWidget(Command1, 0, 0);
    buttons->addWidget(Command21, 0, 1);
    buttons->addWidget(cmdRdLst, 0, 2);
    buttons->addWidget(Command4, 1, 0);
    buttons->addWidget(Command3, 1, 1);
    buttons->addWidget(Command9, 1, 2);
    cmdHuice = named(new QPushButton(QStringLiteral("回测(&B)")), QStringLiteral("cmdHuice"));
    cmdHuice->setToolTip(QStringLiteral("看当前的检索若在每一期开奖前使用，预测会命中多少"));
    buttons->addWidget(cmdHuice, 2, 0);
    cmdZoushi = named(new QPushButton(QStringLiteral("走势图(&Z)")), QStringLiteral("cmdZoushi"));
    buttons->addWidget(cmdZoushi, 2, 1);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return column;
}

QWidget *frmMain::buildReferenceTabs()
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    TabStrip1 = named(new QTabBar, QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("自动历史位"));
    TabStrip1->addTab(QStringLiteral("手动输入号"));
    TabStrip1->setExpanding(false);
    layout->addWidget(TabStrip1);

    for (int f = 0; f < 2; ++f) {
        Frame2[f] = named(new QGroupBox, arrayName("Frame2", f));
        auto *grid = frameLayout<QGridLayout>(Frame2[f]);
        for (int i = 1; i <= 5; ++i) {
            auto *value = named(new QLineEdit, arrayName(f == 0 ? "Text2" : "Text22", i));
            value->setAlignment(Qt::AlignCenter);
            value->setFixedWidth(48);
            auto *check = named(new QCheckBox(QStringLiteral("第%1位").arg(i)),
                                arrayName(f == 0 ? "Check1" : "Check11", i));
            grid->addWidget(value, 0, i - 1, Qt::AlignHCenter);
            grid->addWidget(check, 1, i - 1, Qt::AlignHCenter);
            if (f == 0) {
                Text2[i] = value;
                Text2[i]->setText(QStringLiteral("0"));
                Text2[i]->setReadOnly(true);
                Check1[i] = check;
            } else {
                Text22[i] = value;
                Text22[i]->setMaxLength(6);
                Text22[i]->installEventFilter(this);
                Check11[i] = check;
            }
        }
        layout->addWidget(Frame2[f]);
    }
    Frame2[1]->hide();
    return box;
}

void frmMain::buildMenus()
{
    mnuLsgl = named(new QMenu(QStringLiteral("历史管理"), this), QStringLiteral("mnuLsgl"));
    auto action = [](QMenu *menu, const QString &caption, const QString &name) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    mnuDcls = action(mnuLsgl, QStringLiteral("导出历史号码(&O)"), QStringLiteral("mnuDcls"));
    mnuErase = action(mnuLsgl, QStringLiteral("删除最后历史(&E)"), QStringLiteral("mnuErase"));
    mnuClear = action(mnuLsgl, QStringLiteral("清空历史号码(&C)"), QStringLiteral("mnuClear"));
    mnuDlzd = action(mnuLsgl, QStringLiteral("删除到选定期(&D)"), QStringLiteral("mnuDlzd"));
    mnuEszhzd = action(mnuLsgl, QStringLiteral("删除最后指定数量期历史(&E)"), QStringLiteral("mnuEszhzd"));
    mnuQueqi = action(mnuLsgl, QStringLiteral("缺期检查(&Q)"), QStringLiteral("mnuQueqi"));

    mnuSet = named(new QMenu(QStringLiteral("设置"), this), QStringLiteral("mnuSet"));
    QMenu *segments = mnuSet->addMenu(QStringLiteral("段数参数设置(&A)"));
    segments->setObjectName(QStringLiteral("mnuDscsSet"));
    mnuDscs[0] = action(segments, QStringLiteral("段数参数0~4"), QStringLiteral("mnuDscs(0)"));
    mnuDscs[1] = action(segments, QStringLiteral("段数参数1~5"), QStringLiteral("mnuDscs(1)"));
    for (QAction *a : mnuDscs)
        a->setCheckable(true);
    mnuSet->addSeparator();
    mnuSetDay = action(mnuSet, QStringLiteral("历史号码更新检索天(&Y)"), QStringLiteral("mnuSetDay"));
    mnuSetUrl = action(mnuSet, QStringLiteral("在线更新网址设置(&U)"), QStringLiteral("mnuSetUrl"));
    mnuFrontPage = action(mnuSet, QStringLiteral("软件介绍服务主页(&P)"), QStringLiteral("mnuFrontPage"));
    mnuDescrb = action(mnuSet, QStringLiteral("软件介绍说明页面(&R)"), QStringLiteral("mnuDescrb"));
    numYanshiDown =
        action(mnuSet, QStringLiteral("软件演示说明录像下载(&D)"), QStringLiteral("numYanshiDown"));
    mnuSet->addSeparator();
    mnuAbout = action(mnuSet, QStringLiteral("关于 Quorlent"), QStringLiteral("mnuAbout"));
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}
