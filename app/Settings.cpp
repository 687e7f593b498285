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

const QString kSection = QStringLiteral("IniSetting");

std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Tessaryn"), QStringLiteral("Tessaryn"));
}

} // namespace

SettingsSection::SettingsSection(const QString &name) : m_store(openStore())
{
    m_store->beginGroup(name);
}

SettingsSection::~SettingsSection() = default;

bool SettingsSection::flag(const QString &key, bool defaultValue) const
{
    const QString text = m_store->value(key).toString().trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return defaultValue;
}

int SettingsSection::number(const QString &key, int defaultValue, int min, int max) const
{
    bool ok = false;
    const int value = m_store->value(key).toString().trimmed().toInt(&ok);
    return ok && value >= min && value <= max ? value : defaultValue;
}

QString SettingsSection::text(const QString &key) const
{
    return m_store->value(key).toString().trimmed();
}

void SettingsSection::setFlag(const QString &key, bool value)
{
    m_store->setValue(key, QString(value ? "True" : "False"));
}

void SettingsSection::setNumber(const QString &key, int value)
{
    m_store->setValue(key, QString::number(value));
}

void SettingsSection::setText(const QString &key, const QString &value)
{
    m_store->setValue(key, value);
}

QString SettingsSection::fileName() { return openStore()->fileName(); }

Settings::Settings()
{
    const SettingsSection store(kSection);
    for (int key = 0; key < KeyCount; ++key) {
        const KeyInfo &info = kKeys[key];
        const QString name = QLatin1String(info.name);
        m_values[key] = info.isBool ? int(store.flag(name, info.defaultValue != 0))
                                    : store.number(name, info.defaultValue, info.min, info.max);
    }
    m_updateUrl = store.text(QStringLiteral("txtUpdateUrl"));
    m_historyFile = store.text(QStringLiteral("txtHistoryFile"));
    m_recentHistories =
        store.text(QStringLiteral("txtRecentHistories")).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

void Settings::setHistoryFile(const QString &file)
{
    m_historyFile = file;
    SettingsSection(kSection).setText(QStringLiteral("txtHistoryFile"), file);
}

void Settings::setRecentHistories(const QStringList &files)
{
    m_recentHistories = files;
    SettingsSection(kSection).setText(QStringLiteral("txtRecentHistories"),
                                      files.join(QLatin1Char('|')));
}

void Settings::setUpdateUrl(const QString &address)
{
    m_updateUrl = address.trimmed();
    SettingsSection(kSection).setText(QStringLiteral("txtUpdateUrl"), m_updateUrl);
}

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
    SettingsSection store(kSection);
    const KeyInfo &info = kKeys[key];
    if (info.isBool)
        store.setFlag(QLatin1String(info.name), value != 0);
    else
        store.setNumber(QLatin1String(info.name), value);
    return true;
}
