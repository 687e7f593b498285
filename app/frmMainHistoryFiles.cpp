// Import, deletions, clearing and text export of the history.
#include "BusyCursor.h"
#include "FileChooser.h"
#include "HistoryDeletion.h"
#include "HistoryPanel.h"
#include "HistoryExport.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "Opener.h"
#include "ProgramFiles.h"
#include "frmMain.h"

#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

using namespace quorlent;

namespace {

bool confirm(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    return box.exec() == QMessageBox::Ok;
}

// An input box; empty when the user cancelled.
QString askText(QWidget *parent, const QString &title, const QString &prompt, const QString &proposal)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposal);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace

void frmMain::afterHistoryRewrite(const FileOpResult &result)
{
    showStatus(result.message);
    AddHaoma();
    QihaoXianshi();
    RefreshRefPattern();
}

void frmMain::cmdRdLst_Click()
{
    if (!confirm(this, QStringLiteral("读入历史"),
                 QStringLiteral("确实要读入最新历史号码吗？点击'确认'读入,点击'取消'放弃该操作。"
                                "确要读入请保证安装目录下存在历史号码的文本文件文件。"
                                "读取时可能要花费一段时间,请耐心等候！")))
        return;
    const QString folder =
        QDir(m_programFolder).filePath(QString::fromUtf16(programfiles::kImportFolder));
    QDir().mkpath(folder);
    const QString path = FileChooser::openFileName(this, QString(), folder,
                                                   QStringLiteral("Text(*.txt *.TXT)"));
    if (!path.right(3).toLower().endsWith(QLatin1String("txt"))) {
        if (!path.isEmpty())
            showStatus(QStringLiteral("只能读入 txt 文本文件，历史号码未作改动。"));
        QihaoXianshi();
        return;
    }
    BusyCursor busy;
    const FileOpResult result =
        importHistoryFile(*m_history, path, m_settings.number(Settings::DsIni));
    if (!result.ok) {
        showStatus(result.message);
        QihaoXianshi();
        return;
    }
    afterHistoryRewrite(result);
}

void frmMain::Command3_Click()
{
    BusyCursor busy;
    const FileOpResult result = deleteNewestDraw(*m_history);
    afterHistoryRewrite(result);
    m_historyPanel->focusEntry();
}

void frmMain::mnuClear_Click()
{
    if (!confirm(this, QStringLiteral("确认清空"), QStringLiteral("确定要清空所有的历史号码吗？")))
        return;
    const FileOpResult result = clearHistory(*m_history);
    showStatus(result.message);
    AddHaoma(); // the next issue stays: the next draw typed in continues the numbering
}

void frmMain::mnuDlzd_Click()
{
    const Game &game = m_history->game();
    const QString example = game.isStandard()
                                ? QStringLiteral("20160908078")
                                : game.displayForm(m_history->empty() ? m_nextIssue
                                                                      : m_history->newest()->sqqh);
    const QString entry = askText(this, QStringLiteral("删除期数"),
                                  QStringLiteral("请输入需要删除到的期数，例如‘%1’").arg(example),
                                  deleteToDefaultEntry(lngQihao, game));
    const auto lastKept = parseDeleteToEntry(entry, game);
    if (!lastKept) {
        if (entry.isEmpty())
            return;
        if (game.isStandard())
            showStatus(QStringLiteral("“%1”不是十一位期号，历史号码未作改动。").arg(entry));
        else
            showStatus(QStringLiteral("“%1”不是本彩种的期号（%2），历史号码未作改动。")
                           .arg(entry, game.formHint()));
        return;
    }
    BusyCursor busy;
    afterHistoryRewrite(
        deleteToIssue(*m_history, m_programFolder, *lastKept, m_settings.number(Settings::DsIni)));
}

void frmMain::mnuEszhzd_Click()
{
    const QString entry = askText(
        this, QStringLiteral("删除期数"),
        QStringLiteral("请输入需要删除最后多少期历史号码（例如输入3，那么就将删除最后的3期历史号码）"),
        QStringLiteral("1"));
    const auto count = parseDeleteCountEntry(entry);
    if (!count) {
        if (!entry.isEmpty())
            showStatus(QStringLiteral("“%1”不是正整数，历史号码未作改动。").arg(entry));
        return;
    }
    BusyCursor busy;
    afterHistoryRewrite(
        deleteLastDraws(*m_history, m_programFolder, *count, m_settings.number(Settings::DsIni)));
}

void frmMain::Command4_Click()
{
    const FileOpResult result = exportHistoryText(*m_history, m_programFolder);
    showStatus(result.message);
    if (result.ok && !Opener::open(result.path))
        showStatus(QStringLiteral("历史号码已导出到 %1，但无法打开文本编辑器。").arg(result.path));
}
