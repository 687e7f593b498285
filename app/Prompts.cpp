#include "Prompts.h"

#include <QInputDialog>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace prompts {

bool confirm(QWidget *parent, const QString &title, const QString &text,
             QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
    const int answer = box.exec();
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

int choose(QWidget *parent, const QString &title, const QString &text, const QStringList &choices)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    std::vector<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons.push_back(box.addButton(choice, buttons.empty() ? QMessageBox::AcceptRole
                                                                : QMessageBox::ActionRole));
    box.addButton(QMessageBox::Cancel);
    if (!buttons.empty())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.front()));
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? -1 : int(chosen - buttons.begin());
}

std::optional<QString> askText(QWidget *parent, const QString &title, const QString &prompt,
                               const QString &proposal)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<int> askNumber(QWidget *parent, const QString &title, const QString &prompt,
                             int proposal, int min, int max)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(min, max);
    dialog.setIntValue(proposal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

void tell(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
          bool selectable)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    if (selectable)
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

} // namespace prompts
