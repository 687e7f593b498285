#include "SearchOptionsPanel.h"

#include "GapCaption.h"
#include "GapOverlay.h"
#include "HistoryStore.h"
#include "PanelWidgets.h"
#include "Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

using namespace quorlent;
using namespace panels;

namespace {

// The 起 and 止 boxes' text when there is no history to name.
constexpr const char *kRangeDesignText = "2013001";

const QStringList &kindCaptions()
{
    static const QStringList captions{QStringLiteral("号码"), QStringLiteral("大小"),
                                      QStringLiteral("单双"), QStringLiteral("段数")};
    return captions;
}

// Where the help explains it.
const QString kSeeHelp = QStringLiteral("（详见 帮助 → 使用说明，F1）");

} // namespace

SearchOptionsPanel::SearchOptionsPanel(Settings &settings, const HistoryStore &history,
                                       QPushButton *combinationButton, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_history(history), Command2(combinationButton)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildKindFrames());
    layout->addWidget(buildModeFrames());
    auto *frame6 = named(new QGroupBox(QStringLiteral("结果统计选择")), QStringLiteral("Frame6"));
    auto *frame6Layout = frameLayout<QHBoxLayout>(frame6);
    for (int i = 1; i <= 5; ++i) {
        Option5[i] = radio("Option5", i, QStringLiteral("第%1位").arg(i));
        frame6Layout->addWidget(Option5[i]);
    }
    frame6->setToolTip(QStringLiteral("统计命中各期在这一位（组选：第1位到这一位）开出的结果") +
                       kSeeHelp);
    layout->addWidget(frame6);
    layout->addWidget(buildRangeFrame());
    layout->addWidget(buildReferenceTabs());
    layout->addWidget(buildCombinationFrame());
    connectHandlers();
    followHistory();
}

QWidget *SearchOptionsPanel::buildKindFrames()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frame3 = named(new QGroupBox(QStringLiteral("搜索类型选择")), QStringLiteral("Frame3"));
    auto *frame3Layout = frameLayout<QHBoxLayout>(frame3);
    auto *frame4 = named(new QGroupBox(QStringLiteral("结果类型选择")), QStringLiteral("Frame4"));
    auto *frame4Layout = frameLayout<QHBoxLayout>(frame4);
    for (int i = 0; i < 4; ++i) {
        Option3[i] = radio("Option3", i, kindCaptions()[i]);
        frame3Layout->addWidget(Option3[i]);
        Option4[i] = radio("Option4", i, kindCaptions()[i]);
        frame4Layout->addWidget(Option4[i]);
    }
    frame3->setToolTip(
        QStringLiteral("参考号和历史号按哪一种值比较：号码本身，或大小、单双、段数的代码") +
        kSeeHelp);
    frame4->setToolTip(QStringLiteral("统计命中各期开出的号码，或其大小、单双、段数") + kSeeHelp);
    layout->addWidget(frame3);
    layout->addWidget(frame4);
    return row;
}

QWidget *SearchOptionsPanel::buildModeFrames()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frame10 = named(new QGroupBox(QStringLiteral("检索位选择")), QStringLiteral("Frame1(0)"));
    auto *frame10Layout = frameLayout<QHBoxLayout>(frame10);
    Option1[1] = radio("Option1", 1, QStringLiteral("自由位"));
    Option1[0] = radio("Option1", 0, QStringLiteral("固定位"));
    Option1[1]->setToolTip(QStringLiteral("参考值出现在比较的那一期的任何位置都算") + kSeeHelp);
    Option1[0]->setToolTip(QStringLiteral("参考值必须出现在比较的那一期的同一位置") + kSeeHelp);
    frame10Layout->addWidget(Option1[1]);
    frame10Layout->addWidget(Option1[0]);
    layout->addWidget(frame10);

    auto *frame11 = named(new QGroupBox(QStringLiteral("检索期选择")), QStringLiteral("Frame1(1)"));
    auto *frame11Layout = frameLayout<QHBoxLayout>(frame11);
    Option1[3] = radio("Option1", 3, QStringLiteral("上期"));
    Option1[3]->setToolTip(QStringLiteral("参考号取最新一期；每一期按它的上一期比较") + kSeeHelp);
    MaskEdBox2 = digitBox(QStringLiteral("MaskEdBox2"), QStringLiteral("d;_"));
    MaskEdBox2->setToolTip(kEntryTip);
    MaskEdBox2->setMinimumWidth(0);
    MaskEdBox2->setMaximumWidth(QWIDGETSIZE_MAX);
    const CaptionGap nGap{1, 4, MaskEdBox2->fontMetrics().horizontalAdvance(QLatin1Char('8')) + 16};
    auto *earlier = new GapRadioButton(QStringLiteral("前    期"), nGap);
    earlier->setObjectName(QStringLiteral("Option1(2)"));
    earlier->setToolTip(QStringLiteral("参考号取倒数第 N 期；每一期按它之前第 N 期比较") +
                        kSeeHelp);
    Option1[2] = earlier;
    frame11Layout->addWidget(Option1[3]);
    frame11Layout->addWidget(Option1[2]);
    MaskEdBox2->setParent(frame11);
    new GapOverlay(earlier, MaskEdBox2,
                   [earlier] { return earlier->gapRect().adjusted(2, 0, -2, 0); });
    MaskEdBox2->installEventFilter(this);
    layout->addWidget(frame11);

    auto *frame12 = named(new QGroupBox(QStringLiteral("号码组选择")), QStringLiteral("Frame1(2)"));
    auto *frame12Layout = frameLayout<QHBoxLayout>(frame12);
    Option2[5] = radio("Option2", 5, QStringLiteral("组选"));
    Option2[4] = radio("Option2", 4, QStringLiteral("直选"));
    Option2[5]->setToolTip(QStringLiteral("统计第1位到所选位的结果，不分位置") + kSeeHelp);
    Option2[4]->setToolTip(QStringLiteral("只统计所选的那一位") + kSeeHelp);
    frame12Layout->addWidget(Option2[5]);
    frame12Layout->addWidget(Option2[4]);
    layout->addWidget(frame12);
    return row;
}

QWidget *SearchOptionsPanel::buildRangeFrame()
{
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
    return frame7;
}

QWidget *SearchOptionsPanel::buildReferenceTabs()
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
        auto *cells = frameLayout<QGridLayout>(Frame2[f]);
        for (int i = 1; i <= 5; ++i) {
            auto *value = named(new QLineEdit, arrayName(f == 0 ? "Text2" : "Text22", i));
            value->setAlignment(Qt::AlignCenter);
            value->setFixedWidth(48);
            auto *check = named(new QCheckBox(QStringLiteral("第%1位").arg(i)),
                                arrayName(f == 0 ? "Check1" : "Check11", i));
            cells->addWidget(value, 0, i - 1, Qt::AlignHCenter);
            cells->addWidget(check, 1, i - 1, Qt::AlignHCenter);
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

QWidget *SearchOptionsPanel::buildCombinationFrame()
{
    auto *frame5 = named(new QGroupBox(QStringLiteral("组合组位检索")), QStringLiteral("Frame5"));
    auto *frame5Layout = frameLayout<QHBoxLayout>(frame5);
    auto *width = named(new QLabel(QStringLiteral("组合位数")), QStringLiteral("Label1"));
    width->setToolTip(
        QStringLiteral("每次比较几个位置：参考号与比较的那一期在任意 k 个位置上相符就算命中") +
        kSeeHelp);
    frame5Layout->addWidget(width);
    Combo1 = named(new QComboBox, QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    for (int k = 1; k <= 6; ++k)
        Combo1->addItem(QString::number(k));
    Combo1->setEditText(QStringLiteral("2"));
    Combo1->installEventFilter(this);
    frame5Layout->addWidget(Combo1);
    // 红球/红蓝 changes nothing the search finds: the choice is kept, and offered in 设置, not
    // here among the options that do. The two buttons stay, hidden, holding it.
    Option6[1] = radio("Option6", 1, QStringLiteral("红球"));
    Option6[0] = radio("Option6", 0, QStringLiteral("红蓝"));
    for (QRadioButton *button : Option6) {
        button->setToolTip(QStringLiteral("只是保存的一项选择，不改变组合检索的结果"));
        button->setParent(frame5);
        button->hide();
    }
    frame5Layout->addWidget(Command2);
    return frame5;
}

void SearchOptionsPanel::connectHandlers()
{
    auto onSelect = [this](QRadioButton *button, int index,
                           void (SearchOptionsPanel::*handler)(int)) {
        connect(button, &QRadioButton::toggled, this, [this, index, handler](bool checked) {
            if (checked) {
                (this->*handler)(index);
                emit changed();
            }
        });
    };
    for (int i = 0; i < 4; ++i) {
        onSelect(Option1[i], i, &SearchOptionsPanel::Option1_Click);
        onSelect(Option3[i], i, &SearchOptionsPanel::Option3_Click);
        onSelect(Option4[i], i, &SearchOptionsPanel::Option4_Click);
    }
    for (int i : {4, 5})
        onSelect(Option2[i], i, &SearchOptionsPanel::Option2_Click);
    for (int i = 1; i <= 5; ++i)
        onSelect(Option5[i], i, &SearchOptionsPanel::Option5_Click);
    for (int i = 0; i < 2; ++i)
        onSelect(Option6[i], i, &SearchOptionsPanel::Option6_Click);
    for (int i = 1; i <= 5; ++i) {
        for (QCheckBox *check : {Check1[i], Check11[i]})
            connect(check, &QCheckBox::toggled, this, &SearchOptionsPanel::changed);
        connect(Text22[i], &QLineEdit::textEdited, this, [this, i] {
            checkTypedReferences(false);
            if (!liveTyping())
                return;
            Text22_LostFocus(i);
            if (const QString why = refusedReference(i); !why.isEmpty())
                emit referenceRefused(why);
            emit changed();
        });
    }
    for (QLineEdit *box : Text3)
        connect(box, &QLineEdit::textEdited, this, &SearchOptionsPanel::changed);

    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int tab) {
        TabStrip1_Click(tab);
        checkTypedReferences(tab == 1);
        emit changed();
    });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_LostFocus(); });
    // The list's current item follows the width shown, so that the list opens on it and the
    // arrow keys step from it. Setting the text it already has at start-up sends no change, so
    // the item is also set from the width wherever the width is shown.
    connect(Combo1, &QComboBox::editTextChanged, this, [this](const QString &text) {
        const int item = Combo1->findText(text);
        if (item >= 0 && item != Combo1->currentIndex())
            Combo1->setCurrentIndex(item);
        bool ok = false;
        const int width = text.trimmed().toInt(&ok);
        if (ok && liveTyping() && Settings::inRange(Settings::intZhWSetup, width)) {
            m_settings.set(Settings::intZhWSetup, width);
            emit changed();
        }
    });
}

// The 起 and 止 boxes name draws of the history they were filled from. A history that replaces
// the whole one, or fills an empty one, gets the boxes of a fresh start; appended draws move 止
// along only while it showed the newest draw, so a value the user typed stays as it is. The
// reference pattern is the newest draw's, or the one N draws before it, whatever changed them.
void SearchOptionsPanel::followHistory()
{
    const HistoryStore *store = &m_history;
    for (auto before : {&HistoryStore::aboutToAppend, &HistoryStore::aboutToRemove})
        connect(store, before, this, &SearchOptionsPanel::searchRangeBeforeChange);
    connect(store, &HistoryStore::aboutToReset, this, &SearchOptionsPanel::searchRangeBeforeChange);
    connect(store, &HistoryStore::appended, this, [this] { searchRangeAfterChange(false); });
    connect(store, &HistoryStore::removed, this, [this] { searchRangeAfterChange(false); });
    connect(store, &HistoryStore::resetDone, this, [this] { searchRangeAfterChange(true); });
    for (auto after : {&HistoryStore::appended, &HistoryStore::removed, &HistoryStore::resetDone,
                       &HistoryStore::opened})
        connect(store, after, this, &SearchOptionsPanel::RefreshRefPattern);
    connect(store, &HistoryStore::rowsCorrected, this, &SearchOptionsPanel::RefreshRefPattern);
    connect(&m_settings, &Settings::changed, this, [this](Settings::Key key) {
        if (key == Settings::DsIni)
            showCodeKeys();
        if (key == Settings::bolZhpm) {
            QRadioButton *chosen = Option6[m_settings.flag(Settings::bolZhpm) ? 1 : 0];
            const QSignalBlocker quiet(chosen); // chosen in 设置: nothing to store again
            chosen->setChecked(true);
        }
    });
}

void SearchOptionsPanel::searchRangeBeforeChange()
{
    const HistoryRow *newest = m_history.newest();
    m_historyWasEmpty = newest == nullptr;
    m_rangeEndAtNewest = newest && Text3[1]->text() == m_history.game().displayForm(newest->sqqh);
}

void SearchOptionsPanel::searchRangeAfterChange(bool wholeHistory)
{
    if (m_history.empty()) {
        for (QLineEdit *box : Text3)
            box->setText(QLatin1String(kRangeDesignText));
    } else if (wholeHistory || m_historyWasEmpty) {
        RefreshSearchRange(true);
    } else if (m_rangeEndAtNewest) {
        Text3[1]->setText(m_history.game().displayForm(m_history.newest()->sqqh));
    }
}

// ---- Start-up ---------------------------------------------------------------------------------

void SearchOptionsPanel::selectStoredOptions()
{
    Option1[m_settings.flag(Settings::bolZyw) ? 1 : 0]->setChecked(true);
    Option1[m_settings.flag(Settings::bolSq) ? 3 : 2]->setChecked(true);
    Option2[m_settings.flag(Settings::bolZuxuan) ? 5 : 4]->setChecked(true);
    Option5[m_settings.number(Settings::intConsqSort)]->setChecked(true);
    Option4[m_settings.number(Settings::intXianshiLei)]->setChecked(true);
    Option6[m_settings.flag(Settings::bolZhpm) ? 1 : 0]->setChecked(true);
    MaskEdBox2->setText(QString::number(m_settings.number(Settings::intPreQi)));
    const QString width = QString::number(m_settings.number(Settings::intZhWSetup));
    Combo1->setEditText(width);
    if (const int item = Combo1->findText(width); item >= 0)
        Combo1->setCurrentIndex(item); // the text was already "2": no change told the list
}

void SearchOptionsPanel::selectStoredKind()
{
    Option3[m_settings.number(Settings::intLei)]->setChecked(true);
    showCodeKeys();
}

// ---- Shared refreshes -------------------------------------------------------------------------

void SearchOptionsPanel::RefreshRefPattern()
{
    if (TabStrip1->currentIndex() == 0) {
        bolShoudong = false;
        const auto &rows = m_history.rows();
        const long back =
            m_settings.flag(Settings::bolSq) ? 0 : m_settings.number(Settings::intPreQi) - 1;
        const long index = static_cast<long>(rows.size()) - 1 - back;
        if (index < 0)
            return; // no such draw: the boxes keep what they show
        const Kind kind = static_cast<Kind>(m_settings.number(Settings::intLei));
        const PositionValues &values = rows[static_cast<size_t>(index)].own[kind];
        for (int i = 1; i <= 5; ++i) {
            intRefPattern[i] = values[i - 1];
            Text2[i]->setText(QString::number(values[i - 1]));
        }
    } else {
        bolShoudong = true;
        for (int i = 1; i <= 5; ++i) {
            bool ok = false;
            const int value = Text22[i]->text().trimmed().toInt(&ok);
            if (ok)
                intRefPattern[i] = value;
        }
    }
}

void SearchOptionsPanel::RefreshSearchRange(bool bothBoxes)
{
    if (m_history.empty())
        return; // the boxes keep their text
    const auto &rows = m_history.rows();
    const Game &game = m_history.game();
    const int k = m_settings.flag(Settings::bolSq) ? 1 : m_settings.number(Settings::intPreQi);
    // Plain arithmetic on the stored form, as ever: the box shows a number the user may edit.
    Text3[0]->setText(game.displayForm(rows.front().sqqh + k));
    if (bothBoxes)
        Text3[1]->setText(game.displayForm(rows.back().sqqh));
}

void SearchOptionsPanel::showCodeKeys()
{
    const QString key = codeKey(static_cast<Kind>(m_settings.number(Settings::intLei)),
                                m_settings.number(Settings::DsIni));
    const QString tip = key.isEmpty() ? QString() : QStringLiteral("参考值是代码：") + key;
    for (int i = 1; i <= 5; ++i)
        Text2[i]->setToolTip(tip);
    checkTypedReferences(bolShoudong);
}

QString SearchOptionsPanel::refusedReference(int position) const
{
    bool ok = false;
    const int value = Text22[position]->text().trimmed().toInt(&ok);
    const Kind kind = static_cast<Kind>(m_settings.number(Settings::intLei));
    const int base = m_settings.number(Settings::DsIni);
    if (!ok || isCodeOf(value, kind, base))
        return {};
    return QStringLiteral("第%1位的参考值 %2 不在可选的值里：%3")
        .arg(position)
        .arg(value)
        .arg(kindCodes(kind, base));
}

// A value the kind cannot have would match no draw: the box says so at once, in red, rather
// than the search finding nothing without a reason.
void SearchOptionsPanel::checkTypedReferences(bool say)
{
    const QString key = codeKey(static_cast<Kind>(m_settings.number(Settings::intLei)),
                                m_settings.number(Settings::DsIni));
    const QString tip = key.isEmpty() ? QString() : QStringLiteral("参考值是代码：") + key;
    QString first;
    for (int i = 1; i <= 5; ++i) {
        const QString why = refusedReference(i);
        Text22[i]->setToolTip(why.isEmpty() ? tip : why);
        const QString style =
            why.isEmpty() ? QString()
                          : QStringLiteral("QLineEdit { border: 1px solid #c62828; "
                                           "background: #fdecea; color: #b01c1c; }");
        if (Text22[i]->styleSheet() != style)
            Text22[i]->setStyleSheet(style);
        if (first.isEmpty())
            first = why;
    }
    if (say && !first.isEmpty())
        emit referenceRefused(first);
}

bool SearchOptionsPanel::liveTyping() const
{
    return m_settings.flag(Settings::bolShishi);
}

// ---- The search's request -------------------------------------------------------------------

SearchRequest SearchOptionsPanel::searchRequest() const
{
    SearchRequest request;
    request.freePositions = !Option1[0]->isChecked();
    request.previousDraw = m_settings.flag(Settings::bolSq);
    request.earlierDistance = m_settings.number(Settings::intPreQi);
    request.kind = static_cast<Kind>(m_settings.number(Settings::intLei));
    for (int p = 1; p <= 5; ++p) {
        request.reference[p - 1] = intRefPattern[p];
        request.selected[p - 1] = (bolShoudong ? Check11[p] : Check1[p])->isChecked();
    }
    request.combinationWidth = m_settings.number(Settings::intZhWSetup);
    request.rangeStart = Text3[0]->text();
    request.rangeEnd = Text3[1]->text();
    request.game = m_history.game();
    return request;
}

TallyOptions SearchOptionsPanel::tallyOptions() const
{
    TallyOptions options;
    options.groupSelection = m_settings.flag(Settings::bolZuxuan);
    options.position = m_settings.number(Settings::intConsqSort);
    options.resultKind = static_cast<Kind>(m_settings.number(Settings::intXianshiLei));
    options.segmentBase = m_settings.number(Settings::DsIni);
    return options;
}

// ---- Handlers -----------------------------------------------------------------------------

bool SearchOptionsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        for (int i = 1; i <= 5; ++i) {
            if (watched == Text22[i] && !key->text().isEmpty()) {
                const QChar c = key->text().at(0);
                const bool accepted = c == QLatin1Char('-') ||
                                      (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                                      key->key() == Qt::Key_Backspace || !c.isPrint();
                if (!accepted)
                    return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == MaskEdBox2) {
            MaskEdBox2_LostFocus();
            emit changed();
        } else if (watched == Combo1) {
            Combo1_LostFocus();
            emit changed();
        }
        for (int i = 1; i <= 5; ++i) {
            if (watched == Text22[i]) {
                Text22_LostFocus(i);
                if (const QString why = refusedReference(i); !why.isEmpty())
                    emit referenceRefused(why);
                emit changed();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SearchOptionsPanel::TabStrip1_Click(int tab)
{
    Frame2[0]->setVisible(tab == 0);
    Frame2[1]->setVisible(tab == 1);
    bolShoudong = tab == 1;
    const auto &boxes = tab == 0 ? Text2 : Text22;
    for (int i = 1; i <= 5; ++i) {
        bool ok = false;
        const int value = boxes[i]->text().trimmed().toInt(&ok);
        if (ok)
            intRefPattern[i] = value;
    }
}

void SearchOptionsPanel::Option1_Click(int index)
{
    if (index == 1 || index == 0)
        m_settings.setFlag(Settings::bolZyw, index == 1);
    else
        m_settings.setFlag(Settings::bolSq, index == 3);
    m_settings.setFlag(Settings::bolZyw, m_settings.flag(Settings::bolZyw));
    m_settings.setFlag(Settings::bolSq, m_settings.flag(Settings::bolSq));
    RefreshRefPattern();
    RefreshSearchRange(false);
}

void SearchOptionsPanel::Option2_Click(int)
{
    m_settings.setFlag(Settings::bolZuxuan, Option2[5]->isChecked());
    RefreshRefPattern();
}

void SearchOptionsPanel::Option3_Click(int index)
{
    m_settings.set(Settings::intLei, index);
    RefreshRefPattern();
    showCodeKeys();
}

void SearchOptionsPanel::Option4_Click(int index)
{
    m_settings.set(Settings::intXianshiLei, index);
}

void SearchOptionsPanel::Option5_Click(int index)
{
    m_settings.set(Settings::intConsqSort, index);
}

void SearchOptionsPanel::Option6_Click(int index)
{
    m_settings.setFlag(Settings::bolZhpm, index != 0);
}

void SearchOptionsPanel::Combo1_LostFocus()
{
    bool ok = false;
    const int width = Combo1->currentText().trimmed().toInt(&ok);
    if (ok && Settings::inRange(Settings::intZhWSetup, width))
        m_settings.set(Settings::intZhWSetup, width);
    else // not a number: keep the width in force and show it again
        Combo1->setEditText(QString::number(m_settings.number(Settings::intZhWSetup)));
}

void SearchOptionsPanel::MaskEdBox2_LostFocus()
{
    bool ok = false;
    const int n = MaskEdBox2->text().toInt(&ok);
    if (!ok || !m_settings.set(Settings::intPreQi, n)) {
        MaskEdBox2->setText(QString::number(m_settings.number(Settings::intPreQi)));
        return;
    }
    RefreshRefPattern();
    RefreshSearchRange(false);
}

void SearchOptionsPanel::Text22_LostFocus(int index)
{
    bool ok = false;
    const int value = Text22[index]->text().trimmed().toInt(&ok);
    if (ok)
        intRefPattern[index] = value;
}
