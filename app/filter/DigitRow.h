#pragma once

#include "DigitSet.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QToolButton;

// Ten toggles 0-9 side by side, with 全 and 清 to pick all or none at once: the digits of a
// 缩水 condition. changed() follows the user's clicks only, not setDigits().
class DigitRow : public QWidget
{
    Q_OBJECT

  public:
    explicit DigitRow(QWidget *parent = nullptr);

    quorlent::filter::DigitSet digits() const;
    void setDigits(quorlent::filter::DigitSet digits);
    QAbstractButton *button(int digit) const;

  signals:
    void changed();

  private:
    void setAll(bool on);

    std::array<QToolButton *, 10> m_buttons{};
};
