#pragma once

#include "Game.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What a command asks the user before it acts. The window answers with its dialogs
// (DialogQuestions); a test answers from its own script, so that the commands are tried without
// the window.
class Questions
{
  public:
    // A history's name and game, as the user gave them.
    struct Naming
    {
        QString name;
        quorlent::Game game;
    };

    // A correction of a stored draw, as typed: the draw's issue and its right digits.
    struct Correction
    {
        QString issue;
        QString digits;
    };
    // What is stored under an issue typed: its digits, nothing when no draw has that issue.
    using StoredDigits = std::function<std::optional<QString>(const QString &issue)>;
    // What is wrong with a correction (empty: it will do).
    using CorrectionCheck = std::function<QString(const Correction &)>;

    virtual ~Questions() = default;

    // OK or Cancel: whether OK.
    virtual bool confirm(const QString &title, const QString &text) = 0;
    // A line of text: as typed, nothing when cancelled.
    virtual std::optional<QString> askText(const QString &title, const QString &prompt,
                                           const QString &proposal) = 0;
    // One of `choices` (the first is the default): its index; -1 when cancelled.
    virtual int choose(const QString &title, const QString &text, const QStringList &choices) = 0;
    // A correction, starting from the draw `issue` and its stored `digits`; both may be changed.
    // `check` is asked before the answer counts: a wrong answer keeps the question open with its
    // reason. Nothing when cancelled.
    virtual std::optional<Correction> askCorrection(const QString &issue, const QString &digits,
                                                    StoredDigits stored, CorrectionCheck check) = 0;
    // A file to read: empty when cancelled.
    virtual QString openFileName(const QString &title, const QString &folder,
                                 const QString &filter) = 0;
    // A history's name and game, starting from `name` and `game`; with `gameLocked` the game is
    // shown but cannot change. `nameCheck` says what is wrong with a name (empty: it will do);
    // without it any name, an empty one too, is taken.
    virtual std::optional<Naming>
    nameHistory(const QString &title, const QString &name, const quorlent::Game &game,
                bool gameLocked, std::function<QString(const QString &)> nameCheck) = 0;
};
