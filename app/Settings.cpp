#include "Settings.h"

#include <QSettings>

namespace {

struct KeyInfo
{
    const char *section;
    const char *name;
    bool isBool;
    int defaultValue;
    int min;
    int max;
};

const char kMain[] = "IniSetting";
const char kTrend[] = "Zoushi";
const char kFilter[] = "Suoshui";

// One table of keys, sections, types, defaults and ranges.
constexpr KeyInfo kKeys[Settings::KeyCount] = {
    {kMain, "bolZyw", true, 1, 0, 1},
    {kMain, "bolSq", true, 1, 0, 1},
    {kMain, "intPreQi", false, 2, 1, 9}, // N of 前 N 期: 0 would name no earlier draw
    {kMain, "intLei", false, 0, 0, 3},
    {kMain, "intXianshiLei", false, 0, 0, 3},
    {kMain, "bolZuxuan", true, 0, 0, 1},
    {kMain, "intConsqSort", false, 1, 1, 5},
    {kMain, "bolZhpm", true, 0, 0, 1},
    {kMain, "intZhWSetup", false, 2, -32768, 32767},
    {kMain, "DsIni", false, 1, 0, 1},
    {kMain, "IniSerchDay", false, 6, 2, 16},
    {kMain, "bolShishi", true, 0, 0, 1},
    {kTrend, "intWindow", false, 2, 0, 10}, // 近 100 期 of the chart's list of windows
    {kTrend, "intCount", false, 300, 1, 2000000},
    {kTrend, "bolSameDraw", true, 0, 0, 1},
    {kTrend, "intSameDraw", false, 1, 1, 999},
    {kTrend, "bolOmission", true, 1, 0, 1},
    {kTrend, "bolLayers", true, 0, 0, 1},
    {kTrend, "bolLines", true, 0, 0, 1},
    {kTrend, "bolOriginCarried", true, 1, 0, 1},
    {kFilter, "intRecordWindow", false, 2, 0, 3}, // 近 1000 期
    {kFilter, "bolCopyLines", true, 0, 0, 1},
};

struct TextKeyInfo
{
    const char *section;
    const char *name;
};

constexpr TextKeyInfo kTextKeys[Settings::TextKeyCount] = {
    {kMain, "txtUpdateUrl"}, {kMain, "txtHistoryFile"}, {kMain, "txtRecentHistories"},
    {kTrend, "txtFrom"},     {kTrend, "txtTo"},
    {kFilter, "txtFilterSet"}, {kFilter, "txtSchemeName"},
};

const char *sectionName(Settings::Section which)
{
    return which == Settings::Section::Main    ? kMain
           : which == Settings::Section::Trend ? kTrend
                                               : kFilter;
}

} // namespace

std::unique_ptr<QSettings> SettingsSection::openStore()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Tessaryn"), QStringLiteral("Tessaryn"));
}

SettingsSection::SettingsSection(const QString &name)
    : m_ownStore(openStore()), m_store(*m_ownStore), m_prefix(name + QLatin1Char('/'))
{
}

SettingsSection::SettingsSection(QSettings &store, const QString &name)
    : m_store(store), m_prefix(name + QLatin1Char('/'))
{
}

SettingsSection::~SettingsSection() = default;

bool SettingsSection::flag(const QString &name, bool defaultValue) const
{
    const QString text = m_store.value(key(name)).toString().trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return defaultValue;
}

int SettingsSection::number(const QString &name, int defaultValue, int min, int max) const
{
    bool ok = false;
    const int value = m_store.value(key(name)).toString().trimmed().toInt(&ok);
    return ok && value >= min && value <= max ? value : defaultValue;
}

bool SettingsSection::holds(const QString &name, bool isBool, int value) const
{
    const QString text = m_store.value(key(name)).toString();
    return text == (isBool ? QString(value ? "True" : "False") : QString::number(value));
}

bool SettingsSection::holdsText(const QString &name, const QString &value) const
{
    const QVariant stored = m_store.value(key(name));
    return stored.isValid() && stored.toString() == value;
}

QString SettingsSection::text(const QString &name) const
{
    return m_store.value(key(name)).toString().trimmed();
}

void SettingsSection::setFlag(const QString &name, bool value)
{
    m_store.setValue(key(name), QString(value ? "True" : "False"));
}

void SettingsSection::setNumber(const QString &name, int value)
{
    m_store.setValue(key(name), QString::number(value));
}

void SettingsSection::setText(const QString &name, const QString &value)
{
    m_store.setValue(key(name), value);
}

QString SettingsSection::fileName() { return openStore()->fileName(); }

Settings::Settings(QObject *parent) : QObject(parent), m_store(SettingsSection::openStore())
{
    read(Section::Main);
    read(Section::Trend);
    read(Section::Filter);
}

Settings::~Settings() = default;

Settings::WriteBatch::WriteBatch(Settings &settings) : m_settings(settings)
{
    ++m_settings.m_batches;
}

Settings::WriteBatch::~WriteBatch()
{
    --m_settings.m_batches;
    if (m_settings.m_held)
        m_settings.written();
}

void Settings::written()
{
    m_held = m_batches > 0;
    if (!m_held)
        m_store->sync();
}

void Settings::reread(Section which)
{
    m_store->sync(); // takes in a file changed since
    read(which);
}

void Settings::read(Section which)
{
    const char *section = sectionName(which);
    const SettingsSection store(*m_store, QLatin1String(section));
    for (int key = 0; key < KeyCount; ++key) {
        const KeyInfo &info = kKeys[key];
        if (info.section != section)
            continue;
        const QString name = QLatin1String(info.name);
        const int before = m_values[key];
        m_values[key] = info.isBool ? int(store.flag(name, info.defaultValue != 0))
                                    : store.number(name, info.defaultValue, info.min, info.max);
        m_inStore[key] = store.holds(name, info.isBool, m_values[key]);
        if (m_values[key] != before)
            emit changed(Key(key));
    }
    for (int key = 0; key < TextKeyCount; ++key) {
        if (kTextKeys[key].section != section)
            continue;
        const QString before = m_texts[key];
        const QString name = QLatin1String(kTextKeys[key].name);
        m_texts[key] = store.text(name);
        m_textInStore[key] = store.holdsText(name, m_texts[key]);
        if (m_texts[key] != before)
            emit textChanged(TextKey(key));
    }
}

void Settings::setText(TextKey key, const QString &value)
{
    const bool other = m_texts[key] != value;
    if (!other && m_textInStore[key])
        return;
    m_texts[key] = value;
    m_textInStore[key] = true;
    SettingsSection(*m_store, QLatin1String(kTextKeys[key].section))
        .setText(QLatin1String(kTextKeys[key].name), value);
    written();
    if (other)
        emit textChanged(key);
}

QStringList Settings::recentHistories() const
{
    return m_texts[txtRecentHistories].split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

void Settings::setRecentHistories(const QStringList &files)
{
    setText(txtRecentHistories, files.join(QLatin1Char('|')));
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
    if (m_inStore[key] && m_values[key] == value)
        return true;
    const bool other = m_values[key] != value;
    m_values[key] = value;
    m_inStore[key] = true;
    const KeyInfo &info = kKeys[key];
    SettingsSection store(*m_store, QLatin1String(info.section));
    if (info.isBool)
        store.setFlag(QLatin1String(info.name), value != 0);
    else
        store.setNumber(QLatin1String(info.name), value);
    written();
    if (other)
        emit changed(key);
    return true;
}
