#pragma once

#include "Questions.h"

class QWidget;

// The questions of the commands as the window asks them: message and input boxes, the file
// dialog, the history's name and game, all modal over `parent`.
class DialogQuestions : public Questions
{
  public:
    explicit DialogQuestions(QWidget *parent) : m_parent(parent) {}

    bool confirm(const QString &title, const QString &text) override;
    std::optional<QString> askText(const QString &title, const QString &prompt,
                                   const QString &proposal) override;
    int choose(const QString &title, const QString &text, const QStringList &choices) override;
    std::optional<Correction> askCorrection(const QString &issue, const QString &digits,
                                            StoredDigits stored, CorrectionCheck check) override;
    QString openFileName(const QString &title, const QString &folder,
                         const QString &filter) override;
    std::optional<Naming> nameHistory(const QString &title, const QString &name,
                                      const quorlent::Game &game, bool gameLocked,
                                      std::function<QString(const QString &)> nameCheck) override;

  private:
    QWidget *m_parent;
};
