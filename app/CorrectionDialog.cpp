#include "CorrectionDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CorrectionDialog::CorrectionDialog(const QString &issue, const QString &digits,
                                   Questions::StoredDigits stored, Questions::CorrectionCheck check,
                                   QWidget *parent)
    : QDialog(parent), m_stored(std::move(stored)), m_check(std::move(check)),
      m_proposedDigits(digits)
{
    setObjectName(QStringLiteral("dlgXiugai"));
    setWindowTitle(QStringLiteral("修改开奖号码"));
    auto *column = new QVBoxLayout(this);

    auto *issueLabel = new QLabel(QStringLiteral("期号(&Q)："), this);
    column->addWidget(issueLabel);
    txtIssue = new QLineEdit(issue, this);
    txtIssue->setObjectName(QStringLiteral("txtXiugaiQihao"));
    txtIssue->setToolTip(
        QStringLiteral("表格中选中的一期，没有选中时为最新一期；可以改成要修改的那一期"));
    issueLabel->setBuddy(txtIssue);
    column->addWidget(txtIssue);
    lblStored = new QLabel(this);
    lblStored->setObjectName(QStringLiteral("lblXiugaiStored"));
    column->addWidget(lblStored);

    column->addSpacing(6);
    lblDigits = new QLabel(this);
    column->addWidget(lblDigits);
    txtDigits = new QLineEdit(digits, this);
    txtDigits->setObjectName(QStringLiteral("txtXiugaiHaoma"));
    lblDigits->setBuddy(txtDigits);
    column->addWidget(txtDigits);

    lblRefusal = new QLabel(this);
    lblRefusal->setObjectName(QStringLiteral("lblXiugaiRefusal"));
    lblRefusal->setWordWrap(true);
    lblRefusal->setStyleSheet(QStringLiteral("color: #b00020"));
    lblRefusal->hide();
    column->addWidget(lblRefusal);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    setMinimumWidth(380);

    connect(txtIssue, &QLineEdit::textEdited, this, &CorrectionDialog::issueEdited);
    connect(txtDigits, &QLineEdit::textChanged, lblRefusal, &QWidget::hide);
    issueEdited();
    txtDigits->setFocus();
    txtDigits->selectAll();
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

QString CorrectionDialog::textValue() const
{
    return txtDigits->text();
}

void CorrectionDialog::setTextValue(const QString &digits)
{
    txtDigits->setText(digits);
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
    lblDigits->setText(QStringLiteral("第 %1 期的正确开奖号码（五个数字）(&H)：").arg(issue));
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
            txtDigits->setFocus();
            return; // stays open, the answer as typed
        }
    }
    QDialog::done(result);
}
