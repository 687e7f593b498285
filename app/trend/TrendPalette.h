#pragma once

#include <QColor>
#include <array>

// The chart's colours, from the Okabe-Ito palette: told apart by readers with any common kind of
// colour blindness, and of different lightness, so a greyscale print still separates a drawn
// circle from a shaded cell. The circles carry their digit as well, so no colour has to be told
// by itself.
namespace TrendPalette {

// 万位 vermillion, 千位 blue, 百位 bluish green, 十位 reddish purple, 个位 orange.
inline const std::array<QColor, 5> kPositions{QColor(0xD5, 0x5E, 0x00), QColor(0x00, 0x72, 0xB2),
                                              QColor(0x00, 0x9E, 0x73), QColor(0xCC, 0x79, 0xA7),
                                              QColor(0xE6, 0x9F, 0x00)};
// 号码分布: sky blue.
inline const QColor kSpread(0x56, 0xB4, 0xE9);
inline const QColor kOmissionText(0x80, 0x80, 0x80);
inline const QColor kMissingRow(0xCC, 0xCC, 0xCC);
inline const QColor kImpossibleIssue(0xD5, 0x5E, 0x00);
inline const QColor kGroupRule(0x60, 0x60, 0x60);
inline const QColor kGridLine(0xD8, 0xD8, 0xD8);

// A circle's colour: a position's, or 号码分布's for position -1.
inline QColor circle(int position)
{
    return position < 0 ? kSpread : kPositions[size_t(position)];
}

// A light wash of a circle's colour for the cells of a current run of absence (遗漏分层).
inline QColor layer(int position)
{
    QColor c = circle(position);
    c.setAlpha(48);
    return c;
}

// Black or white, whichever reads better on `fill`.
inline QColor textOn(const QColor &fill)
{
    const double lightness = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    return lightness > 140 ? Qt::black : Qt::white;
}

} // namespace TrendPalette
