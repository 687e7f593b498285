// Time to export a full history grid to an .xls workbook, and the size of the file.
//
//   bench_grid_export [rows] [folder]
//
// The grid is history-like: the issue ("20160908078") and the five digits of each draw, as the
// history grid shows them; a second grid of draws with leading zeros and size classes shows
// what texts cost. Each figure is the best of three runs.

#include "GridExport.h"
#include "XlsWriter.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

using namespace quorlent;

namespace {

class HistoryLikeModel : public QAbstractTableModel
{
  public:
    using Cell = std::function<QString(int, int)>;
    HistoryLikeModel(QStringList header, int rows, Cell cell)
        : m_header(std::move(header)), m_rows(rows), m_cell(std::move(cell))
    {
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_header.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(m_cell(index.row(), index.column())) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_header.value(section);
        return {};
    }

  private:
    QStringList m_header;
    int m_rows;
    Cell m_cell;
};

int digitOf(int row, int position)
{
    return int((uint32_t(row) * 2654435761u >> (position * 5)) % 10);
}

// Issue of draw n: 120 draws a day from 2016-09-08 on, "yyyyMMdd" and the draw of the day.
std::vector<QString> issues(int rows)
{
    std::vector<QString> out;
    out.reserve(size_t(rows));
    const QDate first(2016, 9, 8);
    for (int r = 0; r < rows; ++r) {
        out.push_back(first.addDays(r / 120).toString(QStringLiteral("yyyyMMdd")) +
                      QStringLiteral("%1").arg(r % 120 + 1, 3, 10, QLatin1Char('0')));
    }
    return out;
}

struct Figures
{
    double fillMs = 0, writeMs = 0, totalMs = 0;
    qint64 bytes = 0;
    int sheets = 0;
};

Figures measure(const QAbstractItemModel &model, const QString &path)
{
    Figures best;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer total;
        total.start();
        XlsWriter writer;
        QElapsedTimer step;
        step.start();
        const QString fillError = GridExport::fill(model, writer);
        const double fillMs = double(step.nsecsElapsed()) / 1e6;
        step.restart();
        const bool written = fillError.isEmpty() && writer.write(path);
        const double writeMs = double(step.nsecsElapsed()) / 1e6;
        const double totalMs = double(total.nsecsElapsed()) / 1e6;
        if (!written) {
            std::fprintf(stderr, "export failed: %s%s\n", qPrintable(fillError),
                         qPrintable(writer.errorString()));
            std::exit(1);
        }
        if (run == 0 || totalMs < best.totalMs)
            best = {fillMs, writeMs, totalMs, QFileInfo(path).size(), writer.sheetCount()};
    }
    // The path the window takes, in one call.
    QElapsedTimer oneCall;
    oneCall.start();
    const QString error = GridExport::write(model, path);
    const double oneCallMs = double(oneCall.nsecsElapsed()) / 1e6;
    if (!error.isEmpty()) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(error));
        std::exit(1);
    }
    best.totalMs = std::min(best.totalMs, oneCallMs);
    return best;
}

void report(const char *name, int rows, int columns, const Figures &f)
{
    std::printf("%-34s %8d rows x %d cols  %2d sheets  read grid %7.0f ms  write file %6.0f ms  "
                "total %7.0f ms  file %6.1f MB (%.1f bytes/cell)\n",
                name, rows, columns, f.sheets, f.fillMs, f.writeMs, f.totalMs,
                double(f.bytes) / (1024.0 * 1024.0), double(f.bytes) / (double(rows) * columns));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 500000;
    QTemporaryDir tmp;
    const std::vector<QString> issue = issues(rows);
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();

    const QStringList historyHeader{QStringLiteral("期号"),  QStringLiteral("第1位"),
                                    QStringLiteral("第2位"), QStringLiteral("第3位"),
                                    QStringLiteral("第4位"), QStringLiteral("第5位")};
    HistoryLikeModel history(historyHeader, rows, [&issue](int r, int c) {
        return c == 0 ? issue[size_t(r)] : QString::number(digitOf(r, c - 1));
    });
    report("history grid (issue + 5 digits)", rows, 6,
           measure(history, QDir(folder).filePath(QStringLiteral("lishi.xls"))));

    const QStringList textHeader{QStringLiteral("期号"),     QStringLiteral("开奖号码"),
                                 QStringLiteral("上期开奖"), QStringLiteral("小/大"),
                                 QStringLiteral("百分比"),   QStringLiteral("第1位")};
    HistoryLikeModel texts(textHeader, rows, [&issue](int r, int c) {
        const auto draw = [](int row) {
            QString s;
            for (int p = 0; p < 5; ++p)
                s += QChar(u'0' + digitOf(row, p));
            return s;
        };
        switch (c) {
        case 0:
            return issue[size_t(r)];
        case 1:
            return draw(r);
        case 2:
            return r ? draw(r - 1) : QString();
        case 3:
            return digitOf(r, 0) < 5 ? QStringLiteral("小") : QStringLiteral("大");
        case 4:
            return QStringLiteral("%1%").arg(double(r % 100000) / 1000.0, 0, 'f', 3);
        default:
            return QString::number(digitOf(r, 0));
        }
    });
    report("hit list (draws, classes, shares)", rows, 6,
           measure(texts, QDir(folder).filePath(QStringLiteral("Jiansuo.xls"))));
    return 0;
}
