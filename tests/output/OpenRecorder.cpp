// Stands in for the desktop's opener in tests (QUORLENT_OPENER names it): records the arguments it
// was started with, so that a test can read what the program asked to open. A program of our own
// rather than a shell script, so that the same tests run on Windows.
//  - QUORLENT_RECORD=FILE: writes the count of arguments on a line, then each argument followed by
//    a NUL, to FILE.tmp, and moves that into FILE, so that no half-written record is read;
//  - QUORLENT_RECORD_LINES=FILE: appends the first argument and a line end to FILE.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1); // UTF-16 on Windows too
    if (const QString lines = qEnvironmentVariable("QUORLENT_RECORD_LINES"); !lines.isEmpty()) {
        QFile file(lines);
        if (!file.open(QIODevice::Append))
            return 1;
        file.write(args.value(0).toUtf8() + '\n');
        return 0;
    }
    const QString record = qEnvironmentVariable("QUORLENT_RECORD");
    if (record.isEmpty())
        return 2;
    QFile file(record + QStringLiteral(".tmp"));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QByteArray::number(args.size()) + '\n');
    for (const QString &arg : args)
        file.write(arg.toUtf8() + '\0');
    file.close();
    QFile::remove(record);
    return file.rename(record) ? 0 : 1;
}
