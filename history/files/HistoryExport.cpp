#include "HistoryExport.h"

#include "HistoryStore.h"
#include "HistoryTextWriter.h"
#include "ProgramFiles.h"

#include <QFileInfo>

namespace quorlent {

FileOpResult exportHistoryText(const HistoryStore &store, const QString &programFolder)
{
    if (store.empty())
        return FileOpResult::failure(QStringLiteral("没有历史号码，未导出文本文件。"));
    const QString path = programfiles::exportPath(programFolder, store.newest()->sqqh, store.game());
    QString error;
    if (!HistoryTextWriter::write(path, store.rows(), HistoryTextWriter::Form::Display, &error,
                                  store.game()))
        return FileOpResult::failure(
            QStringLiteral("无法写入文件 %1（%2）。").arg(QFileInfo(path).fileName(), error));
    FileOpResult result;
    result.ok = true;
    result.count = static_cast<qsizetype>(store.size());
    result.path = path;
    result.message = QStringLiteral("已导出 %1 期历史号码到 %2。")
                         .arg(result.count)
                         .arg(QFileInfo(path).fileName());
    return result;
}

} // namespace quorlent
