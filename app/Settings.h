#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class QSettings;

// A section of the per-user settings store, with the store's text forms (booleans "True"/"False",
// integers in decimal) and its reading rule: a value that is missing, cannot be read as its type
// or lies outside its range gives the default.
class SettingsSection
{
public:
    // A section of a store of its own, read as the file is now and written when this ends.
    explicit SettingsSection(const QString &name);
    // A section of `store`, which the caller keeps and writes.
    SettingsSection(QSettings &store, const QString &name);
    ~SettingsSection();
    SettingsSection(const SettingsSection &) = delete;
    SettingsSection &operator=(const SettingsSection &) = delete;

    // The store itself, written where the file is, in the user's settings folder.
    static std::unique_ptr<QSettings> openStore();

    bool flag(const QString &name, bool defaultValue) const;
    int number(const QString &name, int defaultValue, int min, int max) const;
    QString text(const QString &name) const;
    // Whether the key holds exactly the text form of `value`.
    bool holds(const QString &name, bool isBool, int value) const;
    // Whether the key is there and holds exactly `value`.
    bool holdsText(const QString &name, const QString &value) const;
    void setFlag(const QString &name, bool value);
    void setNumber(const QString &name, int value);
    void setText(const QString &name, const QString &value);

    // The file the store lives in: Tessaryn/Tessaryn.ini under the user's configuration folder.
    static QString fileName();

private:
    QString key(const QString &name) const { return m_prefix + name; }

    std::unique_ptr<QSettings> m_ownStore;
    QSettings &m_store;
    QString m_prefix;
};

// The user's choices, kept in the per-user settings store under application "Tessaryn": the main
// window's in section "IniSetting", the trend chart's in section "Zoushi", the 缩水 window's in
// section "Suoshui". One table holds every key with its section, type, default and range. The
// main window's section is read at start-up, a tool window's again each time the window opens
// (the main window asks for it, so that a choice changed outside the program counts); every value
// is written the moment it changes, except while a WriteBatch holds the writes. Each change is
// announced, so that what shows a choice follows it wherever it was made.
class Settings : public QObject
{
    Q_OBJECT

  public:
    enum Key {
        // IniSetting
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
        bolShishi, // 实时检索: live results
        // Zoushi: the trend chart's choices
        intWindow,
        intCount,
        bolSameDraw,
        intSameDraw,
        bolOmission,
        bolLayers,
        bolLines,
        bolOriginCarried,
        // Suoshui: the 缩水 window's choices
        intRecordWindow, // the window of draws the records are kept over (RecordWindow)
        bolCopyLines,    // copy and save the remaining numbers one a line, not with blanks
        KeyCount
    };
    enum TextKey {
        txtUpdateUrl,       // the results site the online update reads; empty until set
        txtHistoryFile,     // the history last worked on: a name in the program folder, or a path
        txtRecentHistories, // the history files opened last, newest first, separated by "|"
        txtFrom,            // Zoushi: the issue range's ends
        txtTo,
        txtFilterSet,  // Suoshui: the condition set last left, as a 方案's JSON
        txtSchemeName, // Suoshui: the name of the 方案 last opened or saved
        TextKeyCount
    };
    Q_ENUM(Key)
    Q_ENUM(TextKey)

    enum class Section { Main, Trend, Filter };

    // Reads every section.
    explicit Settings(QObject *parent = nullptr);
    ~Settings() override;

    // Gathers the writes made while it lives into one write of the file when it ends: start-up
    // stores each choice a first start finds missing, and a file written once costs a tenth of one
    // written ten times (each write locks, replaces and flushes the file).
    class WriteBatch
    {
      public:
        explicit WriteBatch(Settings &settings);
        ~WriteBatch();
        WriteBatch(const WriteBatch &) = delete;
        WriteBatch &operator=(const WriteBatch &) = delete;

      private:
        Settings &m_settings;
    };
    // Reads one section again, as the store holds it now; announces the values that differ.
    void reread(Section section);

    static const char *name(Key key);
    static QString fileName() { return SettingsSection::fileName(); }
    bool flag(Key key) const { return m_values[key] != 0; }
    int number(Key key) const { return m_values[key]; }
    // Whether `value` is acceptable for the key (booleans take 0 and 1).
    static bool inRange(Key key, int value);

    // Stores the value at once; values out of range are refused.
    bool set(Key key, int value);
    void setFlag(Key key, bool value) { set(key, value ? 1 : 0); }

    const QString &text(TextKey key) const { return m_texts[key]; }
    void setText(TextKey key, const QString &value);

    const QString &updateUrl() const { return text(txtUpdateUrl); }
    void setUpdateUrl(const QString &address) { setText(txtUpdateUrl, address.trimmed()); }
    const QString &historyFile() const { return text(txtHistoryFile); }
    void setHistoryFile(const QString &file) { setText(txtHistoryFile, file); }
    QStringList recentHistories() const;
    void setRecentHistories(const QStringList &files);

  signals:
    // A value is another now: set here, or read again from the store.
    void changed(Settings::Key key);
    void textChanged(Settings::TextKey key);

  private:
    void read(Section section);
    // Writes what was set to the file, unless a batch holds the writes.
    void written();

    // One store for the program's life: opening one reads or checks every file it could come from.
    std::unique_ptr<QSettings> m_store;
    int m_batches = 0;
    // Whether a batch holds writes the file lacks: a start-up that stored nothing writes nothing.
    bool m_held = false;
    std::array<int, KeyCount> m_values{};
    // Whether the store is known to hold m_values[key] already: a handler that stores a value
    // the store has (every option click stores its group again) costs no file write.
    std::array<bool, KeyCount> m_inStore{};
    std::array<QString, TextKeyCount> m_texts;
    // The same for the texts: the history reopened at each start-up names the same files again.
    std::array<bool, TextKeyCount> m_textInStore{};
};
