#pragma once

#include <QLabel>
#include <QRadioButton>

// Captions with a blank gap that an edit box covers: the N box sits in the gap of "前    期" so
// the line reads 前 N 期, and the next-issue box covers the number of
// "在下面输入  2007001    期历史号码:". The caption text stays exactly as given; only its drawing
// leaves `gapWidth` pixels for the part from `gapStart` of length `gapLength`.
struct CaptionGap
{
    int gapStart = 0;
    int gapLength = 0;
    int gapWidth = 0;

    QString before(const QString &text) const { return text.left(gapStart); }
    QString after(const QString &text) const { return text.mid(gapStart + gapLength); }
    // Extra width the caption takes compared with drawing the covered part itself.
    int extraWidth(const QFontMetrics &metrics, const QString &text) const;
};

class GapLabel : public QLabel
{
    Q_OBJECT

public:
    GapLabel(const QString &text, CaptionGap gap, QWidget *parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Where the gap lies, in this widget's coordinates.
    QRect gapRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CaptionGap m_gap;
};

class GapRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    GapRadioButton(const QString &text, CaptionGap gap, QWidget *parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    QRect gapRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int textLeft() const;
    CaptionGap m_gap;
};
