#include "PlanRange.h"

#include "IssueRange.h"

namespace quorlent::plan {

std::optional<PlanRange::Rows> PlanRange::resolve(const std::vector<HistoryRow> &rows,
                                                  const Game &game, FieldError *error) const
{
    const QString field = QStringLiteral("范围");
    switch (kind) {
    case Kind::All:
        return Rows{0, rows.size()};
    case Kind::Latest:
        if (count < 1) {
            if (error)
                *error = {field, QStringLiteral("近几期至少为 1 期")};
            return std::nullopt;
        }
        return Rows{rows.size() - std::min(rows.size(), size_t(count)), rows.size()};
    case Kind::Issues: {
        for (const QString &text : {first, last}) {
            if (!game.fromDisplay(text.trimmed())) {
                if (error)
                    *error = {
                        field,
                        QStringLiteral("“%1”不是期号，%2").arg(text.trimmed(), game.formHint())};
                return std::nullopt;
            }
        }
        // Either order: the earlier issue starts the range.
        IssueRange range = *IssueRange::fromTexts(first.trimmed(), last.trimmed(), game);
        if (range.first > range.last)
            std::swap(range.first, range.last);
        const IssueRange::Span span = range.span(rows);
        return Rows{span.begin, span.end};
    }
    }
    return std::nullopt;
}

QString PlanRange::description() const
{
    switch (kind) {
    case Kind::Latest:
        return QStringLiteral("近 %1 期").arg(count);
    case Kind::All:
        return QStringLiteral("全部");
    case Kind::Issues:
        return QStringLiteral("%1 至 %2").arg(first.trimmed(), last.trimmed());
    }
    return {};
}

} // namespace quorlent::plan
