#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAbstractItemModel;
class QWidget;

// Saving what a window shows to a file the user names, the same way in every window: the file
// dialog (through FileChooser) proposes a name in the program folder with the first format's
// suffix and offers every format given; the chosen name's suffix picks the writer, which runs
// under the busy pointer. A window saves in a line or two:
//
//     const auto saved = SaveAs(this, tr("导出"), folder, QStringLiteral("列表"))
//                            .workbook(model).table(model).run();
class SaveAs
{
  public:
    enum class Format
    {
        Text,     // 文本文件 (*.txt)
        Picture,  // PNG 图片 (*.png)
        Pdf,      // PDF 文件 (*.pdf)
        Workbook, // Excel 97-2003 工作簿 (*.xls)
    };
    // Writes the file; an error text, empty when it was written.
    using Writer = std::function<QString(const QString &path)>;

    // What became of an answered dialog.
    struct Outcome
    {
        QString path;
        QString error; // empty: written

        bool ok() const { return error.isEmpty(); }
    };

    SaveAs(QWidget *parent, const QString &title, const QString &folder, const QString &baseName);

    SaveAs &offer(Format format, Writer write);
    // The model as a workbook (GridExport), or as text: a header line and a line per row, the
    // cells separated by tabs.
    SaveAs &workbook(const QAbstractItemModel &model);
    SaveAs &table(const QAbstractItemModel &model);

    // Asks and writes; nothing when the user cancelled.
    std::optional<Outcome> run() const;

    // Text as the program's text files are written: UTF-8, every line ending in CR LF, the last
    // one too.
    static QString writeText(QString text, const QString &path);
    static QString tableText(const QAbstractItemModel &model);

  private:
    QWidget *m_parent;
    QString m_title;
    QString m_folder;
    QString m_baseName;
    std::vector<std::pair<Format, Writer>> m_formats;
};
