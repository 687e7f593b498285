#include "FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <optional>

namespace {

std::optional<QString> g_nextFileName;
FileChooser::Request g_lastRequest;

} // namespace

QString FileChooser::openFileName(QWidget *parent, const QString &title, const QString &folder,
                                  const QString &filter)
{
    return ask(parent, {Mode::Open, title, folder, QString(), filter});
}

QString FileChooser::saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                  const QString &filter)
{
    const QFileInfo proposed(proposedPath);
    return ask(parent, {Mode::Save, title, proposed.absolutePath(), proposed.fileName(), filter});
}

QString FileChooser::ask(QWidget *parent, const Request &request)
{
    g_lastRequest = request;
    if (g_nextFileName) {
        const QString answer = *g_nextFileName;
        g_nextFileName.reset();
        return answer;
    }
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.mode == Mode::Open) {
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // "PNG 图片(*.png)" gives the suffix a typed name without one receives.
        const qsizetype star = request.filter.indexOf(QLatin1String("*."));
        if (star >= 0) {
            qsizetype end = star + 2;
            while (end < request.filter.size() && request.filter.at(end).isLetterOrNumber())
                ++end;
            dialog.setDefaultSuffix(request.filter.mid(star + 2, end - star - 2));
        }
        if (!request.proposedName.isEmpty())
            dialog.selectFile(QDir(request.folder).filePath(request.proposedName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void FileChooser::setNextFileName(const QString &fileName) { g_nextFileName = fileName; }

bool FileChooser::hasNextFileName() { return g_nextFileName.has_value(); }

void FileChooser::clearNextFileName() { g_nextFileName.reset(); }

const FileChooser::Request &FileChooser::lastRequest() { return g_lastRequest; }
