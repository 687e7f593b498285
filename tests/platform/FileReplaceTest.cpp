#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quorlent::platform::replaceFile;

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(FileReplaceTest, TheNewFileTakesTheOldNameEvenWithChineseNames)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("排列五历史.mdb"));
    const QString source = dir.filePath(QStringLiteral("排列五历史.mdb.new"));
    write(target, "old history");
    write(source, "new history");

    EXPECT_EQ(replaceFile(source, target), QString());
    EXPECT_EQ(read(target), "new history");
    EXPECT_FALSE(QFile::exists(source));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("排列五历史.mdb")});
}

TEST(FileReplaceTest, AFailedReplacementSaysWhyAndLeavesTheTarget)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Varnibo.mdb"));
    write(target, "old history");

    // Nothing to move.
    EXPECT_FALSE(replaceFile(dir.filePath(QStringLiteral("missing.new")), target).isEmpty());
    EXPECT_EQ(read(target), "old history");

    // A folder in the way of the target cannot be replaced by a file.
    const QString source = dir.filePath(QStringLiteral("copy.new"));
    write(source, "new history");
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("occupied/inside")));
    EXPECT_FALSE(replaceFile(source, dir.filePath(QStringLiteral("occupied"))).isEmpty());
    EXPECT_EQ(read(source), "new history");
}

TEST(FileReplaceTest, AMoveToANewNameNeverReplacesAFileThere)
{
    using quorlent::platform::moveToNewName;
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral(".排列五.mdb.creating"));
    const QString target = dir.filePath(QStringLiteral("排列五.mdb"));
    write(source, "new history");

    EXPECT_EQ(moveToNewName(source, target), QString());
    EXPECT_EQ(read(target), "new history");
    EXPECT_FALSE(QFile::exists(source));

    // The name is taken now: the second file stays where it is and the first is untouched.
    write(source, "another history");
    EXPECT_FALSE(moveToNewName(source, target).isEmpty());
    EXPECT_EQ(read(target), "new history");
    EXPECT_EQ(read(source), "another history");
}
