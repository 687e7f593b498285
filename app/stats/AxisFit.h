#pragma once

class QValueAxis;

// Puts a value axis on [0, top] with its ticks at a round step (1, 2 or 5 times a power of ten),
// about five of them, starting at 0: the axis ends where the data end, and a count axis gets
// whole-number labels. A `top` of 0 or less leaves the axis without numbers (an empty chart).
void fitAxis(QValueAxis *axis, double top, bool wholeNumbers);
