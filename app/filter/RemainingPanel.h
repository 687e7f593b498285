#pragma once

#include "Selection.h"

#include <QGroupBox>

#include <cstdint>
#include <vector>

class QComboBox;
class QPushButton;
class QTableView;
class Settings;
namespace quorlent {
class RemainingNumbersModel;
}

// 剩余号码: the numbers the 缩水 conditions leave, and their output — to the clipboard, a text
// file (blanks between them or one a line, as chosen; section Suoshui remembers it) or a
// spreadsheet of one number a row.
class RemainingPanel : public QGroupBox
{
    Q_OBJECT

  public:
    RemainingPanel(Settings &settings, const QString &programFolder, QWidget *parent = nullptr);

    void showNumbers(std::vector<uint32_t> values, int digitCount,
                     quorlent::filter::Selection selection);
    quorlent::RemainingNumbersModel &model() { return *m_model; }
    QTableView *view() const { return tblRemaining; }

    // The numbers as the chosen layout writes them.
    QString remainingText() const;
    // The output the buttons offer, to a path already chosen: an error text, empty on success.
    QString saveText(const QString &path) const;
    QString saveWorkbook(const QString &path) const;

  signals:
    void status(const QString &text);

  private:
    void cmdCopy_Click();
    void cmdSaveText_Click();
    void cmdSaveXls_Click();

    Settings &m_settings;
    QString m_folder;
    quorlent::filter::Selection m_selection = quorlent::filter::Selection::Direct;
    quorlent::RemainingNumbersModel *m_model = nullptr;
    QTableView *tblRemaining = nullptr;
    QComboBox *cboCopyLayout = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdSaveText = nullptr;
    QPushButton *cmdSaveXls = nullptr;
};
