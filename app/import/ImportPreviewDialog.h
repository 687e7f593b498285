#pragma once

#include "FileOpResult.h"
#include "ImportScan.h"
#include "MergePlan.h"

#include <QDialog>
#include <vector>

class ConflictModel;
class ImportRowsModel;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QWidget;
namespace quorlent {
class HistoryStore;
}

// 导入预览: a file in a layout other than the program's own, as it would be read, before anything
// is stored. It shows the first rows with the role found for each column (each changeable), the
// game the issues fit, how many draws would be stored and every refused row with its line and
// reason; the user replaces the history with the file or adds it (new draws take their places; a
// stored issue with other digits is kept unless its conflict is ticked). Nothing is stored until
// 导入; 取消 leaves everything as it was.
//
// The window stays usable meanwhile: what adding would do is worked out again whenever the
// history changes, and the import is made against the history as it is then.
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT

  public:
    ImportPreviewDialog(quorlent::HistoryStore &history, quorlent::import::ImportScan scan,
                        const QString &fileName, int segmentBase, QWidget *parent = nullptr);

    const quorlent::import::ImportScan &scan() const { return m_scan; }
    const quorlent::import::MergePlan &plan() const { return m_plan; }
    // The role of a column, and the game, as the user chose them.
    void setColumnRole(int column, quorlent::import::ColumnRole role);
    void setGame(int candidate);
    void setAdding(bool adding);
    ConflictModel &conflicts() { return *m_conflicts; }
    // Stores the file as chosen: false, with the reason shown, when it cannot be.
    bool importNow();

  signals:
    // The file went in (or failed to, said in the result's message).
    void imported(const quorlent::FileOpResult &result);
    // The file's game is not the history's: a new history for it, named after the file.
    void newHistoryWanted(const quorlent::Game &game, const QString &name);

  private:
    QWidget *buildColumns();
    void reread();
    void showRead();
    void planAgain();
    void updateButtons();
    const quorlent::Game &chosenGame() const;
    bool gameFitsHistory() const;

    quorlent::HistoryStore &m_history;
    quorlent::import::ImportScan m_scan;
    quorlent::import::MergePlan m_plan;
    std::vector<quorlent::Game> m_games; // offered, best first
    QString m_fileName;
    QString m_readWords; // what the summary says of the file itself
    int m_segmentBase = 1;

    ImportRowsModel *m_rows = nullptr;
    ConflictModel *m_conflicts = nullptr;
    QLabel *lblSummary = nullptr;
    QComboBox *cboImportGame = nullptr;
    QLabel *lblGameFit = nullptr;
    QPushButton *cmdImportNewHistory = nullptr;
    QWidget *fraColumns = nullptr;
    std::vector<QComboBox *> m_columnRoles;
    QTableView *grdImportRows = nullptr;
    QPlainTextEdit *txtRefused = nullptr;
    QRadioButton *optImportReplace = nullptr;
    QRadioButton *optImportAdd = nullptr;
    QLabel *lblPlan = nullptr;
    QTableView *grdConflicts = nullptr;
    QPushButton *cmdImportOk = nullptr;
    QLabel *lblResult = nullptr;
};
