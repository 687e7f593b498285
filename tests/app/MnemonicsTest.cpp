#include "AppFixture.h"

#include "FileChooser.h"
#include "HelpLinks.h"
#include "Mnemonics.h"

#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

using namespace quorlent;

namespace {

// Checks every window as it opens; a modal one, inside its own loop, is then closed while
// `closeModals` is set (the dialogs that a command opens on its way to a window are answered by
// the test itself).
class WindowWatch : public QObject
{
  public:
    WindowWatch() { qApp->installEventFilter(this); }
    ~WindowWatch() override { qApp->removeEventFilter(this); }

    bool closeModals = false;
    QStringList clashes;
    QStringList seen;
    std::vector<QPointer<QWidget>> modeless;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        const Qt::WindowType type = widget->windowType();
        if (!widget->isWindow() || type == Qt::Popup || type == Qt::ToolTip)
            return false;
        seen << QString::fromLatin1(widget->metaObject()->className());
        if (!widget->isModal()) {
            modeless.emplace_back(widget);
            return false;
        }
        QMetaObject::invokeMethod(
            this,
            [this, target = QPointer<QWidget>(widget)] {
                if (!target)
                    return;
                clashes << mnemonicClashes(target);
                if (auto *dialog = qobject_cast<QDialog *>(target.data()); dialog && closeModals)
                    dialog->reject();
            },
            Qt::QueuedConnection);
        return false;
    }
};

} // namespace

// Alt and a letter reach one control: in each window every mnemonic is its own, and in each menu.
TEST_F(AppFixture, EveryWindowHasEachMnemonicOnce)
{
    WindowWatch watch;
    storeSeries(160908001, 300);
    open();

    // Every window a command of the main window opens: those of the 分析 and 帮助 menus (a window
    // added there is covered as it comes), the history's own dialogs.
    std::vector<QAction *> commands;
    for (const char *menu : {"mnuFenxi", "mnuHelp"})
        for (QAction *action : find<QMenu>(menu)->actions())
            commands.push_back(action);
    for (const char *name : {"mnuNewHistory", "mnuGame", "mnuQueqi"})
        commands.push_back(action(name));
    watch.closeModals = true;
    for (QAction *command : commands) {
        const bool link = std::any_of(help::kLinks.begin(), help::kLinks.end(), [&](const auto &l) {
            return command->objectName() == QLatin1String(l.actionName);
        });
        if (command->isSeparator() || command->menu() || command->isCheckable() || link)
            continue;
        command->trigger();
    }
    watch.closeModals = false;

    // The import preview, from a file in another layout.
    QFile csv(QDir(folder()).filePath("draws.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("期号,开奖号码\n20160909061,1,2,3,4,5\n");
    csv.close();
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    FileChooser::setNextFileName(csv.fileName());
    find<QPushButton>("cmdRdLst")->click();

    for (const QPointer<QWidget> &shown : watch.modeless)
        if (shown && shown->isVisible())
            watch.clashes << mnemonicClashes(shown);
    for (const char *kind :
         {"frmMain", "TrendChartWindow", "BacktestDialog", "FilterWindow", "HelpWindow",
          "AboutDialog", "HistoryGameDialog", "ImportPreviewDialog", "PlanWindow"})
        EXPECT_TRUE(watch.seen.contains(QLatin1String(kind))) << kind << " was looked at";
    // Known and waiting for a choice of letter: both captions are pinned where the menu was
    // first laid out. Listed here so that it is the only one let through, and dropped once mended.
    const QString pinned = QStringLiteral("Quorlent › 历史管理: Alt+E: 删除最后历史(&E), "
                                          "删除最后指定数量期历史(&E)");
    EXPECT_TRUE(watch.clashes.removeAll(pinned) == 1) << "the known clash is gone: drop it here";
    EXPECT_TRUE(watch.clashes.isEmpty()) << watch.clashes.join(u'\n').toStdString();
}
