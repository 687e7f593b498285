#pragma once

#include "FilterScheme.h"

#include <QString>
#include <QStringList>

// The saved 缩水方案: one JSON file (FilterScheme) per name in the folder 缩水方案 of the program
// folder, so that they travel with the histories and can be copied to another computer.
class SchemeFolder
{
  public:
    explicit SchemeFolder(const QString &programFolder);

    QString path() const { return m_path; }
    // The names, in the order of their text.
    QStringList names() const;
    bool contains(const QString &name) const;
    // Why `name` cannot name a 方案 (empty, too long, a character no file name may hold); empty
    // when it can.
    static QString nameError(const QString &name);

    // Each returns an error text, empty on success. A 方案 of that name is replaced.
    QString save(const QString &name, const quorlent::filter::ConditionSet &set) const;
    quorlent::filter::SchemeReading load(const QString &name) const;
    QString remove(const QString &name) const;

  private:
    QString fileOf(const QString &name) const;

    QString m_path;
};
