// The history's commands without the window: a script answers their questions, the store and the
// next issue are the ones a window would follow.
#include "HistoryCommands.h"
#include "HistoryFiles.h"
#include "HistoryStore.h"
#include "NextIssue.h"
#include "Questions.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>

using namespace quorlent;

namespace {

// Answers each question with the next answer of its kind; a question without one is a failure
// (and cancelled).
class ScriptedQuestions : public Questions
{
  public:
    std::deque<bool> confirms;
    std::deque<std::optional<QString>> texts;
    std::deque<QString> files;
    std::deque<int> choices;
    QStringList asked; // the titles, in order
    QString lastProposal;
    QString lastText;          // the text of the last choice or confirmation asked
    QStringList refusals;      // what a correction's check said of each answer
    QString correctionIssue;   // the issue a correction started from

    bool confirm(const QString &title, const QString &text) override
    {
        asked << title;
        lastText = text;
        return next(confirms, false);
    }
    std::optional<QString> askText(const QString &title, const QString &,
                                   const QString &proposal) override
    {
        asked << title;
        lastProposal = proposal;
        return next(texts, std::optional<QString>());
    }
    int choose(const QString &title, const QString &text, const QStringList &) override
    {
        asked << title;
        lastText = text;
        return next(choices, -1);
    }
    // The answer is the next text, for the issue shown unless it reads "issue:digits".
    std::optional<Correction> askCorrection(const QString &issue, const QString &, StoredDigits,
                                            CorrectionCheck check) override
    {
        asked << QStringLiteral("修改开奖号码");
        correctionIssue = issue;
        const std::optional<QString> text = next(texts, std::optional<QString>());
        if (!text)
            return std::nullopt;
        const qsizetype colon = text->indexOf(u':');
        const Correction answer = colon < 0 ? Correction{issue, *text}
                                            : Correction{text->left(colon), text->mid(colon + 1)};
        refusals << check(answer);
        return answer;
    }
    QString openFileName(const QString &title, const QString &, const QString &) override
    {
        asked << title;
        return next(files, QString());
    }
    std::optional<Naming> nameHistory(const QString &title, const QString &, const Game &, bool,
                                      std::function<QString(const QString &)>) override
    {
        ADD_FAILURE() << "asked for a history's name: " << title.toStdString();
        return std::nullopt;
    }

  private:
    template <typename T> T next(std::deque<T> &answers, T cancelled)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "no answer for " << asked.back().toStdString();
            return cancelled;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// An empty settings store, before the settings are read.
struct EmptySettingsStore
{
    EmptySettingsStore()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn").clear();
    }
};

class HistoryCommandsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_store.open(QDir(m_folder.path()).filePath("Varnibo.mdb"));
    }
    void storeDraws(int32_t first, std::initializer_list<Digits> draws)
    {
        DrawRun run = m_store.continueRun();
        std::vector<DrawRecord> records;
        int32_t sqqh = first;
        for (const Digits &digits : draws)
            records.push_back(run.append(sqqh++, digits, 1));
        ASSERT_TRUE(m_store.append(records));
    }
    QString said() const
    {
        return m_status.isEmpty() ? QString() : m_status.last().at(0).toString();
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(QDir(m_folder.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    EmptySettingsStore m_emptyStore;
    QTemporaryDir m_folder;
    HistoryStore m_store;
    Settings m_settings;
    NextIssue m_next{m_store};
    ScriptedQuestions m_questions;
    HistoryCommands m_commands{m_store, m_settings, m_next, m_folder.path(), m_questions};
    QSignalSpy m_status{&m_commands, &HistoryCommands::status};
};

} // namespace

TEST_F(HistoryCommandsTest, ADrawGoesUnderTheNextIssueOrTheOneTypedForAnotherGame)
{
    storeDraws(160908119, {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}});
    EXPECT_EQ(m_next.issue(), 160909001);
    // The original game takes the issue worked out, whatever the box shows.
    ASSERT_TRUE(m_commands.storeDraw({3, 1, 3, 3, 0}, "anything"));
    EXPECT_EQ(m_store.newest()->sqqh, 160909001);
    EXPECT_EQ(said(), "已存入 20160909001 期：3 1 3 3 0");
    EXPECT_EQ(m_next.issue(), 160909002) << "the next issue follows the store";

    // A daily game checks the issue typed: one of its own, after the newest draw.
    qputenv("QUORLENT_NOW", "2026-04-21T21:30:00");
    const Game daily = Game::presets()[3];
    ASSERT_EQ(m_store.create(QDir(m_folder.path()).filePath("daily.mdb"), daily, "daily").status,
              HistoryDb::OpenStatus::Created);
    EXPECT_EQ(m_next.issue(), daily.first(QDate(2026, 4, 21)));
    EXPECT_FALSE(m_commands.storeDraw({1, 2, 3, 4, 5}, "2026-1"));
    EXPECT_EQ(said(), "期号“2026-1”不对，这期号码未能保存：期号应为 年份+三位序号，如 2026101。");
    ASSERT_TRUE(m_commands.storeDraw({1, 2, 3, 4, 5}, " 2026101 "));
    EXPECT_EQ(m_store.newest()->date, 20260421) << "the day the issue does not say";
    EXPECT_FALSE(m_commands.storeDraw({1, 2, 3, 4, 5}, "2026101"));
    EXPECT_EQ(said(), "期号 2026101 不在最新一期 2026101 之后，这期号码未能保存。");
    qunsetenv("QUORLENT_NOW");
    EXPECT_EQ(m_store.size(), 1u);
}

TEST_F(HistoryCommandsTest, DeletionsTakeOnlyWhatNamesDrawsAndClearingKeepsTheNumbering)
{
    storeDraws(160908076, {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, {3, 3, 3, 3, 3}});
    // Cancelled, or an entry that names no issue: nothing changes.
    m_questions.texts = {std::nullopt, QString("abc")};
    m_commands.deleteTo();
    EXPECT_EQ(m_questions.lastProposal, "20160908078") << "the newest issue keeps every draw";
    EXPECT_TRUE(m_status.isEmpty());
    m_commands.deleteTo();
    EXPECT_EQ(said(), "“abc”不是十一位期号，历史号码未作改动。");
    m_questions.texts = {QString("0"), QString("20160908076")};
    m_commands.deleteLast();
    EXPECT_EQ(said(), "“0”不是正整数，历史号码未作改动。");
    EXPECT_EQ(m_store.size(), 3u);
    m_commands.deleteTo();
    EXPECT_EQ(m_store.size(), 1u);
    EXPECT_EQ(m_next.issue(), 160908077);

    // Clearing asks first; the next draw typed in then continues the numbering.
    m_questions.confirms = {false, true};
    m_commands.clearAll();
    EXPECT_EQ(m_store.size(), 1u);
    m_commands.clearAll();
    EXPECT_TRUE(m_store.empty());
    EXPECT_EQ(m_next.issue(), 160908077);
    EXPECT_EQ(m_questions.asked, QStringList({"删除期数", "删除期数", "删除期数", "删除期数",
                                              "确认清空", "确认清空"}));
}

TEST_F(HistoryCommandsTest, TheProgramsLinesGoInAtOnceOtherLayoutsToThePreview)
{
    storeDraws(150101001, {{9, 9, 9, 9, 9}});
    QSignalSpy preview(&m_commands, &HistoryCommands::previewWanted);
    // Not confirmed: no file is asked for.
    m_questions.confirms = {false};
    m_commands.importText();
    EXPECT_EQ(m_questions.asked, QStringList({"读入历史"}));

    m_questions.confirms = {true, true};
    m_questions.files = {
        writeFile("own.txt", "160908076 31330\r\n160908077 12345\r\n"),
        writeFile("other.csv", "20160908078,5,5,5,5,5\r\n20160908079,1,2,3,4,5\r\n")};
    m_commands.importText();
    ASSERT_EQ(m_store.size(), 2u);
    EXPECT_EQ(m_store.newest()->sqqh, 160908077);
    EXPECT_TRUE(preview.isEmpty());

    m_commands.importText();
    ASSERT_EQ(preview.size(), 1);
    EXPECT_EQ(preview.at(0).at(1).toString(), "other.csv");
    EXPECT_TRUE(preview.at(0).at(0).value<std::shared_ptr<import::ImportScan>>()->ok());
    EXPECT_EQ(m_store.size(), 2u) << "nothing stored before the preview's 导入";
    EXPECT_TRUE(said().contains("导入预览"));
}

TEST_F(HistoryCommandsTest, ACorrectionAndTheUpdateAddressAreCheckedBeforeTheyCount)
{
    storeDraws(160908076, {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}});
    m_questions.texts = {QString("12x45"), QString("1 2 3 4 5")};
    m_commands.correctDraw(0);
    EXPECT_EQ(said(), "“12x45”不是五个数字，第 20160908076 期未作修改。");
    m_commands.correctDraw(0);
    EXPECT_EQ(m_store.rows()[0].digits(), (Digits{1, 2, 3, 4, 5}));
    EXPECT_EQ(m_store.rows()[1].previous.digits(), (Digits{1, 2, 3, 4, 5}));
    m_commands.correctDraw(-1);
    EXPECT_EQ(said(), "没有历史号码可修改。");

    m_questions.texts = {QString("ftp://example"), QString(" http://127.0.0.1:8080 "), std::nullopt,
                         QString("")};
    m_commands.setUpdateAddress();
    EXPECT_EQ(m_settings.updateUrl(), "");
    m_commands.setUpdateAddress();
    EXPECT_EQ(m_settings.updateUrl(), "http://127.0.0.1:8080");
    m_commands.setUpdateAddress(); // cancelled: kept
    EXPECT_EQ(m_settings.updateUrl(), "http://127.0.0.1:8080");
    m_commands.setUpdateAddress(); // an empty answer clears it
    EXPECT_EQ(m_settings.updateUrl(), "");

    // Without an address the update says how to set one, and starts nothing.
    QSignalSpy updating(&m_commands, &HistoryCommands::updatingChanged);
    m_commands.startUpdate();
    EXPECT_TRUE(said().contains("在线更新网址设置"));
    EXPECT_TRUE(updating.isEmpty());
    EXPECT_FALSE(m_commands.isUpdating());
}

TEST_F(HistoryCommandsTest, ReadingAFileThatLacksStoredDrawsAsksWhetherToAddOrReplace)
{
    const QString file = writeFile("own.txt", "160908076 31330\r\n160908077 12345\r\n");
    storeDraws(160908076, {{3, 1, 3, 3, 0}, {1, 2, 3, 4, 5}, {7, 7, 7, 7, 7}, {8, 8, 8, 8, 8}});
    QString why;
    ASSERT_TRUE(m_store.correctDraw(0, {3, 1, 3, 3, 9}, 1, &why)) << why.toStdString();

    // The file lacks the corrected draw and the two typed after its newest: the question names
    // them, newest first, with the file's digits where it has the issue.
    m_questions.confirms = {true, true, true};
    m_questions.files = {file, file, file};
    m_questions.choices = {-1, 0, 1};
    m_commands.importText();
    EXPECT_EQ(m_questions.asked, QStringList({"读入历史", QString(), "读入历史"}));
    const QString text = m_questions.lastText;
    EXPECT_TRUE(text.contains("有 3 期开奖号码是文件 own.txt 没有的")) << text.toStdString();
    EXPECT_LT(text.indexOf("20160908079 期  88888（文件中没有这一期）"),
              text.indexOf("20160908078 期  77777"));
    EXPECT_TRUE(text.contains("20160908076 期  31339（文件中为 31330）"));
    EXPECT_FALSE(text.contains("20160908077")) << "a draw the file holds is not lost";
    EXPECT_EQ(said(), "未读入文件 own.txt，历史号码未改动。");
    EXPECT_EQ(m_store.size(), 4u);

    // 添加 keeps every stored draw, the correction included.
    m_commands.importText();
    ASSERT_EQ(m_store.size(), 4u);
    EXPECT_EQ(m_store.rows()[0].digits(), (Digits{3, 1, 3, 3, 9}));
    EXPECT_NE(m_store.correctionOf(160908076), nullptr);
    EXPECT_EQ(m_store.newest()->digits(), (Digits{8, 8, 8, 8, 8}));

    // 替换 takes the file as it is.
    m_commands.importText();
    ASSERT_EQ(m_store.size(), 2u);
    EXPECT_EQ(m_store.rows()[0].digits(), (Digits{3, 1, 3, 3, 0}));
    EXPECT_EQ(m_store.newest()->sqqh, 160908077);

    // A file that holds every stored draw replaces the history without the question.
    m_questions.confirms = {true};
    m_questions.files = {writeFile("more.txt", "160908076 31330\r\n160908077 12345\r\n"
                                               "160908078 55555\r\n")};
    m_commands.importText();
    EXPECT_EQ(m_store.size(), 3u);
    EXPECT_TRUE(m_questions.choices.empty());
    EXPECT_EQ(m_questions.asked.count("读入历史"), 7);
}

TEST_F(HistoryCommandsTest, TheLastDeletionOfAnyKindCanBeUndoneUntilTheHistoryChanges)
{
    storeDraws(160908076, {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, {3, 3, 3, 3, 3}, {4, 5, 6, 7, 8}});
    QString why;
    ASSERT_TRUE(m_store.correctDraw(2, {3, 3, 3, 3, 9}, 1, &why)) << why.toStdString();
    const std::vector<HistoryRow> before = m_store.rows();
    EXPECT_FALSE(m_commands.canUndoDeletion());

    // The newest draw: its digits are said, and it comes back as it was.
    m_commands.deleteNewest();
    EXPECT_TRUE(said().startsWith("已删除第 20160908079 期。开奖号码为 45678。")) << said().toStdString();
    EXPECT_TRUE(said().contains("撤销删除"));
    ASSERT_TRUE(m_commands.canUndoDeletion());
    m_commands.undoDeletion();
    EXPECT_EQ(said(), "已恢复删除的 1 期历史号码，最新一期为 20160908079。");
    ASSERT_EQ(m_store.size(), 4u);
    EXPECT_EQ(m_store.newest()->previous.digits(), (Digits{3, 3, 3, 3, 9}));
    EXPECT_FALSE(m_commands.canUndoDeletion()) << "one level: spent once undone";

    // Down to an issue, then clearing: only the last deletion is kept, with its corrections.
    m_questions.texts = {QString("20160908076")};
    m_commands.deleteTo();
    EXPECT_EQ(m_store.size(), 1u);
    m_questions.confirms = {true};
    m_commands.clearAll();
    ASSERT_TRUE(m_store.empty());
    m_commands.undoDeletion();
    ASSERT_EQ(m_store.size(), 1u);
    m_questions.texts = {QString("20160908079")}; // keeps it, removes nothing: no new offer
    m_commands.deleteTo();
    EXPECT_FALSE(m_commands.canUndoDeletion());

    // The last m draws; the marks of the corrected draw come back with it.
    storeDraws(160908077, {{2, 2, 2, 2, 2}, {3, 3, 3, 3, 3}, {4, 5, 6, 7, 8}});
    ASSERT_TRUE(m_store.correctDraw(2, {3, 3, 3, 3, 9}, 1, &why)) << why.toStdString();
    m_questions.texts = {QString("3")};
    m_commands.deleteLast();
    ASSERT_EQ(m_store.size(), 1u);
    m_commands.undoDeletion();
    ASSERT_EQ(m_store.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(m_store.rows()[i].sqqh, before[i].sqqh);
        EXPECT_EQ(m_store.rows()[i].digits(), before[i].digits());
    }
    ASSERT_NE(m_store.correctionOf(160908078), nullptr);
    EXPECT_EQ(m_store.correctionOf(160908078)->original, (Digits{3, 3, 3, 3, 3}));

    // Any change after the deletion ends the offer: nothing is put back over it.
    m_commands.deleteNewest();
    ASSERT_TRUE(m_commands.canUndoDeletion());
    ASSERT_TRUE(m_commands.storeDraw({9, 9, 9, 9, 9}, QString()));
    EXPECT_FALSE(m_commands.canUndoDeletion());
    m_commands.undoDeletion();
    EXPECT_TRUE(said().startsWith("没有可撤销的删除"));
    EXPECT_EQ(m_store.newest()->digits(), (Digits{9, 9, 9, 9, 9}));
}

TEST_F(HistoryCommandsTest, ACorrectionShowsItsIssueWhichMayBeTypedOver)
{
    storeDraws(160908076, {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, {3, 3, 3, 3, 3}});
    m_questions.texts = {QString("20160908099:12345"), QString("2016-1:12345"),
                         QString("20160908077:1234"), QString(" 20160908077 :5 4 3 2 1")};
    m_commands.correctDraw(2);
    EXPECT_EQ(m_questions.correctionIssue, "20160908078") << "the row chosen";
    EXPECT_EQ(said(), "历史中没有第 20160908099 期。历史号码未作修改。");
    m_commands.correctDraw(2);
    EXPECT_TRUE(said().endsWith("历史号码未作修改。"));
    EXPECT_TRUE(said().startsWith("“2016-1”")) << said().toStdString();
    m_commands.correctDraw(2);
    m_commands.correctDraw(2);
    EXPECT_EQ(m_questions.refusals,
              QStringList({"历史中没有第 20160908099 期。", m_store.game().notAnIssue("2016-1") + "。",
                           "“1234”不是五个数字。", QString()}));
    // The issue typed over is the one changed; the row shown is not.
    EXPECT_EQ(m_store.rows()[1].digits(), (Digits{5, 4, 3, 2, 1}));
    EXPECT_EQ(m_store.rows()[2].digits(), (Digits{3, 3, 3, 3, 3}));
    EXPECT_EQ(m_store.rows()[2].previous.digits(), (Digits{5, 4, 3, 2, 1}));
    EXPECT_EQ(said(), "已修改第 20160908077 期的开奖号码为 54321；之后各期的上期号码随之更新。");
}

TEST_F(HistoryCommandsTest, AnIssueTypedBeyondTheNextAsksOnceForTheDrawsItSkips)
{
    qputenv("QUORLENT_NOW", "2026-06-03T21:30:00");
    const Game daily = Game::presets()[3];
    ASSERT_EQ(m_store.create(QDir(m_folder.path()).filePath("daily.mdb"), daily, "daily").status,
              HistoryDb::OpenStatus::Created);
    ASSERT_TRUE(m_commands.storeDraw({1, 2, 3, 4, 5}, "2026151")) << "an empty history starts anywhere";

    m_questions.confirms = {false, true, true};
    EXPECT_FALSE(m_commands.storeDraw({2, 2, 2, 2, 2}, "2026155"));
    EXPECT_EQ(m_questions.lastText, "将跳过 2026152–2026154 三期，继续吗？");
    EXPECT_EQ(said(), "期号 2026155 之前还有 3 期没有输入，这期号码未保存。");
    EXPECT_EQ(m_store.size(), 1u);
    ASSERT_TRUE(m_commands.storeDraw({2, 2, 2, 2, 2}, "2026155"));
    ASSERT_TRUE(m_commands.storeDraw({3, 3, 3, 3, 3}, "2026156")) << "the next issue: not asked";
    ASSERT_TRUE(m_commands.storeDraw({4, 4, 4, 4, 4}, "2026158"));
    EXPECT_EQ(m_questions.lastText, "将跳过 2026157 一期，继续吗？");
    EXPECT_EQ(m_questions.asked.count("跳过期号"), 3);
    EXPECT_EQ(m_store.size(), 4u);
    qunsetenv("QUORLENT_NOW");
}

TEST_F(HistoryCommandsTest, ANewHistoryTakesTheNameOfTheEmptyFileAKilledCreationLeft)
{
    const Game daily = Game::presets()[3];
    writeFile("排列五.mdb", QByteArray());
    writeFile("排列三.mdb", "not a history");
    m_commands.createHistoryFor(daily, "排列五");
    EXPECT_EQ(QFileInfo(m_store.path()).fileName(), "排列五.mdb");
    m_commands.createHistoryFor(daily, "排列三");
    EXPECT_EQ(QFileInfo(m_store.path()).fileName(), "排列三 (2).mdb") << "a file of its own stays";

    // What a creation killed before its move left is removed at the next start.
    writeFile(".七星.mdb.creating", "half a history");
    writeFile(".七星.mdb.creating-journal", "its journal");
    historyfiles::removeUnfinishedCreations(m_folder.path());
    EXPECT_TRUE(QDir(m_folder.path())
                    .entryList({QStringLiteral("*.creating*")}, QDir::Files | QDir::Hidden)
                    .isEmpty());
    EXPECT_TRUE(QFile::exists(QDir(m_folder.path()).filePath("排列三.mdb")));
}
