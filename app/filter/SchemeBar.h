#pragma once

#include "SchemeFolder.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QPushButton;
class Settings;

// The 方案 of the 缩水 window: the name box (cboScheme) listing the saved ones, and 打开方案,
// 保存方案 and 删除方案. It remembers the name last opened or saved (section Suoshui) and says
// what it did with status().
class SchemeBar : public QWidget
{
    Q_OBJECT

  public:
    // `current` gives the condition set to save; the 方案 lie in the program folder's 缩水方案.
    SchemeBar(Settings &settings, const QString &programFolder,
              std::function<const quorlent::filter::ConditionSet &()> current,
              QWidget *parent = nullptr);

  signals:
    // A 方案 was opened: its conditions take the place of the window's.
    void opened(const quorlent::filter::ConditionSet &set);
    void status(const QString &text);

  private:
    void refresh();
    void cmdOpenScheme_Click();
    void cmdSaveScheme_Click();
    void cmdDeleteScheme_Click();

    Settings &m_settings;
    SchemeFolder m_schemes;
    std::function<const quorlent::filter::ConditionSet &()> m_current;
    QComboBox *cboScheme = nullptr;
    QPushButton *cmdOpenScheme = nullptr;
    QPushButton *cmdSaveScheme = nullptr;
    QPushButton *cmdDeleteScheme = nullptr;
};
