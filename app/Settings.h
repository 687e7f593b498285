#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class QSettings;

// A section of the per-user settings store, with the store's text forms (booleans "True"/"False",
// integers in decimal) and its reading rule: a value that is missing, cannot be read as its type
// or lies outside its range gives the default. Writes go to the store at once.
class SettingsSection
{
public:
    explicit SettingsSection(const QString &name);
    ~SettingsSection();

    bool flag(const QString &key, bool defaultValue) const;
    int number(const QString &key, int defaultValue, int min, int max) const;
    QString text(const QString &key) const;
    void setFlag(const QString &key, bool value);
    void setNumber(const QString &key, int value);
    void setText(const QString &key, const QString &value);

    // The file the store lives in: Tessaryn/Tessaryn.ini under the user's configuration folder.
    static QString fileName();

private:
    std::unique_ptr<QSettings> m_store;
};

// The user's choices, kept in the per-user settings store under application "Tessaryn",
// section "IniSetting". Every value is read once at start-up and written the moment it changes.
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
    static QString fileName() { return SettingsSection::fileName(); }
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

    // "txtHistoryFile": the history file the program was last working on, as written (a name in
    // the program folder, or a whole path); empty for the default history Varnibo.mdb.
    const QString &historyFile() const { return m_historyFile; }
    void setHistoryFile(const QString &file);
    // "txtRecentHistories": the history files opened last, newest first, separated by "|".
    const QStringList &recentHistories() const { return m_recentHistories; }
    void setRecentHistories(const QStringList &files);

private:
    std::array<int, KeyCount> m_values{};
    QString m_updateUrl;
    QString m_historyFile;
    QStringList m_recentHistories;
};
