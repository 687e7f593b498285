#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorlent::platform {

#ifdef Q_OS_WIN

namespace {

QString lastErrorText()
{
    const DWORD code = GetLastError();
    wchar_t *buffer = nullptr;
    const DWORD size = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    QString text = size ? QString::fromWCharArray(buffer, int(size)).trimmed()
                        : QStringLiteral("Windows error %1").arg(code);
    LocalFree(buffer);
    return text;
}

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
}

} // namespace

bool syncFile(const QString &path)
{
    // FlushFileBuffers needs a handle with write access.
    HANDLE file =
        CreateFileW(nativePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = FlushFileBuffers(file);
    CloseHandle(file);
    return ok;
}

QString replaceFile(const QString &source, const QString &target)
{
    if (!syncFile(source))
        return lastErrorText();
    // WRITE_THROUGH returns only once the move is on the disk, the folder entry included.
    if (!MoveFileExW(nativePath(source).c_str(), nativePath(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastErrorText();
    return {};
}

QString moveToNewName(const QString &source, const QString &target)
{
    if (!syncFile(source))
        return lastErrorText();
    // Without MOVEFILE_REPLACE_EXISTING the move fails on a name that is taken.
    if (!MoveFileExW(nativePath(source).c_str(), nativePath(target).c_str(),
                     MOVEFILE_WRITE_THROUGH))
        return lastErrorText();
    return {};
}

#else

namespace {

bool syncDescriptorOf(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool syncFile(const QString &path)
{
    return syncDescriptorOf(QFile::encodeName(path), O_RDONLY);
}

QString replaceFile(const QString &source, const QString &target)
{
    if (!syncFile(source))
        return QString::fromLocal8Bit(std::strerror(errno));
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) !=
        0)
        return QString::fromLocal8Bit(std::strerror(errno));
    // The rename is only durable once the folder's entry is on disk too.
    syncDescriptorOf(QFile::encodeName(QFileInfo(target).absolutePath()), O_RDONLY | O_DIRECTORY);
    return {};
}

QString moveToNewName(const QString &source, const QString &target)
{
    if (!syncFile(source))
        return QString::fromLocal8Bit(std::strerror(errno));
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    // One step that refuses a taken name. A file system without it (EINVAL) takes a hard link,
    // which refuses one too; one without hard links (a FAT stick) a check and a plain rename.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            return QString::fromLocal8Bit(std::strerror(errno));
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
        } else if (errno == EEXIST) {
            return QString::fromLocal8Bit(std::strerror(errno));
        } else if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
            return QString::fromLocal8Bit(std::strerror(EEXIST));
        } else if (std::rename(from.constData(), to.constData()) != 0) {
            return QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    syncDescriptorOf(QFile::encodeName(QFileInfo(target).absolutePath()), O_RDONLY | O_DIRECTORY);
    return {};
}

#endif

} // namespace quorlent::platform
