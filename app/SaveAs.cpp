#include "SaveAs.h"

#include "BusyCursor.h"
#include "FileChooser.h"
#include "GridExport.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QSaveFile>
#include <QStringList>

namespace {

struct FormatInfo
{
    const char *suffix;
    const char *filter; // UTF-8
};

FormatInfo infoOf(SaveAs::Format format)
{
    switch (format) {
    case SaveAs::Format::Text:
        return {"txt", "文本文件 (*.txt)"};
    case SaveAs::Format::Picture:
        return {"png", "PNG 图片 (*.png)"};
    case SaveAs::Format::Pdf:
        return {"pdf", "PDF 文件 (*.pdf)"};
    case SaveAs::Format::Workbook:
        return {"xls", "Excel 97-2003 工作簿 (*.xls)"};
    }
    return {"", ""};
}

} // namespace

SaveAs::SaveAs(QWidget *parent, const QString &title, const QString &folder,
               const QString &baseName)
    : m_parent(parent), m_title(title), m_folder(folder), m_baseName(baseName)
{
}

SaveAs &SaveAs::offer(Format format, Writer write)
{
    m_formats.emplace_back(format, std::move(write));
    return *this;
}

SaveAs &SaveAs::workbook(const QAbstractItemModel &model)
{
    return offer(Format::Workbook, [&model](const QString &path) {
        return quorlent::GridExport::write(model, path);
    });
}

SaveAs &SaveAs::table(const QAbstractItemModel &model)
{
    return offer(Format::Text,
                 [&model](const QString &path) { return writeText(tableText(model), path); });
}

std::optional<SaveAs::Outcome> SaveAs::run() const
{
    if (m_formats.empty())
        return std::nullopt;
    QStringList filters;
    for (const auto &[format, write] : m_formats)
        filters << QString::fromUtf8(infoOf(format).filter);
    const QString proposed = QDir(m_folder).filePath(
        m_baseName + u'.' + QLatin1String(infoOf(m_formats.front().first).suffix));
    const QString path =
        FileChooser::saveFileName(m_parent, m_title, proposed, filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    // The name's suffix tells the format; a name of none of them is written as the first.
    const Writer *write = &m_formats.front().second;
    for (const auto &[format, writer] : m_formats) {
        if (path.endsWith(u'.' + QLatin1String(infoOf(format).suffix), Qt::CaseInsensitive)) {
            write = &writer;
            break;
        }
    }
    BusyCursor busy;
    return Outcome{path, (*write)(path)};
}

QString SaveAs::writeText(QString text, const QString &path)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    text += QStringLiteral("\r\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        return file.errorString();
    return {};
}

QString SaveAs::tableText(const QAbstractItemModel &model)
{
    QStringList lines;
    for (int r = -1; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << (r < 0 ? model.headerData(c, Qt::Horizontal).toString()
                            : model.index(r, c).data().toString());
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n');
}
