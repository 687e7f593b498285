#include "SchemeFolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace quorlent::filter;

namespace {

const QString kSuffix = QStringLiteral(".json");

// 方案2 before 方案10: runs of digits compare by their value. (QCollator's numeric mode is not
// there on every system.)
bool naturallyBefore(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype startA = i, startB = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            // Compare the runs without their leading zeros: the longer is larger.
            QStringView runA = QStringView(a).mid(startA, i - startA);
            QStringView runB = QStringView(b).mid(startB, j - startB);
            while (runA.size() > 1 && runA.front() == u'0')
                runA = runA.mid(1);
            while (runB.size() > 1 && runB.front() == u'0')
                runB = runB.mid(1);
            if (runA.size() != runB.size())
                return runA.size() < runB.size();
            if (const int order = runA.compare(runB); order != 0)
                return order < 0;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

SchemeFolder::SchemeFolder(const QString &programFolder)
    : m_path(QDir(programFolder).filePath(QStringLiteral("缩水方案")))
{
}

QString SchemeFolder::fileOf(const QString &name) const
{
    return QDir(m_path).filePath(name.trimmed() + kSuffix);
}

QStringList SchemeFolder::names() const
{
    QStringList names;
    const QStringList files =
        QDir(m_path).entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Readable);
    for (const QString &file : files)
        names << file.chopped(kSuffix.size());
    std::sort(names.begin(), names.end(), naturallyBefore);
    return names;
}

bool SchemeFolder::contains(const QString &name) const
{
    return nameError(name).isEmpty() && QFile::exists(fileOf(name));
}

QString SchemeFolder::nameError(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("请先在方案框里输入方案的名称");
    if (trimmed.size() > 60)
        return QStringLiteral("方案名称太长（最多 60 个字）");
    // Characters that some file system refuses, and names that mean a folder.
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    for (QChar c : trimmed) {
        if (refused.contains(c) || c.unicode() < 0x20)
            return QStringLiteral("方案名称不能含有 \\ / : * ? \" < > | 这些字符");
    }
    if (trimmed.startsWith(QLatin1Char('.')))
        return QStringLiteral("方案名称不能以“.”开头");
    return {};
}

QString SchemeFolder::save(const QString &name, const ConditionSet &set) const
{
    if (const QString why = nameError(name); !why.isEmpty())
        return why;
    if (!QDir().mkpath(m_path))
        return QStringLiteral("无法建立文件夹 %1").arg(QDir::toNativeSeparators(m_path));
    QSaveFile file(fileOf(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(schemeToJson(set)) < 0 || !file.commit())
        return QStringLiteral("方案未能保存到 %1：%2")
            .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
    return {};
}

SchemeReading SchemeFolder::load(const QString &name) const
{
    if (const QString why = nameError(name); !why.isEmpty())
        return {std::nullopt, why};
    QFile file(fileOf(name));
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("没有名为“%1”的方案").arg(name.trimmed())};
    // A 方案 is a few kilobytes; anything far larger is not one.
    constexpr qint64 kLargest = 4 << 20;
    if (file.size() > kLargest)
        return {std::nullopt, QStringLiteral("文件太大，不是缩水方案")};
    return schemeFromJson(file.readAll());
}

QString SchemeFolder::remove(const QString &name) const
{
    if (const QString why = nameError(name); !why.isEmpty())
        return why;
    QFile file(fileOf(name));
    if (!file.exists())
        return QStringLiteral("没有名为“%1”的方案").arg(name.trimmed());
    if (!file.remove())
        return QStringLiteral("方案“%1”未能删除：%2").arg(name.trimmed(), file.errorString());
    return {};
}
