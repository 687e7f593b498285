#pragma once

#include "ConditionSet.h"

#include <QGroupBox>

#include <array>

class DigitRow;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

// The fields of the selected 缩水 condition, those of its kind only: the digits of each position
// (定位), the digits with the rule and count (胆码) or the position (杀号), a list of values or
// ratios, the shapes, or the omission threshold with its counts (冷号, 热号). Each change the
// user makes is handed on at once with edited(); the line under the fields says what is wrong
// with the condition as it stands.
class ConditionEditor : public QGroupBox
{
    Q_OBJECT

  public:
    explicit ConditionEditor(QWidget *parent = nullptr);

    // Fills the fields from `condition` (none: nothing is selected) as read for the part and
    // selection. Does not emit edited().
    void showCondition(const quorlent::filter::Condition *condition,
                       quorlent::filter::FilterPart part, quorlent::filter::Selection selection);
    void showError(const QString &error);
    // Puts the keyboard focus on the first field of the condition shown.
    void focusFields();

  signals:
    void edited(const quorlent::filter::Condition &condition);

  private:
    enum Page
    {
        NonePage,
        PositionPage,
        DigitsPage,
        ValuesPage,
        ShapesPage,
        OmissionPage
    };

    QWidget *buildPositionPage();
    QWidget *buildDigitsPage();
    QWidget *buildValuesPage();
    QWidget *buildShapesPage();
    QWidget *buildOmissionPage();
    void fill();
    // Reads the fields of the kind into the condition and hands it on.
    void takeFields();

    quorlent::filter::Condition m_condition;
    quorlent::filter::FilterPart m_part = quorlent::filter::FilterPart::Five;
    quorlent::filter::Selection m_selection = quorlent::filter::Selection::Direct;
    bool m_filling = false;

    QLabel *lblDescription = nullptr;
    QStackedWidget *m_pages = nullptr;
    std::array<QLabel *, 5> lblPositions{};
    std::array<DigitRow *, 5> digPositions{};
    DigitRow *digDigits = nullptr;
    QLabel *lblBankerRule = nullptr;
    QComboBox *cboBankerRule = nullptr;
    QSpinBox *spnBankerCount = nullptr;
    QLabel *lblKillPosition = nullptr;
    QComboBox *cboKillPosition = nullptr;
    QLabel *lblValues = nullptr;
    QLineEdit *txtValues = nullptr;
    QLabel *lblValuesHint = nullptr;
    std::array<QCheckBox *, quorlent::filter::kShapeCount> chkShapes{};
    QLabel *lblThreshold = nullptr;
    QSpinBox *spnThreshold = nullptr;
    QRadioButton *optAtPositions = nullptr;
    QRadioButton *optAnywhere = nullptr;
    QLineEdit *txtCounts = nullptr;
    QLabel *lblCountsHint = nullptr;
    QLabel *lblConditionError = nullptr;
};
