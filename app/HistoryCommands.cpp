#include "HistoryCommands.h"

#include "BusyCursor.h"
#include "Clock.h"
#include "HistoryDeletion.h"
#include "HistoryExport.h"
#include "HistoryFiles.h"
#include "HistoryImport.h"
#include "HistoryStore.h"
#include "HistoryTextReader.h"
#include "NextIssue.h"
#include "OnlineUpdater.h"
#include "Opener.h"
#include "ProgramFiles.h"
#include "Questions.h"
#include "Settings.h"
#include "TableImport.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

using namespace quorlent;

namespace {

// A name ending in "txt" and at least one line the program's own reader takes.
bool isOwnLineFile(const QString &path, const Game &game)
{
    if (!path.right(3).toLower().endsWith(QLatin1String("txt")))
        return false;
    const HistoryTextReader::Result read = HistoryTextReader::read(path, LineMode::Import, game);
    return !read.readOk || !read.lines.empty(); // an unreadable file is told as it always was
}

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

QString digitsShown(const Digits &digits)
{
    QStringList shown;
    for (uint8_t d : digits)
        shown << QString::number(d);
    return shown.join(u' ');
}

// A count as a person says it in a question: "三", "十", "12 ".
QString countInWords(int count)
{
    static const QString kWords = QStringLiteral("一二三四五六七八九十");
    if (count >= 1 && count <= 10)
        return kWords.at(count - 1);
    return QStringLiteral("%1 ").arg(count);
}

// The question before a file replaces a history that holds draws the file lacks: how many, the
// newest few with their digits, and what each answer does.
QString lostDrawsText(const std::vector<LostDraw> &lost, const Game &game, const QString &file)
{
    constexpr size_t kShown = 5;
    QStringList newest;
    for (size_t i = lost.size(); i > 0 && newest.size() < qsizetype(kShown); --i) {
        const LostDraw &draw = lost[i - 1];
        QString line = QStringLiteral("%1 期  %2")
                           .arg(game.displayForm(draw.sqqh), digitText(draw.stored).toQString());
        if (draw.fileDigits)
            line += QStringLiteral("（文件中为 %1）").arg(digitText(*draw.fileDigits).toQString());
        else
            line += QStringLiteral("（文件中没有这一期）");
        newest << line;
    }
    return QStringLiteral("历史中有 %1 期开奖号码是文件 %2 没有的（在文件之后输入的，或修改过的），"
                          "用文件替换历史号码会丢失它们。%3：\n\n%4\n\n"
                          "“添加”：只读入历史中没有的期，已存的号码都保留；"
                          "“替换”：历史号码全部换成文件中的。")
        .arg(lost.size())
        .arg(file,
             lost.size() > kShown ? QStringLiteral("最新的 %1 期").arg(kShown)
                                  : QStringLiteral("它们是"),
             newest.join(u'\n'));
}

} // namespace

HistoryCommands::HistoryCommands(HistoryStore &store, Settings &settings,
                                 const NextIssue &nextIssue, const QString &programFolder,
                                 Questions &questions, QObject *parent)
    : QObject(parent), m_store(store), m_settings(settings), m_nextIssue(nextIssue),
      m_programFolder(programFolder), m_questions(questions),
      m_updater(new OnlineUpdater(store, nullptr, this))
{
    connect(m_updater, &OnlineUpdater::progress, this,
            [this](int dayIndex, int dayCount, const QDate &date) {
                emit updateProgress(dayIndex + 1, dayCount);
                emit status(QStringLiteral("在线更新：正在读取第 %1/%2 天（%3）的开奖结果……")
                                .arg(dayIndex + 1)
                                .arg(dayCount)
                                .arg(date.toString(Qt::ISODate)));
            });
    connect(m_updater, &OnlineUpdater::finished, this, &HistoryCommands::updateFinished);
}

HistoryCommands::~HistoryCommands()
{
    // A running update writes to the store: it ends here, quietly.
    m_updater->disconnect(this);
    if (m_updater->isRunning())
        m_updater->cancel();
}

int HistoryCommands::segmentBase() const
{
    return m_settings.number(Settings::DsIni);
}

// ---- The entry ------------------------------------------------------------------------------

bool HistoryCommands::storeDraw(const Digits &digits, const QString &shownIssue)
{
    if (!m_store.isOpen()) {
        emit status(QStringLiteral("没有可用的历史数据库，这期号码未能保存。"));
        return false;
    }
    const Game &game = m_store.game();
    int32_t issue = m_nextIssue.issue();
    if (!game.isStandard()) {
        // The issue shown may have been typed over: it must be one of the game's, after the newest.
        const QString typed = shownIssue.trimmed();
        const std::optional<int32_t> parsed = game.parse(typed);
        if (!parsed || !game.exists(*parsed)) {
            emit status(
                QStringLiteral("期号“%1”不对，这期号码未能保存：%2。").arg(typed, game.formHint()));
            return false;
        }
        if (const HistoryRow *newest = m_store.newest(); newest && *parsed <= newest->sqqh) {
            emit status(QStringLiteral("期号 %1 不在最新一期 %2 之后，这期号码未能保存。")
                            .arg(game.displayForm(*parsed), game.displayForm(newest->sqqh)));
            return false;
        }
        if (!m_store.empty() && !skipConfirmed(*parsed))
            return false;
        issue = *parsed;
    }
    DrawRun run = m_store.continueRun();
    DrawRecord record = run.append(issue, digits, segmentBase());
    if (game.numbersByYear())
        record.date = Game::dateNumber(currentDateTime().date()); // the issue does not say it
    if (!m_store.append(std::span(&record, 1))) {
        emit status(QStringLiteral("第 %1 期号码未能保存：%2")
                        .arg(game.displayForm(record.sqqh), m_store.lastError()));
        return false;
    }
    emit status(
        QStringLiteral("已存入 %1 期：%2").arg(game.displayForm(record.sqqh), digitsShown(digits)));
    return true;
}

// An issue typed beyond the next one leaves the draws between out of the history: asked once,
// before the draw is stored, with the first and last issue skipped and how many.
bool HistoryCommands::skipConfirmed(int32_t typed)
{
    const Game &game = m_store.game();
    const QDate today = currentDateTime().date();
    constexpr int kCountLimit = 1000000; // a typing slip of many years is told as "more than"
    int skipped = 0;
    int32_t last = 0;
    for (int32_t at = m_nextIssue.issue(); at < typed && skipped < kCountLimit;) {
        last = at;
        ++skipped;
        const int32_t next = game.next(at, today);
        if (next <= at)
            break;
        at = next;
    }
    if (skipped == 0)
        return true;
    const QString first = game.displayForm(m_nextIssue.issue());
    const QString span =
        skipped == 1 ? first : QStringLiteral("%1–%2").arg(first, game.displayForm(last));
    if (m_questions.confirm(
            QStringLiteral("跳过期号"),
            QStringLiteral("将跳过 %1 %2期，继续吗？").arg(span, countInWords(skipped))))
        return true;
    emit status(QStringLiteral("期号 %1 之前还有 %2 期没有输入，这期号码未保存。")
                    .arg(game.displayForm(typed))
                    .arg(skipped));
    return false;
}

// ---- Import ---------------------------------------------------------------------------------

void HistoryCommands::importText()
{
    if (!m_questions.confirm(
            QStringLiteral("读入历史"),
            QStringLiteral("确实要读入最新历史号码吗？点击'确认'读入,点击'取消'放弃该操作。"
                           "确要读入请保证安装目录下存在历史号码的文本文件文件。"
                           "读取时可能要花费一段时间,请耐心等候！")))
        return;
    const QString folder =
        QDir(m_programFolder).filePath(QString::fromUtf16(programfiles::kImportFolder));
    QDir().mkpath(folder);
    const QString path = m_questions.openFileName(
        QString(), folder, QStringLiteral("Text(*.txt *.TXT);;逗号分隔 (*.csv);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    // A text file in the program's own line form is read as it always was; any other file by
    // its content, through the preview.
    if (!isOwnLineFile(path, m_store.game())) {
        importOtherLayout(path);
        return;
    }
    // Draws the file lacks (typed in after its newest, or corrected) are not lost unasked.
    // The file is read once, for the question and for the import.
    const HistoryFileRead file = [&] {
        BusyCursor busy;
        return readHistoryFile(m_store, path);
    }();
    const std::vector<LostDraw> lost = drawsLostByImport(m_store, file);
    if (!lost.empty()) {
        const QString name = QFileInfo(path).fileName();
        const int answer = m_questions.choose(
            QStringLiteral("读入历史"), lostDrawsText(lost, m_store.game(), name),
            {QStringLiteral("添加(&A)"), QStringLiteral("替换(&R)")});
        if (answer < 0) {
            emit status(QStringLiteral("未读入文件 %1，历史号码未改动。").arg(name));
            return;
        }
        if (answer == 0) {
            BusyCursor busy;
            emit status(addHistoryFile(m_store, file, segmentBase()).message);
            return;
        }
    }
    BusyCursor busy;
    emit status(importHistoryFile(m_store, file, segmentBase()).message);
}

void HistoryCommands::importOtherLayout(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    auto scan = std::make_shared<import::ImportScan>();
    {
        BusyCursor busy;
        *scan = import::TableImport::scan(path);
    }
    if (!scan->ok()) {
        emit status(QStringLiteral("文件 %1：%2，历史号码未作改动。")
                        .arg(name, scan->message.isEmpty() ? QStringLiteral("没有可读入的历史号码")
                                                           : scan->message));
        return;
    }
    emit previewWanted(std::move(scan), name);
    emit status(QStringLiteral("文件 %1 不是本程序的历史号码文本格式：请在“导入预览”中核对后导入。")
                    .arg(name));
}

void HistoryCommands::importFinished(const FileOpResult &result)
{
    emit status(result.message);
}

void HistoryCommands::createHistoryFor(const Game &game, const QString &fileName)
{
    QString historyName = fileName;
    QString error;
    for (int n = 2;
         historyfiles::newHistoryPath(m_programFolder, historyName, &error).isEmpty() && n < 100;
         ++n)
        historyName = QStringLiteral("%1 (%2)").arg(fileName).arg(n);
    const QString file = historyfiles::newHistoryPath(m_programFolder, historyName, &error);
    if (file.isEmpty() ||
        m_store.create(file, game, historyName).status != HistoryDb::OpenStatus::Created) {
        emit status(QStringLiteral("未能新建历史库：%1").arg(error));
        return;
    }
    emit status(QStringLiteral("已新建历史库 %1（%2）；在导入预览中按“导入”读入文件。")
                    .arg(historyName, game.scheduleName()));
}

// ---- Deletions ------------------------------------------------------------------------------

void HistoryCommands::keepDeletion(const std::function<FileOpResult()> &what)
{
    DeletionUndo undo = DeletionUndo::before(m_store);
    const FileOpResult result = what();
    QString text = result.message;
    if (result.ok && result.removed > 0) {
        undo.deletionDone(m_store);
        if (undo.available(m_store)) {
            m_undo = std::move(undo);
            text += QStringLiteral("（可用“历史管理 → 撤销删除”恢复，直到历史号码再有改动；"
                                   "删除的号码只保存在内存中，关闭程序后不能再恢复）");
        }
    }
    emit status(text);
    emit deletionKept();
}

void HistoryCommands::deleteNewest()
{
    BusyCursor busy;
    keepDeletion([this] { return deleteNewestDraw(m_store); });
}

bool HistoryCommands::canUndoDeletion() const
{
    return m_undo.available(m_store);
}

void HistoryCommands::undoDeletion()
{
    if (!m_undo.available(m_store)) {
        emit status(QStringLiteral("没有可撤销的删除：删除之后历史号码已有改动，或还没有删除过。"));
        return;
    }
    BusyCursor busy;
    emit status(m_undo.restore(m_store, segmentBase()).message);
    emit deletionKept();
}

void HistoryCommands::clearAll()
{
    if (!m_questions.confirm(QStringLiteral("确认清空"),
                             QStringLiteral("确定要清空所有的历史号码吗？")))
        return;
    // The next issue stays: the next draw typed in continues the numbering.
    keepDeletion([this] { return clearHistory(m_store); });
}

void HistoryCommands::deleteTo()
{
    const Game &game = m_store.game();
    const QString example =
        game.exampleIssue(m_store.empty() ? m_nextIssue.issue() : m_store.newest()->sqqh);
    const QString entry =
        m_questions
            .askText(QStringLiteral("删除期数"),
                     QStringLiteral("请输入需要删除到的期数，例如‘%1’").arg(example),
                     deleteToDefaultEntry(m_nextIssue.afterNewest(), game))
            .value_or(QString());
    const auto lastKept = parseDeleteToEntry(entry, game);
    if (!lastKept) {
        if (!entry.isEmpty())
            emit status(game.notAnIssue(entry) + QStringLiteral("，历史号码未作改动。"));
        return;
    }
    BusyCursor busy;
    keepDeletion([&] { return deleteToIssue(m_store, m_programFolder, *lastKept, segmentBase()); });
}

void HistoryCommands::deleteLast()
{
    const QString entry = m_questions
                              .askText(QStringLiteral("删除期数"),
                                       QStringLiteral("请输入需要删除最后多少期历史号码（例如输入"
                                                      "3，那么就将删除最后的3期历史号码）"),
                                       QStringLiteral("1"))
                              .value_or(QString());
    const auto count = parseDeleteCountEntry(entry);
    if (!count) {
        if (!entry.isEmpty())
            emit status(QStringLiteral("“%1”不是正整数，历史号码未作改动。").arg(entry));
        return;
    }
    BusyCursor busy;
    keepDeletion([&] { return deleteLastDraws(m_store, m_programFolder, *count, segmentBase()); });
}

// ---- Export and correction --------------------------------------------------------------------

void HistoryCommands::exportText()
{
    const FileOpResult result = exportHistoryText(m_store, m_programFolder);
    emit status(result.message);
    if (result.ok && !Opener::open(result.path))
        emit status(QStringLiteral("历史号码已导出到 %1，但无法打开文本编辑器。").arg(result.path));
}

// A draw misread at the source: the user types the right digits; the draws after it follow. The
// dialog shows the issue it will change (the row chosen, else the newest), which may be typed over.
void HistoryCommands::correctDraw(int row)
{
    if (row < 0 || size_t(row) >= m_store.size()) {
        emit status(QStringLiteral("没有历史号码可修改。"));
        return;
    }
    const Game &game = m_store.game();
    // The row of an issue typed, in any form the game reads.
    const auto rowOf = [this, &game](const QString &typed) -> std::optional<size_t> {
        const std::optional<int32_t> issue = game.parse(typed.trimmed());
        if (!issue)
            return std::nullopt;
        const std::vector<HistoryRow> &rows = m_store.rows();
        const auto at =
            std::lower_bound(rows.begin(), rows.end(), *issue,
                             [](const HistoryRow &r, int32_t sqqh) { return r.sqqh < sqqh; });
        if (at == rows.end() || at->sqqh != *issue)
            return std::nullopt;
        return size_t(at - rows.begin());
    };
    const auto stored = [this, rowOf](const QString &issue) -> std::optional<QString> {
        const std::optional<size_t> at = rowOf(issue);
        if (!at)
            return std::nullopt;
        return digitText(m_store.rows()[*at].digits()).toQString();
    };
    const auto check = [rowOf, &game](const Questions::Correction &answer) -> QString {
        if (!rowOf(answer.issue))
            return game.parse(answer.issue.trimmed())
                       ? QStringLiteral("历史中没有第 %1 期。").arg(answer.issue.trimmed())
                       : game.notAnIssue(answer.issue.trimmed()) + QStringLiteral("。");
        if (!typedDigits(answer.digits.trimmed()))
            return QStringLiteral("“%1”不是五个数字。").arg(answer.digits);
        return {};
    };
    const HistoryRow &chosen = m_store.rows()[size_t(row)];
    const std::optional<Questions::Correction> answer = m_questions.askCorrection(
        game.displayForm(chosen.sqqh), digitText(chosen.digits()).toQString(), stored, check);
    if (!answer || answer->digits.isEmpty())
        return;
    const std::optional<size_t> index = rowOf(answer->issue);
    if (!index) {
        emit status(QStringLiteral("%1历史号码未作修改。").arg(check(*answer)));
        return;
    }
    const QString issue = game.displayForm(m_store.rows()[*index].sqqh);
    const QString entry = answer->digits;
    const std::optional<Digits> digits = typedDigits(entry.trimmed());
    if (!digits) {
        emit status(QStringLiteral("“%1”不是五个数字，第 %2 期未作修改。").arg(entry, issue));
        return;
    }
    QString why;
    if (!m_store.correctDraw(*index, *digits, segmentBase(), &why)) {
        emit status(QStringLiteral("第 %1 期未作修改：%2。").arg(issue, why));
        return;
    }
    emit status(QStringLiteral("已修改第 %1 期的开奖号码为 %2；之后各期的上期号码随之更新。")
                    .arg(issue, digitText(*digits).toQString()));
}

// ---- The online update ------------------------------------------------------------------------

bool HistoryCommands::isUpdating() const
{
    return m_updater->isRunning();
}

void HistoryCommands::startUpdate()
{
    if (m_updater->isRunning())
        return;
    if (m_settings.updateUrl().isEmpty()) {
        emit status(QStringLiteral("尚未设置开奖结果网站的网址：请点击“软件设置(&T)”，"
                                   "选择“在线更新网址设置(&U)”输入网址后再更新。")
                        .remove(QLatin1String("(&T)"))
                        .remove(QLatin1String("(&U)")));
        return;
    }
    if (!m_questions.confirm(
            QStringLiteral("读入历史"),
            QStringLiteral("确实要在线更新最新历史号码吗？更新可能要花费一段时间，"
                           "网络不通或者我方服务器更新不及时可能都造成更新失败！")))
        return;
    OnlineUpdateSettings settings;
    settings.baseAddress = m_settings.updateUrl();
    settings.iniSerchDay = m_settings.number(Settings::IniSerchDay);
    settings.segmentBase = segmentBase();
    if (!m_updater->start(settings)) {
        emit status(QStringLiteral("没有可用的历史数据库，无法在线更新。"));
        return;
    }
    emit updatingChanged(true);
}

void HistoryCommands::updateFinished()
{
    emit updatingChanged(false);
    const OnlineUpdateResult &result = m_updater->result();
    QString text = QStringLiteral("在线更新%1：新增 %2 期历史号码")
                       .arg(result.cancelled ? QStringLiteral("已取消") : QStringLiteral("完成"))
                       .arg(result.added);
    if (!result.failedDays.isEmpty()) {
        QStringList days;
        for (const QDate &day : result.failedDays)
            days << day.toString(Qt::ISODate);
        text += QStringLiteral("；以下日期未能读取：%1").arg(days.join(QStringLiteral("、")));
    }
    if (result.oldHistoryKept)
        text += QStringLiteral("；没有读到新的开奖结果，原有历史号码保留未删");
    if (result.restartsExhausted)
        text += QStringLiteral("；网站一直没有开奖数据，更新提前结束");
    if (!result.storeError.isEmpty())
        text += QStringLiteral("；保存失败：%1").arg(result.storeError);
    if (!result.correctionsKept.empty()) {
        QStringList issues;
        for (int32_t sqqh : result.correctionsKept)
            issues << m_store.game().displayForm(sqqh);
        text += QStringLiteral("；网页上 %1 期的开奖号码与修改过的不同，保留修改：%2")
                    .arg(issues.size())
                    .arg(issues.join(QStringLiteral("、")));
    }
    if (result.misfitRows > 0)
        text += QStringLiteral("；网页上有 %1 行的期号不合本彩种，未保存（%2）")
                    .arg(result.misfitRows)
                    .arg(m_store.game().formHint());
    emit status(text + QStringLiteral("。"));
}

void HistoryCommands::setUpdateAddress()
{
    const std::optional<QString> typed = m_questions.askText(
        QStringLiteral("在线更新网址"),
        QStringLiteral("请输入开奖结果网站的网址（例如 http://www.example.com），"
                       "在线更新从该网址读取每天的开奖结果："),
        m_settings.updateUrl());
    if (!typed)
        return;
    const QString answer = typed->trimmed();
    const QUrl url(answer, QUrl::StrictMode);
    if (!answer.isEmpty() &&
        (!url.isValid() || url.host().isEmpty() ||
         (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))) {
        emit status(QStringLiteral("“%1”不是有效的 http 或 https 网址，未作改动。").arg(answer));
        return;
    }
    m_settings.setUpdateUrl(answer);
    emit status(answer.isEmpty() ? QStringLiteral("在线更新网址已清除。")
                                 : QStringLiteral("在线更新网址已设为 %1。").arg(answer));
}
