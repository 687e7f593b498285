#include "Issue.h"

namespace quorlent::issue {

namespace {
constexpr Game kGame = Game::standard();
} // namespace

int32_t dayNumberOf(const QDate &date) { return kGame.issueOfDay(date, 0) / 1000; }

QDate dateOf(int32_t stored) { return kGame.dateOf(stored); }

int32_t next(int32_t stored) { return kGame.next(stored, QDate()); }

int32_t firstOfDay(const QDate &date) { return kGame.issueOfDay(date, 1); }

QString storedText(int32_t stored) { return kGame.storedText(stored); }

QString displayForm(int32_t stored) { return kGame.displayForm(stored); }

std::optional<int32_t> fromDisplay(const QString &text) { return kGame.fromDisplay(text); }

} // namespace quorlent::issue
