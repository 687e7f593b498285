#pragma once

#include "DeletionUndo.h"
#include "DrawCodes.h"
#include "ImportScan.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class NextIssue;
class Questions;
class Settings;
namespace quorlent {
class Game;
class HistoryStore;
class OnlineUpdater;
struct FileOpResult;
} // namespace quorlent

// The commands that change the history or write it out: the entry of a draw, the import of a text
// file, the deletions and the clearing, the correction of a draw, the export as text and the online
// update with its address. No widgets of its own: it asks through `questions` and says what
// happened with status(); the views follow the store, so no command refreshes them by hand.
class HistoryCommands : public QObject
{
    Q_OBJECT

  public:
    HistoryCommands(quorlent::HistoryStore &store, Settings &settings, const NextIssue &nextIssue,
                    const QString &programFolder, Questions &questions, QObject *parent = nullptr);
    ~HistoryCommands() override;

    // The fifth digit typed (MaskEdBox1): stores the draw under the next issue, or for a game
    // other than the original under the issue shown (`shownIssue`, which may have been typed
    // over). Whether it was stored.
    bool storeDraw(const quorlent::Digits &digits, const QString &shownIssue);
    // 读取历史号文本 (cmdRdLst): a file in the program's own line form replaces the history; any
    // other is handed on to the preview (previewWanted).
    void importText();
    // 删除最后历史 (Command3, mnuErase).
    void deleteNewest();
    // 清空历史号码 (mnuClear).
    void clearAll();
    // 删除到选定期 (mnuDlzd).
    void deleteTo();
    // 删除最后指定数量期历史 (mnuEszhzd).
    void deleteLast();
    // 撤销删除 (mnuUndoDeletion): puts back what the last deletion removed, while the history has
    // not changed since. The draws are kept in memory only: a restart or any other change to the
    // history (an entry, an import, an update, a correction, another history) ends the offer.
    void undoDeletion();
    bool canUndoDeletion() const;
    // 历史号码导出文本文件 (Command4): the file, then the text editor on it.
    void exportText();
    // 修改开奖号码 (mnuXiugai): the draw at `row` (-1: none).
    void correctDraw(int row);
    // A new history for `game`, named after `fileName` (with " (2)" … when taken), opened at once.
    void createHistoryFor(const quorlent::Game &game, const QString &fileName);
    // The preview stored the file, or could not.
    void importFinished(const quorlent::FileOpResult &result);

    // 历史号在线更新 (Command21): asks, then fetches the days; the window stays usable.
    void startUpdate();
    bool isUpdating() const;
    quorlent::OnlineUpdater &updater() { return *m_updater; }
    // 在线更新网址设置 (mnuSetUrl).
    void setUpdateAddress();

  signals:
    // What happened, for the status line.
    void status(const QString &text);
    // A file in another layout: it goes in through the preview, which takes the scan over.
    void previewWanted(std::shared_ptr<quorlent::import::ImportScan> scan, const QString &fileName);
    // The online update started or ended: what changes or searches the history waits meanwhile.
    void updatingChanged(bool updating);
    void updateProgress(int day, int days);
    // A deletion was done or undone: whether it can be undone may have changed.
    void deletionKept();

  private:
    void importOtherLayout(const QString &path);
    // Whether the draw may go under `typed`, an issue after the next one: the user is asked.
    bool skipConfirmed(int32_t typed);
    // Runs a deletion, keeping what it removes for 撤销删除; `what` is the deletion itself.
    void keepDeletion(const std::function<quorlent::FileOpResult()> &what);
    void updateFinished();
    int segmentBase() const;

    quorlent::HistoryStore &m_store;
    Settings &m_settings;
    const NextIssue &m_nextIssue;
    QString m_programFolder;
    Questions &m_questions;
    quorlent::OnlineUpdater *m_updater = nullptr;
    quorlent::DeletionUndo m_undo;
};
