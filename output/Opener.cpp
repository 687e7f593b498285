#include "Opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace quorlent {

QUrl Opener::urlFor(const QString &target)
{
    // A scheme of two letters or more, so that a Windows drive ("C:\...") reads as a path.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool Opener::open(const QString &target)
{
    if (target.isEmpty())
        return false;
    const QString program = qEnvironmentVariable(kEnvironmentVariable);
    if (!program.isEmpty())
        return QProcess::startDetached(program, {target});
    const QUrl url = urlFor(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace quorlent
