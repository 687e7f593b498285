// Import, deletions, clearing and text export of the history.
#include "BusyCursor.h"
#include "FileChooser.h"
#include "HistoryDeletion.h"
#include "HistoryPanel.h"
#include "HistoryExport.h"
#include "HistoryFiles.h"
#include "HistoryTextReader.h"
#include "ImportPreviewDialog.h"
#include "TableImport.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "Opener.h"
#include "ProgramFiles.h"
#include "frmMain.h"

#include <QDir>
#include <QFileInfo>
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

// A name ending in "txt" and at least one line the program's own reader takes.
bool isOwnLineFile(const QString &path, const Game &game)
{
    if (!path.right(3).toLower().endsWith(QLatin1String("txt")))
        return false;
    const HistoryTextReader::Result read = HistoryTextReader::read(path, LineMode::Import, game);
    return !read.readOk || !read.lines.empty(); // an unreadable file is told as it always was
}

} // namespace

void frmMain::previewImport(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    import::ImportScan scan;
    {
        BusyCursor busy;
        scan = import::TableImport::scan(path);
    }
    if (!scan.ok()) {
        showStatus(QStringLiteral("文件 %1：%2，历史号码未作改动。")
                       .arg(name, scan.message.isEmpty() ? QStringLiteral("没有可读入的历史号码")
                                                               : scan.message));
        QihaoXianshi();
        return;
    }
    // One preview at a time: a new file takes the place of the one shown.
    delete m_importPreview;
    auto *preview = new ImportPreviewDialog(*m_history, std::move(scan), name,
                                            m_settings.number(Settings::DsIni), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    m_importPreview = preview;
    connect(preview, &ImportPreviewDialog::imported, this, [this](const FileOpResult &result) {
        if (result.ok)
            afterHistoryRewrite(result);
        else
            showStatus(result.message);
    });
    connect(preview, &ImportPreviewDialog::newHistoryWanted, this,
            [this](const Game &game, const QString &fileName) {
                QString historyName = fileName;
                QString error;
                for (int n = 2; historyfiles::newHistoryPath(m_programFolder, historyName, &error).isEmpty() &&
                                n < 100;
                     ++n)
                    historyName = QStringLiteral("%1 (%2)").arg(fileName).arg(n);
                const QString file = historyfiles::newHistoryPath(m_programFolder, historyName, &error);
                if (file.isEmpty() ||
                    m_history->create(file, game, historyName).status != HistoryDb::OpenStatus::Created) {
                    showStatus(QStringLiteral("未能新建历史库：%1").arg(error));
                    return;
                }
                showStatus(QStringLiteral("已新建历史库 %1（%2）；在导入预览中按“导入”读入文件。")
                               .arg(historyName, game.scheduleName()));
            });
    preview->show();
    showStatus(QStringLiteral("文件 %1 不是本程序的历史号码文本格式：请在“导入预览”中核对后导入。")
                   .arg(name));
}

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
    const QString path = FileChooser::openFileName(
        this, QString(), folder,
        QStringLiteral("Text(*.txt *.TXT);;逗号分隔 (*.csv);;所有文件 (*)"));
    if (path.isEmpty()) {
        QihaoXianshi();
        return;
    }
    // A text file in the program's own line form is read as it always was; any other file by
    // its content, through the preview.
    if (!isOwnLineFile(path, m_history->game())) {
        previewImport(path);
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
    const QString example =
        game.exampleIssue(m_history->empty() ? m_nextIssue : m_history->newest()->sqqh);
    const QString entry = askText(this, QStringLiteral("删除期数"),
                                  QStringLiteral("请输入需要删除到的期数，例如‘%1’").arg(example),
                                  deleteToDefaultEntry(lngQihao, game));
    const auto lastKept = parseDeleteToEntry(entry, game);
    if (!lastKept) {
        if (entry.isEmpty())
            return;
        showStatus(game.notAnIssue(entry) + QStringLiteral("，历史号码未作改动。"));
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

namespace {

// Five digits, blanks between them allowed: "12345", "1 2 3 4 5".
std::optional<Digits> typedDigits(const QString &text)
{
    QString plain = text;
    plain.remove(QLatin1Char(' '));
    if (plain.size() != kPositions)
        return std::nullopt;
    Digits digits{};
    for (int p = 0; p < kPositions; ++p) {
        const QChar c = plain[p];
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return std::nullopt;
        digits[size_t(p)] = uint8_t(c.unicode() - u'0');
    }
    return digits;
}

} // namespace

// A draw misread at the source: the user types the right digits; the draws after it follow.
void frmMain::mnuXiugai_Click()
{
    const int row = m_historyPanel->chosenRow();
    if (row < 0) {
        showStatus(QStringLiteral("没有历史号码可修改。"));
        return;
    }
    const HistoryRow &draw = m_history->rows()[size_t(row)];
    const QString issue = m_history->game().displayForm(draw.sqqh);
    const QString entry = askText(this, QStringLiteral("修改开奖号码"),
                                  QStringLiteral("第 %1 期的正确开奖号码（五个数字）：").arg(issue),
                                  digitText(draw.digits()).toQString());
    if (entry.isEmpty())
        return;
    const std::optional<Digits> digits = typedDigits(entry.trimmed());
    if (!digits) {
        showStatus(QStringLiteral("“%1”不是五个数字，第 %2 期未作修改。").arg(entry, issue));
        return;
    }
    QString why;
    if (!m_history->correctDraw(size_t(row), *digits, m_settings.number(Settings::DsIni), &why)) {
        showStatus(QStringLiteral("第 %1 期未作修改：%2。").arg(issue, why));
        return;
    }
    RefreshRefPattern();
    showStatus(QStringLiteral("已修改第 %1 期的开奖号码为 %2；之后各期的上期号码随之更新。")
                   .arg(issue, digitText(*digits).toQString()));
}
