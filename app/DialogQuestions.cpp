#include "DialogQuestions.h"

#include "CorrectionDialog.h"
#include "FileChooser.h"
#include "HistoryGameDialog.h"
#include "Prompts.h"

bool DialogQuestions::confirm(const QString &title, const QString &text)
{
    return prompts::confirm(m_parent, title, text);
}

std::optional<QString> DialogQuestions::askText(const QString &title, const QString &prompt,
                                                const QString &proposal)
{
    return prompts::askText(m_parent, title, prompt, proposal);
}

int DialogQuestions::choose(const QString &title, const QString &text, const QStringList &choices)
{
    return prompts::choose(m_parent, title, text, choices);
}

std::optional<Questions::Correction> DialogQuestions::askCorrection(const QString &issue,
                                                                    const QString &digits,
                                                                    StoredDigits stored,
                                                                    CorrectionCheck check)
{
    CorrectionDialog dialog(issue, digits, std::move(stored), std::move(check), m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.correction();
}

QString DialogQuestions::openFileName(const QString &title, const QString &folder,
                                      const QString &filter)
{
    return FileChooser::openFileName(m_parent, title, folder, filter);
}

std::optional<Questions::Naming>
DialogQuestions::nameHistory(const QString &title, const QString &name, const quorlent::Game &game,
                             bool gameLocked, std::function<QString(const QString &)> nameCheck)
{
    HistoryGameDialog dialog(title, name, game, gameLocked, m_parent);
    if (nameCheck)
        dialog.setNameCheck(std::move(nameCheck));
    else
        dialog.setNameRequired(false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Naming{dialog.name(), dialog.game()};
}
