// The history's commands without the window: a script answers their questions, the store and the
// next issue are the ones a window would follow.
#include "HistoryCommands.h"
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
    QStringList asked; // the titles, in order
    QString lastProposal;

    bool confirm(const QString &title, const QString &) override
    {
        asked << title;
        return next(confirms, false);
    }
    std::optional<QString> askText(const QString &title, const QString &,
                                   const QString &proposal) override
    {
        asked << title;
        lastProposal = proposal;
        return next(texts, std::optional<QString>());
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
