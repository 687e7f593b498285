#include "Opener.h"
#include "HelpLinks.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

using namespace quorlent;

namespace {

// Sets QUORLENT_OPENER for one test and puts back what was there.
class OpenerVariable
{
  public:
    explicit OpenerVariable(const QString &value)
        : m_had(qEnvironmentVariableIsSet(Opener::kEnvironmentVariable)),
          m_old(qgetenv(Opener::kEnvironmentVariable))
    {
        qputenv(Opener::kEnvironmentVariable, value.toLocal8Bit());
    }
    ~OpenerVariable()
    {
        if (m_had)
            qputenv(Opener::kEnvironmentVariable, m_old);
        else
            qunsetenv(Opener::kEnvironmentVariable);
    }

  private:
    bool m_had;
    QByteArray m_old;
};

// The recorder program, set to write how many arguments it got and each of them, NUL-terminated,
// to `record`; it moves the finished record into place so that no half-written one is read.
QString makeRecorder(const QTemporaryDir &, const QString &record)
{
    qputenv("QUORLENT_RECORD", record.toUtf8());
    return QStringLiteral(QUORLENT_OPEN_RECORDER);
}

// The record as the recorder wrote it, or nothing while it is missing or not whole: where a
// rename fails (as it now and then does under wine on a busy machine) Qt copies the file instead,
// and a copy can be seen half-written.
std::optional<QStringList> wholeRecord(const QString &record)
{
    QFile f(record);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = f.readAll();
    const int newline = data.indexOf('\n');
    if (newline < 0)
        return std::nullopt;
    const int count = data.left(newline).toInt();
    QStringList args;
    for (const QByteArray &a : data.mid(newline + 1).split('\0'))
        args << QString::fromUtf8(a);
    args.removeLast(); // after the last terminator
    if (args.size() != count)
        return std::nullopt;
    return args;
}

// The arguments the recorder received, or nothing when it has not run within 10 seconds.
std::optional<QStringList> recordedArguments(const QString &record)
{
    QDeadlineTimer deadline(10000);
    std::optional<QStringList> args;
    while (!(args = wholeRecord(record))) {
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(20);
    }
    QFile::remove(record);
    return args;
}

TEST(OpenerTest, HandsTheTargetAsItsOnlyArgumentToTheConfiguredProgram)
{
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("args"));
    const QString recorder = makeRecorder(dir, record);
    ASSERT_FALSE(recorder.isEmpty());
    OpenerVariable variable(recorder);

    const QStringList targets{
        dir.filePath(QStringLiteral("历史 号码/lishi.xls")), // a space and Chinese in the path
        QStringLiteral("/tmp/a'b\"c$d;e.xls"),               // what a shell would take apart
        QString::fromUtf8(help::kManual),
        QStringLiteral("relative/Jieguo.xls"),
    };
    for (const QString &target : targets) {
        ASSERT_TRUE(Opener::open(target)) << qPrintable(target);
        const std::optional<QStringList> args = recordedArguments(record);
        ASSERT_TRUE(args.has_value()) << "the recorder did not run for " << qPrintable(target);
        EXPECT_EQ(*args, QStringList{target});
    }
}

TEST(OpenerTest, ReportsWhatCouldNotBeOpened)
{
    {
        OpenerVariable variable(QStringLiteral("/nonexistent/quorlent-opener"));
        EXPECT_FALSE(Opener::open(QStringLiteral("/tmp/lishi.xls")));
    }
    QTemporaryDir dir;
    OpenerVariable variable(makeRecorder(dir, dir.filePath(QStringLiteral("args"))));
    EXPECT_FALSE(Opener::open(QString()));
}

TEST(OpenerTest, PathsBecomeFileUrlsAndAddressesStayAsTheyAre)
{
    // An absolute path of the system ("/tmp/…" on Windows is relative to the current drive).
    const QString absolute = QDir::tempPath() + QStringLiteral("/历史 号码/lishi.xls");
    EXPECT_EQ(Opener::urlFor(absolute), QUrl::fromLocalFile(absolute));
    EXPECT_EQ(Opener::urlFor(QStringLiteral("Jieguo.xls")),
              QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Jieguo.xls"))));
    // A drive letter is not a scheme.
    EXPECT_TRUE(Opener::urlFor(QStringLiteral("C:/Program Files/lishi.xls")).isLocalFile());
    for (const help::Link &link : help::kLinks) {
        const QUrl url = Opener::urlFor(QString::fromUtf8(link.address));
        EXPECT_TRUE(url.isValid()) << link.address;
        EXPECT_EQ(url.scheme(), "https") << link.address;
        EXPECT_EQ(url.toString(), QString::fromUtf8(link.address));
    }
}

} // namespace
