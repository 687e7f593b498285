#pragma once

#include "PlanFile.h"

#include <QString>
#include <QStringList>

namespace quorlent::plan {

// The saved 计划方案: one JSON file (PlanFile) per name in the folder 计划方案 of the program
// folder, beside the 缩水方案, so that they travel with the histories.
class PlanFolder
{
  public:
    explicit PlanFolder(const QString &programFolder);

    QString path() const { return m_path; }
    // The names, runs of digits by their value (计划2 before 计划10).
    QStringList names() const;
    bool contains(const QString &name) const;
    // Why `name` cannot name a plan (empty, too long, a character no file name may hold); empty
    // when it can.
    static QString nameError(const QString &name);

    // Each returns an error text, empty on success. A plan of that name is replaced.
    QString save(const QString &name, const PlanDefinition &plan) const;
    PlanReading load(const QString &name, const Game &game) const;
    QString remove(const QString &name) const;

  private:
    QString fileOf(const QString &name) const;

    QString m_path;
};

} // namespace quorlent::plan
