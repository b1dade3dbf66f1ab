#pragma once
// A view of the values of a function symmetric in its two arguments, f(i, j) = f(j, i),
// for i and j in [first, first + n): only the triangle i <= j is stored, row by row.

#include <cstddef>
#include <cstdint>

namespace wavory {

class PairTable {
  public:
    PairTable() = default;
    // `values` holds entries(n) doubles.
    PairTable(std::int64_t first, std::int64_t n, double* values)
        : first_(first), n_(n), values_(values) {}

    static std::size_t entries(std::int64_t n) {
        return static_cast<std::size_t>(n) * static_cast<std::size_t>(n + 1) / 2;
    }

    bool covers(std::int64_t i) const { return i >= first_ && i - first_ < n_; }
    std::int64_t first() const { return first_; }
    std::int64_t size() const { return n_; }

    // The values f(i, j) for j = i ... first + n - 1.
    double* row(std::int64_t i) const { return values_ + offset(i - first_); }
    // f(i, j) for any i, j the table covers.
    double at(std::int64_t i, std::int64_t j) const {
        return i <= j ? row(i)[j - i] : row(j)[i - j];
    }

  private:
    // Row r follows rows 0 .. r - 1 of n, n - 1, ... values: r n - r (r - 1) / 2.
    std::size_t offset(std::int64_t r) const {
        const auto k = static_cast<std::size_t>(r);
        return k * static_cast<std::size_t>(n_) - k * (k + 1) / 2 + k;
    }

    std::int64_t first_ = 0;
    std::int64_t n_ = 0;
    double* values_ = nullptr;
};

} // namespace wavory
