#include "XlsReadBack.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>

namespace quorlent::test {

namespace {

bool importsXlrd(const QString &python)
{
    if (python.isEmpty())
        return false;
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QStringLiteral("import xlrd")});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

struct ReaderRun
{
    QString failure;
    QByteArray output;
};

// Under wine a Windows test cannot run (nor wait for) a Linux python: there the reader runs on the
// Linux side, behind xls_read_server.py, whose address QUORLENT_XLS_READER_SERVER gives.
ReaderRun runThroughServer(const QString &address, const QStringList &args)
{
    const QStringList hostPort = address.split(QLatin1Char(':'));
    QTcpSocket socket;
    socket.connectToHost(hostPort.value(0), quint16(hostPort.value(1).toUInt()));
    if (!socket.waitForConnected(30000))
        return {QStringLiteral("no reader server at ") + address, {}};
    socket.write(
        QJsonDocument(QJsonObject{{QStringLiteral("args"), QJsonArray::fromStringList(args)}})
            .toJson(QJsonDocument::Compact) +
        '\n');
    QByteArray reply;
    while (!reply.endsWith('\n') && socket.waitForReadyRead(600000))
        reply += socket.readAll();
    const QJsonObject o = QJsonDocument::fromJson(reply).object();
    if (o.value(QStringLiteral("code")).toInt(-1) != 0)
        return {QStringLiteral("reader failed: ") + o.value(QStringLiteral("err")).toString(), {}};
    return {{}, o.value(QStringLiteral("out")).toString().toUtf8()};
}

ReaderRun runReader(const QStringList &args)
{
    const QString server = qEnvironmentVariable("QUORLENT_XLS_READER_SERVER");
    if (!server.isEmpty())
        return runThroughServer(server, args);
    const QString python = pythonWithXlrd();
    if (python.isEmpty())
        return {QStringLiteral("no python3 with xlrd (Debian package python3-xlrd)"), {}};
    QProcess p;
    p.start(python, QStringList{QStringLiteral(QUORLENT_XLS_READER)} + args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {QStringLiteral("reader failed: ") + QString::fromUtf8(p.readAllStandardError()),
                {}};
    return {{}, p.readAllStandardOutput()};
}

ReadWorkbook run(const QString &path, bool streamOnly)
{
    ReadWorkbook book;
    QStringList args;
    if (streamOnly)
        args << QStringLiteral("--stream");
    args << path;
    const ReaderRun reader = runReader(args);
    if (!reader.failure.isEmpty()) {
        book.failure = reader.failure;
        return book;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(reader.output, &parseError);
    if (!doc.isObject()) {
        book.failure = QStringLiteral("reader printed no JSON: ") + parseError.errorString();
        return book;
    }
    const QJsonObject o = doc.object();
    for (const QJsonValue &v : o.value(QStringLiteral("problems")).toArray())
        book.problems << v.toString();
    book.difatSectors = o.value(QStringLiteral("difat_sectors")).toInt();
    book.streamSize = qint64(o.value(QStringLiteral("stream_size")).toDouble());
    book.streamSha256 = o.value(QStringLiteral("stream_sha256")).toString().toLatin1();
    book.sstRecords = o.value(QStringLiteral("sst_records")).toInt();
    book.codepage = o.value(QStringLiteral("codepage")).toInt();
    for (const QJsonValue &sv : o.value(QStringLiteral("sheets")).toArray()) {
        const QJsonObject so = sv.toObject();
        ReadSheet sheet;
        sheet.name = so.value(QStringLiteral("name")).toString();
        sheet.rows = so.value(QStringLiteral("nrows")).toInt();
        sheet.columns = so.value(QStringLiteral("ncols")).toInt();
        const QJsonArray cells = so.value(QStringLiteral("cells")).toArray();
        sheet.cells.reserve(cells.size());
        for (const QJsonValue &cv : cells) {
            const QJsonArray c = cv.toArray();
            ReadCell cell;
            const QString kind = c.at(2).toString();
            if (kind == QLatin1String("n")) {
                cell.isNumber = true;
                cell.number = c.at(3).toDouble();
            } else if (kind == QLatin1String("s")) {
                cell.text = c.at(3).toString();
            } else {
                cell.text = QStringLiteral("<unexpected cell type %1>").arg(kind);
            }
            sheet.cells.insert(qint64(c.at(0).toInt()) * 256 + c.at(1).toInt(), cell);
        }
        book.sheets.push_back(std::move(sheet));
    }
    return book;
}

} // namespace

QString pythonWithXlrd()
{
    static const QString found = [] {
        const QStringList candidates{qEnvironmentVariable("QUORLENT_PYTHON"),
                                     QStringLiteral("/usr/bin/python3"),
                                     QStandardPaths::findExecutable(QStringLiteral("python3"))};
        for (const QString &c : candidates) {
            if (importsXlrd(c))
                return c;
        }
        return QString();
    }();
    return found;
}

ReadWorkbook readWorkbook(const QString &path)
{
    return run(path, false);
}
ReadWorkbook readStream(const QString &path)
{
    return run(path, true);
}

} // namespace quorlent::test

namespace quorlent::test {

namespace {

QString describe(const ReadCell *c)
{
    if (!c)
        return QStringLiteral("(empty)");
    if (c->isNumber)
        return QStringLiteral("number %1").arg(c->number, 0, 'g', 17);
    return QStringLiteral("text \"%1\"")
        .arg(c->text.size() > 60 ? c->text.left(60) + "..." : c->text);
}

} // namespace

QStringList differences(const ReadSheet &sheet, const QHash<qint64, ReadCell> &expected, int limit)
{
    QStringList out;
    int count = 0;
    const auto note = [&](qint64 key, const ReadCell *want, const ReadCell *got) {
        if (++count <= limit) {
            out << QStringLiteral("%1 (%2,%3): expected %4, read %5")
                       .arg(sheet.name)
                       .arg(key / 256)
                       .arg(key % 256)
                       .arg(describe(want), describe(got));
        }
    };
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        const auto found = sheet.cells.constFind(it.key());
        const ReadCell *got = found == sheet.cells.constEnd() ? nullptr : &*found;
        const bool same = got && got->isNumber == it->isNumber &&
                          (it->isNumber ? got->number == it->number : got->text == it->text);
        if (!same)
            note(it.key(), &*it, got);
    }
    for (auto it = sheet.cells.constBegin(); it != sheet.cells.constEnd(); ++it) {
        if (!expected.contains(it.key()))
            note(it.key(), nullptr, &*it);
    }
    if (count > limit)
        out << QStringLiteral("... %1 differences in all").arg(count);
    return out;
}

} // namespace quorlent::test
