#pragma once

#include "Questions.h"

#include <QInputDialog>

class QLabel;
class QLineEdit;

// 修改开奖号码: the issue of the draw to correct, shown and editable above the digits, with what is
// stored under it; a wrong answer keeps the dialog open and says why under the boxes. An input
// dialog still, so that it is answered as one: setTextValue() sets the digits.
class CorrectionDialog : public QInputDialog
{
    Q_OBJECT

  public:
    CorrectionDialog(const QString &issue, const QString &digits, Questions::StoredDigits stored,
                     Questions::CorrectionCheck check, QWidget *parent = nullptr);

    Questions::Correction correction() const;
    void setIssue(const QString &issue);
    // What the last refused answer was told; empty while none was refused.
    QString refusal() const;

  public slots:
    void done(int result) override;

  private:
    void issueEdited();

    Questions::StoredDigits m_stored;
    Questions::CorrectionCheck m_check;
    QString m_proposedDigits; // the stored digits the digit box was given for the issue shown
    QLineEdit *txtIssue = nullptr;
    QLabel *lblStored = nullptr;
    QLabel *lblRefusal = nullptr;
};
