#pragma once

#include <QString>
#include <array>

// The user's choices, kept in the per-user settings store under application "Tessaryn",
// section "IniSetting". Every value is read once at start-up and written the moment it changes,
// as text: booleans "True"/"False", integers in decimal. A stored value that cannot be read as
// its type, or lies outside its range, counts as missing and gives the default.
class Settings
{
public:
    enum Key {
        bolZyw,
        bolSq,
        intPreQi,
        intLei,
        intXianshiLei,
        bolZuxuan,
        intConsqSort,
        bolZhpm,
        intZhWSetup,
        DsIni,
        IniSerchDay,
        KeyCount
    };

    Settings();

    static const char *name(Key key);
    bool flag(Key key) const { return m_values[key] != 0; }
    int number(Key key) const { return m_values[key]; }
    // Whether `value` is acceptable for the key (booleans take 0 and 1).
    static bool inRange(Key key, int value);

    // Stores the value at once; values out of range are refused.
    bool set(Key key, int value);
    void setFlag(Key key, bool value) { set(key, value ? 1 : 0); }

    // "txtUpdateUrl": the base address of the results site the online update reads; empty until
    // the user sets one.
    const QString &updateUrl() const { return m_updateUrl; }
    void setUpdateUrl(const QString &address);

    // The file the settings are kept in.
    static QString storeFileName();

private:
    std::array<int, KeyCount> m_values{};
    QString m_updateUrl;
};
