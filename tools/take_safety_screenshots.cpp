// Usage: take_safety_screenshots <history file> <docs folder>
// The questions that keep draws from being lost, on a 1366×768 display (xvfb-run), each grabbed
// while it is open: undo-deletion.png (历史管理 after 删除最后历史), correction-dialog.png (a wrong
// entry refused), import-lost-draws.png (a file that lacks draws typed in), skip-issues.png (an
// issue typed beyond the next) and empty-hint-daily.png (an empty daily history).
#include "CorrectionDialog.h"
#include "FileChooser.h"
#include "HistoryGameDialog.h"
#include "ScreenshotRun.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

using namespace quorlent;

namespace {

QString g_docs;
bool g_ok = true;

void grab(const char *name)
{
    g_ok = ScreenshotRun::grabScreen(QDir(g_docs).filePath(QString::fromLatin1(name))) && g_ok;
}

// Runs `answer` on the modal dialog of type T once it is open.
template <typename T> void whenOpen(std::function<void(T *)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(50);
}

QAction *action(frmMain &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

void typeDraw(frmMain &window, const char *digits)
{
    for (int i = 1; i <= 5; ++i) {
        auto *box = window.findChild<QLineEdit *>(QStringLiteral("MaskEdBox1(%1)").arg(i));
        box->setFocus();
        QTest::keyClick(box, digits[i - 1]);
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QUORLENT_NOW", "2017-01-11T23:30:00");
    ScreenshotRun run(argc, argv, 2, "<history file> <docs folder>");
    if (!run.ok() || !run.folder().import(run.argument(1)))
        return 2;
    g_docs = run.argument(2);
    frmMain &window = run.openWindow();
    window.showMaximized();
    QApplication::processEvents();

    // A draw typed in after the file's newest, then deleted: the menu offers it back.
    typeDraw(window, "31330");
    window.findChild<QAbstractButton *>(QStringLiteral("Command3"))->click();
    QMenu *menu = window.findChild<QMenu *>(QStringLiteral("mnuLsgl"));
    menu->popup(window.mapToGlobal(QPoint(40, 60)));
    menu->setActiveAction(action(window, "mnuUndoDeletion"));
    grab("undo-deletion.png");
    menu->hide();
    action(window, "mnuUndoDeletion")->trigger();

    // The correction of the newest draw, refused once.
    whenOpen<CorrectionDialog>([](CorrectionDialog *dialog) {
        dialog->setTextValue(QStringLiteral("3133"));
        dialog->accept();
        grab("correction-dialog.png");
        dialog->reject();
    });
    action(window, "mnuXiugai")->trigger();

    // The sample read again over the draw typed in.
    whenOpen<QMessageBox>([](QMessageBox *box) {
        box->button(QMessageBox::Ok)->click();
        whenOpen<QMessageBox>([](QMessageBox *question) {
            grab("import-lost-draws.png");
            question->button(QMessageBox::Cancel)->click();
        });
    });
    FileChooser::setNextFileName(run.argument(1));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdRdLst"))->click();

    // A daily history: empty, then an issue typed beyond the next.
    whenOpen<HistoryGameDialog>([](HistoryGameDialog *dialog) {
        dialog->setName(QStringLiteral("排列五"));
        dialog->setSchedule(3);
        dialog->accept();
    });
    action(window, "mnuNewHistory")->trigger();
    QApplication::processEvents();
    grab("empty-hint-daily.png");
    auto *issue = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    issue->setText(QStringLiteral("2017011"));
    typeDraw(window, "12345");
    issue->setText(QStringLiteral("2017015"));
    whenOpen<QMessageBox>([](QMessageBox *question) {
        grab("skip-issues.png");
        question->button(QMessageBox::Cancel)->click();
    });
    typeDraw(window, "67890");
    return g_ok ? 0 : 1;
}
