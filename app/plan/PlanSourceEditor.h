#pragma once

#include "PlanDefinition.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

// Where a plan's numbers come from, as the 计划 window edits it: a choice of source and the fields
// of that source — a search with its options and k, a saved 缩水 方案, 杀号/定胆 at each position,
// or 守号 typed or pasted. Changed whenever any field changes.
class PlanSourceEditor : public QWidget
{
    Q_OBJECT

  public:
    // The 方案 are read from the folder 缩水方案 of `programFolder`.
    explicit PlanSourceEditor(const QString &programFolder, QWidget *parent = nullptr);

    // Shows the source fields of `plan`.
    void show(const quorlent::plan::PlanDefinition &plan);
    // Writes the fields into `plan`; a 方案 that cannot be read, or a field that is not digits,
    // comes back as an error at its field.
    quorlent::plan::FieldErrors readInto(quorlent::plan::PlanDefinition &plan) const;
    // Lists the 方案 of the folder again, keeping the one chosen.
    void refreshSchemes();

  signals:
    void changed();

  private:
    QWidget *buildSearch();
    QWidget *buildScheme();
    QWidget *buildDigits();
    QWidget *buildTyped();
    void updateSearchFields();

    QString m_programFolder;
    QComboBox *cboSource = nullptr;
    QStackedWidget *stkSource = nullptr;
    // 检索
    QComboBox *cboSearch = nullptr;
    QRadioButton *optFree = nullptr;
    QRadioButton *optFixed = nullptr;
    QRadioButton *optPrevious = nullptr;
    QRadioButton *optEarlier = nullptr;
    QSpinBox *spnDistance = nullptr;
    QComboBox *cboKind = nullptr;
    std::array<QCheckBox *, 5> chkPosition{};
    QSpinBox *spnWidth = nullptr;
    QRadioButton *optDirect = nullptr;
    QRadioButton *optGroup = nullptr;
    QSpinBox *spnResultPosition = nullptr;
    QComboBox *cboResultKind = nullptr;
    QSpinBox *spnTop = nullptr;
    // 缩水
    QComboBox *cboScheme = nullptr;
    QLabel *lblScheme = nullptr;
    // 杀号 / 定胆
    QLineEdit *txtKill = nullptr;
    std::array<QLineEdit *, 5> txtKillAt{};
    std::array<QLineEdit *, 5> txtRequire{};
    // 守号
    QPlainTextEdit *txtTyped = nullptr;
};
