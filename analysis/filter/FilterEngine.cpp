#include "FilterEngine.h"

#include "NumberTable.h"
#include "PassTable.h"
#include "RepeatTable.h"

#include <algorithm>

namespace quorlent::filter {

namespace {

bool isRepeat(const CompiledCondition &c)
{
    return c.kind == ConditionKind::Repeat;
}

bool isOmission(const CompiledCondition &c)
{
    return formOf(c.kind) == KindForm::Omission;
}

OmissionKey omissionKeyOf(const CompiledCondition &c, FilterPart part)
{
    return {part, c.threshold, c.kind == ConditionKind::Hot, c.atPositions};
}

double shareOfTotal(int64_t total, size_t draws, uint32_t partSize)
{
    return double(total) / (double(draws) * double(partSize));
}

int64_t allowedSum(const Spread &spread, uint64_t allowed)
{
    int64_t sum = 0;
    for (size_t j = 0; j < spread.size(); ++j) {
        if ((allowed >> j) & 1)
            sum += spread[j];
    }
    return sum;
}

// Unused omission tracks kept, for a threshold changed and changed back.
// Tracks no condition uses, kept for a threshold the user may step back to or one made ready.
constexpr size_t kSpareTracks = 2;
// Together records kept, for windows switched back and forth.
constexpr size_t kKnownTogether = 8;

} // namespace

FilterEngine::FilterEngine(const std::vector<HistoryRow> &rows)
    : m_rows(rows), m_drawCount(rows.size())
{
}

DrawTable &FilterEngine::table() const
{
    auto &slot = m_tables[size_t(m_set.part)];
    if (!slot)
        slot = std::make_unique<DrawTable>(m_set.part);
    if (slot->size() < m_drawCount)
        slot->extend(m_rows, m_drawCount);
    return *slot;
}

OmissionTrack &FilterEngine::trackFor(const OmissionKey &key) const
{
    auto at = std::find_if(m_tracks.begin(), m_tracks.end(),
                           [&](const auto &t) { return t->key() == key; });
    if (at == m_tracks.end()) {
        m_tracks.push_back(std::make_unique<OmissionTrack>(key));
        at = m_tracks.end() - 1;
    }
    const DrawTable &draws = table();
    if ((*at)->size() < draws.size())
        (*at)->extend(draws);
    return **at;
}

void FilterEngine::buildNumbers(Entry &entry) const
{
    const CompiledCondition &c = *entry.compiled;
    const NumberTable &numbers = NumberTable::of(digitCount(m_set.part));
    if (isRepeat(c)) {
        const DrawTable &draws = table();
        const uint8_t *common =
            RepeatTable::of(numbers.digitCount()).row(draws.previousMultiset(draws.size()));
        entry.numbers = numbersWithAllowedCount(
            c.allowed, numbers, [&](uint32_t n) { return common[numbers.multiset(n)]; });
    } else if (isOmission(c)) {
        entry.track = &trackFor(omissionKeyOf(c, m_set.part));
        const uint64_t marks = entry.track->marksNow();
        const int rowStep = c.atPositions ? 10 : 0;
        const int k = numbers.digitCount();
        entry.numbers = numbersWithAllowedCount(c.allowed, numbers, [&](uint32_t n) {
            const uint32_t digits = numbers.packedDigits(n);
            int marked = 0;
            for (int i = 0; i < k; ++i)
                marked += int(marks >> (rowStep * i + int((digits >> (4 * i)) & 0xf))) & 1;
            return marked;
        });
    } else {
        entry.numbers = passingNumbers(c, numbers);
    }
    entry.numberCount = uint32_t(entry.numbers.count());
    entry.groupCount = uint32_t(
        Bitset::countCommon({&entry.numbers, &numbers.canonicalNumbers()}, 0, numbers.size()));
}

void FilterEngine::extendDraws(Entry &entry) const
{
    const CompiledCondition &c = *entry.compiled;
    const DrawTable &draws = table();
    const uint64_t allowed = c.allowed;
    if (isRepeat(c)) {
        entry.draws.appendBits(draws.size(),
                               [&](size_t t) { return (allowed >> draws.repeats(t)) & 1; });
    } else if (isOmission(c)) {
        const OmissionTrack &track = trackFor(omissionKeyOf(c, m_set.part));
        entry.draws.appendBits(draws.size(),
                               [&](size_t t) { return (allowed >> track.markedPositions(t)) & 1; });
    } else {
        entry.draws.appendBits(draws.size(),
                               [&](size_t t) { return entry.numbers.test(draws.value(t)); });
    }
}

void FilterEngine::build(Entry &entry) const
{
    buildNumbers(entry);
    entry.draws = Bitset();
    extendDraws(entry);
}

void FilterEngine::prepareOmissions(const Condition &condition) const
{
    if (formOf(condition.kind) != KindForm::Omission)
        return;
    if (m_hasSet && m_tracks.size() < kSpareTracks + m_entries.size())
        trackFor({m_set.part, condition.threshold, condition.kind == ConditionKind::Hot,
                  condition.atPositions});
}

void FilterEngine::dropUnusedTracks()
{
    size_t spare = 0;
    for (size_t i = m_tracks.size(); i-- > 0;) {
        const bool used = std::any_of(m_entries.begin(), m_entries.end(),
                                      [&](const Entry &e) { return e.track == m_tracks[i].get(); });
        if (!used && ++spare > kSpareTracks)
            m_tracks.erase(m_tracks.begin() + ptrdiff_t(i));
    }
}

void FilterEngine::setConditions(const ConditionSet &set)
{
    const bool samePart = m_hasSet && set.part == m_set.part;
    std::vector<Entry> old = std::move(m_entries);
    m_entries.clear();
    m_errors.clear();
    m_set = set;
    m_hasSet = true;
    for (const Condition &c : set.conditions) {
        Entry entry;
        entry.rule = c;
        Compilation compiled = compile(c, set.part, set.selection);
        m_errors.push_back(compiled.error);
        entry.compiled = compiled.compiled;
        if (entry.compiled) {
            const QByteArray key = ruleKey(c);
            const auto same = std::find_if(old.begin(), old.end(), [&](const Entry &e) {
                return samePart && e.compiled && ruleKey(e.rule) == key;
            });
            if (same != old.end()) {
                entry.numbers = std::move(same->numbers);
                entry.numberCount = same->numberCount;
                entry.groupCount = same->groupCount;
                entry.draws = std::move(same->draws);
                entry.track = same->track;
                same->compiled.reset(); // taken
            } else {
                build(entry);
            }
        }
        m_entries.push_back(std::move(entry));
    }
    m_remaining.reset();
    dropUnusedTracks();
}

void FilterEngine::rowsAppended()
{
    m_drawCount = m_rows.size();
    for (Entry &e : m_entries) {
        if (!e.compiled)
            continue;
        extendDraws(e);
        if (dependsOnEarlierDraws(e.compiled->kind))
            buildNumbers(e); // the draw to come is another one
    }
    m_remaining.reset();
}

void FilterEngine::rowsReset()
{
    m_drawCount = m_rows.size();
    for (auto &t : m_tables)
        t.reset();
    m_tracks.clear();
    m_known.clear();
    ++m_generation;
    for (Entry &e : m_entries) {
        if (!e.compiled)
            continue;
        e.track = nullptr;
        if (dependsOnEarlierDraws(e.compiled->kind))
            buildNumbers(e);
        e.draws = Bitset();
        extendDraws(e);
    }
    m_remaining.reset();
}

const Bitset &FilterEngine::remaining() const
{
    if (!m_remaining) {
        Bitset all(partSize(m_set.part));
        all.fill();
        for (const Entry &e : m_entries) {
            if (e.compiled && e.rule.enabled)
                all &= e.numbers;
        }
        m_remaining = std::move(all);
    }
    return *m_remaining;
}

FilterCounts FilterEngine::counts() const
{
    const NumberTable &numbers = NumberTable::of(digitCount(m_set.part));
    FilterCounts out;
    out.partSize = numbers.size();
    out.partGroups = numbers.multisetCount();
    const Bitset &left = remaining();
    out.remaining = uint32_t(left.count());
    out.remainingGroups =
        uint32_t(Bitset::countCommon({&left, &numbers.canonicalNumbers()}, 0, numbers.size()));
    out.remainingShare = double(out.remaining) / double(out.partSize);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries[i];
        if (!e.compiled) {
            out.conditions.emplace_back();
            continue;
        }
        const ConditionCount count{e.numberCount, e.groupCount,
                                   double(e.numberCount) / double(out.partSize)};
        if (e.rule.enabled && (out.mostRemoving < 0 ||
                               count.numbers < out.conditions[size_t(out.mostRemoving)]->numbers))
            out.mostRemoving = int(i);
        out.conditions.emplace_back(count);
    }
    return out;
}

std::vector<uint32_t> FilterEngine::remainingValues() const
{
    Bitset left = remaining();
    if (m_set.selection == Selection::Group)
        left &= NumberTable::of(digitCount(m_set.part)).canonicalNumbers();
    std::vector<uint32_t> out;
    out.reserve(left.count());
    left.forEach([&](size_t n) { out.push_back(uint32_t(n)); });
    return out;
}

std::pair<size_t, size_t> FilterEngine::windowOf(size_t lastDraws) const
{
    const size_t end = m_drawCount;
    return {lastDraws == 0 || lastDraws >= end ? 0 : end - lastDraws, end};
}

int64_t FilterEngine::Together::passes(size_t begin, size_t end) const
{
    std::vector<const Bitset *> drawSets;
    for (const Entry *e : entries)
        drawSets.push_back(&e->draws);
    return int64_t(Bitset::countCommon(drawSets, begin, end));
}

FilterEngine::Together FilterEngine::together() const
{
    Together t;
    for (const Entry &e : m_entries) {
        if (e.compiled && e.rule.enabled) {
            t.entries.push_back(&e);
            t.dependent = t.dependent || dependsOnEarlierDraws(e.compiled->kind);
        }
    }
    return t;
}

double FilterEngine::shareOf(const Entry &entry, size_t begin, size_t end) const
{
    const uint32_t size = partSize(m_set.part);
    const CompiledCondition &c = *entry.compiled;
    if (begin == end || !dependsOnEarlierDraws(c.kind))
        return double(entry.numberCount) / double(size);
    const Spread spread =
        isRepeat(c) ? table().repeatSpread(begin, end) : entry.track->spread(begin, end, table());
    return shareOfTotal(allowedSum(spread, c.allowed), end - begin, size);
}

QByteArray FilterEngine::togetherKey(size_t begin, size_t end) const
{
    QByteArray key = QByteArray::number(int(m_set.part));
    for (const Entry *e : together().entries)
        key += ';' + ruleKey(e->rule);
    return key + QByteArray("@%1-%2/%3#%4")
                     .replace("%1", QByteArray::number(qulonglong(begin)))
                     .replace("%2", QByteArray::number(qulonglong(end)))
                     .replace("%3", QByteArray::number(qulonglong(m_drawCount)))
                     .replace("%4", QByteArray::number(qulonglong(m_generation)));
}

ConjunctionShareTask FilterEngine::taskFor(size_t begin, size_t end) const
{
    const NumberTable &numbers = NumberTable::of(digitCount(m_set.part));
    const Together t = together();
    ConjunctionShareTask task;
    task.m_key = togetherKey(begin, end);
    task.m_begin = begin;
    task.m_end = end;
    task.m_part = m_set.part;
    Bitset candidates(numbers.size());
    candidates.fill();
    bool positionFree = true;
    task.m_repeatAllowed = ~uint64_t(0);
    for (const Entry *e : t.entries) {
        const CompiledCondition &c = *e->compiled;
        if (isRepeat(c)) {
            task.m_hasRepeat = true;
            task.m_repeatAllowed &= c.allowed;
        } else if (isOmission(c)) {
            const auto &digits = table().packedDigits();
            task.m_marked.push_back(
                {c.allowed,
                 e->track->cursorAt(table(), begin),
                 {digits.begin() + ptrdiff_t(begin), digits.begin() + ptrdiff_t(end)}});
            positionFree = positionFree && !c.atPositions;
        } else {
            candidates &= e->numbers;
        }
    }
    task.m_passes = t.passes(begin, end);
    if (positionFree) {
        // Every dependent condition sees only the multiset: one item per multiset will do.
        std::vector<uint32_t> orderings(numbers.multisetCount(), 0);
        candidates.forEach([&](size_t n) { ++orderings[numbers.multiset(uint32_t(n))]; });
        for (uint32_t m = 0; m < numbers.multisetCount(); ++m) {
            if (orderings[m]) {
                task.m_items.push_back(numbers.canonical(m));
                task.m_weights.push_back(orderings[m]);
            }
        }
    } else {
        task.m_items.reserve(candidates.count());
        candidates.forEach([&](size_t n) { task.m_items.push_back(uint32_t(n)); });
    }
    if (task.m_hasRepeat) {
        const auto &multisets = table().multisets();
        task.m_firstHasNone = begin == 0;
        task.m_before.assign(multisets.begin() + ptrdiff_t(task.m_firstHasNone ? 0 : begin - 1),
                             multisets.begin() + ptrdiff_t(end - 1));
    }
    return task;
}

RecordTable FilterEngine::records(size_t lastDraws) const
{
    const auto [begin, end] = windowOf(lastDraws);
    const auto draws = int64_t(end - begin);
    RecordTable out;
    out.begin = begin;
    out.end = end;
    for (const Entry &e : m_entries) {
        if (!e.compiled) {
            out.conditions.emplace_back();
            continue;
        }
        out.conditions.push_back(
            Record::of(draws, int64_t(e.draws.count(begin, end)), shareOf(e, begin, end)));
    }

    const Together t = together();
    if (!t.dependent || draws == 0) {
        out.together = Record::of(draws, t.passes(begin, end),
                                  double(remaining().count()) / double(partSize(m_set.part)));
        return out;
    }
    const QByteArray key = togetherKey(begin, end);
    for (const KnownTogether &known : m_known) {
        if (known.key == key) {
            out.together = known.record;
            return out;
        }
    }
    if (togetherWork(begin, end) > m_synchronousWork) {
        out.together = Record::pendingOf(draws, t.passes(begin, end));
        return out;
    }
    const Record record = *taskFor(begin, end).run();
    m_known.push_back({key, record});
    if (m_known.size() > kKnownTogether)
        m_known.erase(m_known.begin());
    out.together = record;
    return out;
}

uint64_t FilterEngine::togetherWork(size_t begin, size_t end) const
{
    // As conjunctionTotal() counts it, from the sizes alone: making the task copies a lot.
    bool omission = false;
    bool repeat = false;
    bool positionFree = true;
    std::optional<Bitset> candidates;
    for (const Entry *e : together().entries) {
        const CompiledCondition &c = *e->compiled;
        repeat = repeat || isRepeat(c);
        if (isOmission(c)) {
            omission = true;
            positionFree = positionFree && !c.atPositions;
        } else if (!isRepeat(c)) {
            if (!candidates)
                candidates = e->numbers;
            else
                *candidates &= e->numbers;
        }
    }
    if (!omission)
        return 0;
    uint64_t items = candidates ? candidates->count() : partSize(m_set.part);
    if (positionFree)
        items = std::min<uint64_t>(items, NumberTable::of(digitCount(m_set.part)).multisetCount());
    return (items + (repeat ? 2000 : 0)) * ((end - begin + 63) / 64);
}

std::optional<ConjunctionShareTask> FilterEngine::conjunctionTask(size_t lastDraws) const
{
    const auto [begin, end] = windowOf(lastDraws);
    if (!together().dependent || begin == end || togetherWork(begin, end) <= m_synchronousWork)
        return std::nullopt;
    const QByteArray key = togetherKey(begin, end);
    if (std::any_of(m_known.begin(), m_known.end(), [&](const auto &k) { return k.key == key; }))
        return std::nullopt;
    return taskFor(begin, end);
}

void FilterEngine::acceptConjunction(const ConjunctionShareTask &task, const Record &record)
{
    if (task.key() != togetherKey(task.begin(), task.end()))
        return;
    m_known.push_back({task.key(), record});
    if (m_known.size() > kKnownTogether)
        m_known.erase(m_known.begin());
}

} // namespace quorlent::filter
