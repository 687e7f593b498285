#pragma once

#include "ImportScan.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace quorlent::import {

// Takes in a file of draws as results sites and other programs write them (CSV, text tables in
// UTF-8, UTF-16 or GBK) for the import preview: decodes it, finds its layout and the game its
// issues fit, and reads every row, without touching any history.
//
//     ImportScan seen = TableImport::scan(path);
//     if (seen.verdict == FileVerdict::Table) {
//         GameFit fit = seen.games.fit(store.game());
//         // ... the user sets a column's role or the game; another separator's columns are
//         // LayoutDetector::detect(*seen.source, separator) ...
//         TableImport::choose(seen, layout, store.game());
//         MergePlan plan = MergePlan::of(store.rows(), seen.read.draws, seen.read.drawLines);
//     }
//
// Nothing is kept between calls: a scan may run on a worker thread.
class TableImport
{
  public:
    // How much of a file is read before the rest: when nothing in it looks like a draw the file
    // is refused there (a large file that is no draw history is never read whole).
    static constexpr qsizetype kProbeBytes = 4 * 1024 * 1024;
    // Six million rows of a CSV, more than fifty years of 288 draws a day: no history comes near
    // it. A larger file with draws at its start is refused.
    static constexpr qint64 kLargestFile = qint64(256) * 1024 * 1024;

    static ImportScan scan(const QByteArray &bytes);
    static ImportScan scan(QIODevice &device);
    static ImportScan scan(const QString &path);

    // Reads the scanned file again with the layout and game the user chose; the verdict and
    // message follow what that reads, and the games offered follow a changed layout.
    static void choose(ImportScan &scan, const TableLayout &layout, const Game &game);
};

} // namespace quorlent::import
