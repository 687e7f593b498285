#include "Settings.h"

#include <QSettings>

namespace {

struct KeyInfo
{
    const char *name;
    bool isBool;
    int defaultValue;
    int min;
    int max;
};

// One table of keys, types, defaults and ranges.
constexpr KeyInfo kKeys[Settings::KeyCount] = {
    {"bolZyw", true, 1, 0, 1},
    {"bolSq", true, 1, 0, 1},
    {"intPreQi", false, 2, 1, 9}, // N of 前 N 期: 0 would name no earlier draw
    {"intLei", false, 0, 0, 3},
    {"intXianshiLei", false, 0, 0, 3},
    {"bolZuxuan", true, 0, 0, 1},
    {"intConsqSort", false, 1, 1, 5},
    {"bolZhpm", true, 0, 0, 1},
    {"intZhWSetup", false, 2, -32768, 32767},
    {"DsIni", false, 1, 0, 1},
    {"IniSerchDay", false, 6, 2, 16},
};

QSettings openStore()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tessaryn"),
                     QStringLiteral("Tessaryn"));
}

int parse(const KeyInfo &info, const QVariant &stored)
{
    if (!stored.isValid())
        return info.defaultValue;
    const QString text = stored.toString().trimmed();
    if (info.isBool) {
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return 1;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return 0;
        return info.defaultValue;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= info.min && value <= info.max ? value : info.defaultValue;
}

} // namespace

Settings::Settings()
{
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("IniSetting"));
    for (int key = 0; key < KeyCount; ++key)
        m_values[key] = parse(kKeys[key], store.value(QLatin1String(kKeys[key].name)));
    m_updateUrl = store.value(QStringLiteral("txtUpdateUrl")).toString().trimmed();
}

void Settings::setUpdateUrl(const QString &address)
{
    m_updateUrl = address.trimmed();
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("IniSetting"));
    store.setValue(QStringLiteral("txtUpdateUrl"), m_updateUrl);
}

QString Settings::fileName() { return openStore().fileName(); }

const char *Settings::name(Key key) { return kKeys[key].name; }

bool Settings::inRange(Key key, int value)
{
    return value >= kKeys[key].min && value <= kKeys[key].max;
}

bool Settings::set(Key key, int value)
{
    if (!inRange(key, value))
        return false;
    m_values[key] = value;
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("IniSetting"));
    const KeyInfo &info = kKeys[key];
    store.setValue(QLatin1String(info.name), info.isBool
                                                 ? QString(value ? "True" : "False")
                                                 : QString::number(value));
    return true;
}
