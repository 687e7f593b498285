#include "CorrectionDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CorrectionDialog::CorrectionDialog(const QString &issue, const QString &digits,
                                   Questions::StoredDigits stored, Questions::CorrectionCheck check,
                                   QWidget *parent)
    : QInputDialog(parent), m_stored(std::move(stored)), m_check(std::move(check)),
      m_proposedDigits(digits)
{
    setObjectName(QStringLiteral("dlgXiugai"));
    setWindowTitle(QStringLiteral("修改开奖号码"));
    setMinimumWidth(380);
    setTextValue(digits); // lays the dialog out: its label, its box, its buttons

    auto *issueRow = new QWidget(this);
    auto *form = new QFormLayout(issueRow);
    form->setContentsMargins(0, 0, 0, 0);
    txtIssue = new QLineEdit(issue, issueRow);
    txtIssue->setObjectName(QStringLiteral("txtXiugaiQihao"));
    txtIssue->setToolTip(
        QStringLiteral("表格中选中的一期，没有选中时为最新一期；可以改成要修改的那一期"));
    form->addRow(QStringLiteral("期号(&Q)："), txtIssue);
    lblStored = new QLabel(issueRow);
    lblStored->setObjectName(QStringLiteral("lblXiugaiStored"));
    form->addRow(QString(), lblStored);
    lblRefusal = new QLabel(this);
    lblRefusal->setObjectName(QStringLiteral("lblXiugaiRefusal"));
    lblRefusal->setWordWrap(true);
    lblRefusal->setStyleSheet(QStringLiteral("color: #b00020"));
    lblRefusal->hide();
    // The input dialog's own layout: its label, its box and its buttons, one under the other. It
    // is made when first measured, so it is measured here.
    (void)minimumSizeHint();
    if (auto *column = qobject_cast<QVBoxLayout *>(layout())) {
        column->insertWidget(0, issueRow);
        column->insertWidget(column->count() - 1, lblRefusal);
    }
    connect(txtIssue, &QLineEdit::textEdited, this, &CorrectionDialog::issueEdited);
    connect(this, &QInputDialog::textValueChanged, lblRefusal, &QWidget::hide);
    issueEdited();
}

Questions::Correction CorrectionDialog::correction() const
{
    return {txtIssue->text(), textValue()};
}

void CorrectionDialog::setIssue(const QString &issue)
{
    txtIssue->setText(issue);
    issueEdited();
}

QString CorrectionDialog::refusal() const
{
    return lblRefusal->isHidden() ? QString() : lblRefusal->text();
}

// The prompt names the issue typed, and what is stored under it is shown; digits not yet changed
// follow the issue to its stored ones.
void CorrectionDialog::issueEdited()
{
    lblRefusal->hide();
    const QString issue = txtIssue->text().trimmed();
    setLabelText(QStringLiteral("第 %1 期的正确开奖号码（五个数字）：").arg(issue));
    const std::optional<QString> stored = m_stored ? m_stored(issue) : std::nullopt;
    lblStored->setText(stored ? QStringLiteral("现存开奖号码：%1").arg(*stored)
                              : QStringLiteral("历史中没有这一期"));
    if (stored && textValue() == m_proposedDigits) {
        m_proposedDigits = *stored;
        setTextValue(*stored);
    }
}

void CorrectionDialog::done(int result)
{
    if (result == QDialog::Accepted && m_check) {
        const QString why = m_check(correction());
        if (!why.isEmpty()) {
            lblRefusal->setText(why);
            lblRefusal->show();
            return; // stays open, the answer as typed
        }
    }
    QInputDialog::done(result);
}
