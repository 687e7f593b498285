#pragma once

#include "Game.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;
class QDialogButtonBox;

// Asks for a history's name and its game: one of the schedules offered by name, or a schedule of
// the user's own (draws a day and the issue form). Creating a new history and renaming the open
// one use it; a history that holds draws keeps its game, so its schedule is shown but locked.
class HistoryGameDialog : public QDialog
{
    Q_OBJECT

  public:
    HistoryGameDialog(const QString &title, const QString &name, const quorlent::Game &game,
                      bool gameLocked, QWidget *parent = nullptr);

    QString name() const;
    // The game chosen; the one given when the choice cannot be a game (OK is then disabled).
    quorlent::Game game() const;
    void setName(const QString &name);
    // Picks an offered schedule by its index in the list (the last entry is 自定).
    void setSchedule(int index);
    void setCustom(int drawsPerDay, quorlent::IssueForm form);
    // What is wrong with a name ("程序目录中已有文件 …"), empty when it will do; OK waits for a
    // name it accepts.
    void setNameCheck(std::function<QString(const QString &)> check);
    // Whether OK needs a name (a new history does; renaming may clear it).
    void setNameRequired(bool required);

  private:
    void update();
    std::optional<quorlent::Game> chosen() const;

    quorlent::Game m_initial;
    std::function<QString(const QString &)> m_nameCheck;
    bool m_nameRequired = true;
    QLineEdit *txtHistoryName = nullptr;
    QComboBox *cboSchedule = nullptr;
    QWidget *fraCustom = nullptr;
    QSpinBox *spnQiPerDay = nullptr;
    QComboBox *cboIssueForm = nullptr;
    QLabel *lblExample = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
