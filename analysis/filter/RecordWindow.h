#pragma once

#include <QString>

#include <cstddef>

namespace quorlent::filter {

// The windows of the newest draws the records are kept over.
enum class RecordWindow
{
    Last100,
    Last500,
    Last1000,
    All
};

// The newest draws the window holds; 0 for all of them.
inline size_t windowDraws(RecordWindow window)
{
    switch (window) {
    case RecordWindow::Last100:
        return 100;
    case RecordWindow::Last500:
        return 500;
    case RecordWindow::Last1000:
        return 1000;
    case RecordWindow::All:
        break;
    }
    return 0;
}

// "近 100 期", "近 500 期", "近 1000 期", "全部".
inline QString windowName(RecordWindow window)
{
    const size_t draws = windowDraws(window);
    return draws ? QStringLiteral("近 %1 期").arg(draws) : QStringLiteral("全部");
}

} // namespace quorlent::filter
