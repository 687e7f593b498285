#include "RunChance.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quorlent::plan {

namespace {

// The chain: `states` = categories × (length - 1) run states and one absorbing state. When all
// categories are equally likely the category does not matter and one row of run states will do.
struct Chain
{
    int categories = 1;
    int64_t runs = 0;         // run lengths 1 .. length - 1
    std::vector<double> stay; // by category: the next draw continues the run
    // switchTo[c * categories + d]: the next draw starts a run of d after a run of c.
    std::vector<double> switchTo;
    std::vector<double> start; // by category: the first draw

    size_t states() const { return size_t(categories * runs + 1); }
    size_t index(int c, int64_t run) const { return size_t(c * runs + run - 1); }
    size_t absorbed() const { return states() - 1; }
};

Chain chainOf(const std::vector<double> &p, int64_t length)
{
    Chain chain;
    chain.runs = length - 1;
    const bool equal =
        std::all_of(p.begin(), p.end(), [&](double q) { return std::abs(q - p.front()) < 1e-15; });
    if (equal) {
        chain.categories = 1;
        chain.stay = {p.front()};
        chain.switchTo = {1.0 - p.front()};
        chain.start = {1.0};
        return chain;
    }
    chain.categories = int(p.size());
    chain.stay = p;
    chain.start = p;
    chain.switchTo.assign(p.size() * p.size(), 0.0);
    for (size_t c = 0; c < p.size(); ++c) {
        for (size_t d = 0; d < p.size(); ++d) {
            if (c != d)
                chain.switchTo[c * p.size() + d] = p[d];
        }
    }
    return chain;
}

std::vector<double> initial(const Chain &chain)
{
    std::vector<double> v(chain.states(), 0.0);
    for (int c = 0; c < chain.categories; ++c)
        v[chain.index(c, 1)] = chain.start[size_t(c)];
    return v;
}

// One draw more: from the probabilities of the states to those after the next draw.
void step(const Chain &chain, const std::vector<double> &from, std::vector<double> &to)
{
    std::fill(to.begin(), to.end(), 0.0);
    to[chain.absorbed()] = from[chain.absorbed()];
    const int k = chain.categories;
    for (int c = 0; c < k; ++c) {
        double total = 0;
        for (int64_t r = 1; r <= chain.runs; ++r) {
            const double mass = from[chain.index(c, r)];
            total += mass;
            if (r + 1 <= chain.runs)
                to[chain.index(c, r + 1)] += mass * chain.stay[size_t(c)];
            else
                to[chain.absorbed()] += mass * chain.stay[size_t(c)];
        }
        for (int d = 0; d < k; ++d)
            to[chain.index(d, 1)] += total * chain.switchTo[size_t(c * k + d)];
    }
}

using Matrix = std::vector<double>; // row-major, states × states

Matrix matrixOf(const Chain &chain)
{
    const size_t n = chain.states();
    Matrix m(n * n, 0.0);
    std::vector<double> unit(n, 0.0), row(n);
    for (size_t i = 0; i < n; ++i) {
        std::fill(unit.begin(), unit.end(), 0.0);
        unit[i] = 1.0;
        step(chain, unit, row);
        std::copy(row.begin(), row.end(), m.begin() + std::ptrdiff_t(i * n));
    }
    return m;
}

Matrix multiply(const Matrix &a, const Matrix &b, size_t n)
{
    Matrix c(n * n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        for (size_t k = 0; k < n; ++k) {
            const double aik = a[i * n + k];
            if (aik == 0)
                continue;
            const double *bk = &b[k * n];
            double *ci = &c[i * n];
            for (size_t j = 0; j < n; ++j)
                ci[j] += aik * bk[j];
        }
    }
    return c;
}

std::vector<double> apply(const std::vector<double> &v, const Matrix &m, size_t n)
{
    std::vector<double> out(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        if (v[i] == 0)
            continue;
        for (size_t j = 0; j < n; ++j)
            out[j] += v[i] * m[i * n + j];
    }
    return out;
}

} // namespace

double runChanceStepwise(const std::vector<double> &p, int64_t length, int64_t draws)
{
    if (draws <= 0 || p.empty())
        return 0.0;
    if (length <= 1)
        return 1.0;
    if (length > draws)
        return 0.0;
    const Chain chain = chainOf(p, length);
    std::vector<double> v = initial(chain), next(chain.states());
    for (int64_t i = 1; i < draws; ++i) {
        step(chain, v, next);
        v.swap(next);
    }
    return std::min(1.0, v[chain.absorbed()]);
}

double runChance(const std::vector<double> &p, int64_t length, int64_t draws)
{
    if (draws <= 0 || p.empty())
        return 0.0;
    if (length <= 1)
        return 1.0;
    if (length > draws)
        return 0.0;
    const Chain chain = chainOf(p, length);
    const auto n = double(chain.states());
    const double squaring = n * n * n * 2 * std::log2(double(draws));
    const double stepwise = n * double(chain.categories) * double(draws);
    if (stepwise <= squaring)
        return runChanceStepwise(p, length, draws);

    const size_t size = chain.states();
    std::vector<double> v = initial(chain);
    Matrix power = matrixOf(chain);
    for (int64_t e = draws - 1; e > 0; e >>= 1) {
        if (e & 1)
            v = apply(v, power, size);
        if (e > 1)
            power = multiply(power, power, size);
    }
    return std::min(1.0, v[chain.absorbed()]);
}

} // namespace quorlent::plan
