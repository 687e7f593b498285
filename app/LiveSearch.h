#pragma once

#include <QObject>
#include <QString>

// What becomes of the results when what they were computed from changes. With live results on,
// the search shown last runs again at once (one run for a burst of changes, after the event that
// caused them); off, the results are marked as describing what was before.
class LiveSearch : public QObject
{
    Q_OBJECT

  public:
    enum class Search
    {
        None,
        Follow,
        Combination
    };

    using QObject::QObject;

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    // A search's results are shown now.
    void searched(Search which) { m_last = which; }
    Search last() const { return m_last; }

    // An option, a reference value, a position or the range changed.
    void optionsChanged();
    // Draws came or went; `added` when they only came.
    void historyChanged(bool added);
    // Runs a re-run that waits for the event loop now (tests and benchmarks do not wait for it).
    void flush();

    static QString staleAfterEntry();
    static QString staleAfterChange();

  signals:
    void rerun(LiveSearch::Search which);
    void stale(const QString &why);

  private:
    void schedule();

    Search m_last = Search::None;
    bool m_enabled = false;
    bool m_pending = false;
};
