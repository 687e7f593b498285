#include "PlanFolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace quorlent::plan {

namespace {

const QString kSuffix = QStringLiteral(".json");

// The text cut into runs of digits and of other characters; digit runs compare by value.
bool naturallyBefore(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i, endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            QStringView runA = QStringView(a).mid(i, endA - i);
            QStringView runB = QStringView(b).mid(j, endB - j);
            while (runA.size() > 1 && runA.front() == u'0')
                runA = runA.mid(1);
            while (runB.size() > 1 && runB.front() == u'0')
                runB = runB.mid(1);
            if (runA.size() != runB.size())
                return runA.size() < runB.size();
            if (const int order = runA.compare(runB); order != 0)
                return order < 0;
            i = endA;
            j = endB;
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

PlanFolder::PlanFolder(const QString &programFolder)
    : m_path(QDir(programFolder).filePath(QStringLiteral("计划方案")))
{
}

QString PlanFolder::fileOf(const QString &name) const
{
    return QDir(m_path).filePath(name.trimmed() + kSuffix);
}

QStringList PlanFolder::names() const
{
    QStringList names;
    const QStringList files =
        QDir(m_path).entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Readable);
    for (const QString &file : files)
        names << file.chopped(kSuffix.size());
    std::sort(names.begin(), names.end(), naturallyBefore);
    return names;
}

bool PlanFolder::contains(const QString &name) const
{
    return nameError(name).isEmpty() && QFile::exists(fileOf(name));
}

QString PlanFolder::nameError(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("请先输入计划的名称");
    if (trimmed.size() > 60)
        return QStringLiteral("计划名称太长（最多 60 个字）");
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    for (QChar c : trimmed) {
        if (refused.contains(c) || c.unicode() < 0x20)
            return QStringLiteral("计划名称不能含有 \\ / : * ? \" < > | 这些字符");
    }
    if (trimmed.startsWith(QLatin1Char('.')))
        return QStringLiteral("计划名称不能以“.”开头");
    return {};
}

QString PlanFolder::save(const QString &name, const PlanDefinition &plan) const
{
    if (const QString why = nameError(name); !why.isEmpty())
        return why;
    if (!QDir().mkpath(m_path))
        return QStringLiteral("无法建立文件夹 %1").arg(QDir::toNativeSeparators(m_path));
    QSaveFile file(fileOf(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(planToJson(plan)) < 0 || !file.commit())
        return QStringLiteral("计划未能保存到 %1：%2")
            .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
    return {};
}

PlanReading PlanFolder::load(const QString &name, const Game &game) const
{
    if (const QString why = nameError(name); !why.isEmpty())
        return {std::nullopt, why};
    QFile file(fileOf(name));
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("没有名为“%1”的计划").arg(name.trimmed())};
    // A plan is a few kilobytes; anything far larger is not one.
    constexpr qint64 kLargest = 4 << 20;
    if (file.size() > kLargest)
        return {std::nullopt, QStringLiteral("文件太大，不是计划方案")};
    return planFromJson(file.readAll(), game);
}

QString PlanFolder::remove(const QString &name) const
{
    if (const QString why = nameError(name); !why.isEmpty())
        return why;
    QFile file(fileOf(name));
    if (!file.exists())
        return QStringLiteral("没有名为“%1”的计划").arg(name.trimmed());
    if (!file.remove())
        return QStringLiteral("计划“%1”未能删除：%2").arg(name.trimmed(), file.errorString());
    return {};
}

} // namespace quorlent::plan
