#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// Keeps an edit box over the gap that a caption leaves for it (see GapCaption), following the
// caption when the layout moves it.
class GapOverlay : public QObject
{
    Q_OBJECT

public:
    // `gapRect` gives the gap in the caption's own coordinates.
    GapOverlay(QWidget *caption, QWidget *box, std::function<QRect()> gapRect);

    void place();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_caption;
    QPointer<QWidget> m_box;
    std::function<QRect()> m_gapRect;
};
