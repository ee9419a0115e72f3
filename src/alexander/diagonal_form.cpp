#include "alexander/diagonal_form.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace quarvel {
namespace {

constexpr int32_t kStatusLineFrom = 21;  // smaller matrices show no status
constexpr int32_t kStatusInterval = 70;

struct Pivot {
  int32_t row = -1;
  int32_t column = -1;
  bool rowFirst = false;  // its row holds no more nonzeros than its column
};

// The matrix with the rows and columns not yet finished.
class LaurentMatrix {
 public:
  LaurentMatrix(std::vector<LaurentEntry> entries, int32_t rows, int32_t columns, const PrimeField& field)
      : entries_(std::move(entries)), columns_(columns), field_(field) {
    for (int32_t r = 0; r < rows; ++r) activeRows_.push_back(r);
    for (int32_t c = 0; c < columns; ++c) activeColumns_.push_back(c);
  }

  LaurentEntry& At(int32_t r, int32_t c) { return entries_[static_cast<size_t>(r) * columns_ + c]; }

  // The pivot of least span, ties to the least estimated work; none when all is zero. Also counts
  // the bytes the active entries hold and raises peakSpan to the largest span among them.
  Pivot ChoosePivot(size_t& bytes, int32_t& peakSpan) {
    CountActiveEntries(bytes, peakSpan);
    Pivot pivot;
    int64_t leastCost = std::numeric_limits<int64_t>::max();
    for (const auto& [i, j] : candidates_) {
      const int64_t weight = At(activeRows_[i], activeColumns_[j]).Span() + 1;
      const int64_t cost =
          (rowWeight_[i] - weight) * (inColumn_[j] - 1) + (columnWeight_[j] - weight) * (inRow_[i] - 1);
      if (cost < leastCost) {
        leastCost = cost;
        pivot = {activeRows_[i], activeColumns_[j], inRow_[i] <= inColumn_[j]};
      }
    }
    return pivot;
  }

  // Reduces the pivot's shorter line (row or column) by operations on the other lines, then, when
  // no remainder is left in it, the other line. True when the pivot ends alone in its row and
  // column; then it leaves the active part. Otherwise a remainder of smaller span is left, which
  // the next pivot will be no larger than.
  bool Eliminate(Pivot pivot) {
    if (pivot.rowFirst) {
      ReduceRow(pivot);
      if (!RowIsClear(pivot)) return false;
      ReduceColumn(pivot);
    } else {
      ReduceColumn(pivot);
      if (!ColumnIsClear(pivot)) return false;
      ReduceRow(pivot);
    }
    if (!RowIsClear(pivot) || !ColumnIsClear(pivot)) return false;
    std::erase(activeRows_, pivot.row);
    std::erase(activeColumns_, pivot.column);
    return true;
  }

 private:
  // Row operations: every other entry of the pivot's column becomes a remainder of smaller span.
  void ReduceColumn(Pivot pivot) {
    std::vector<int32_t> others;  // the pivot row's other nonzero columns
    for (int32_t c : activeColumns_) {
      if (c != pivot.column && !At(pivot.row, c).IsZero()) others.push_back(c);
    }
    for (int32_t r : activeRows_) {
      if (r == pivot.row) continue;
      const std::vector<ShiftedMultiple>& quotient = Divide(pivot, At(r, pivot.column));
      for (int32_t c : others) At(r, c).AddMultiples(At(pivot.row, c), quotient);
    }
  }

  // Column operations: every other entry of the pivot's row becomes a remainder of smaller span.
  void ReduceRow(Pivot pivot) {
    std::vector<int32_t> others;  // the pivot column's other nonzero rows
    for (int32_t r : activeRows_) {
      if (r != pivot.row && !At(r, pivot.column).IsZero()) others.push_back(r);
    }
    for (int32_t c : activeColumns_) {
      if (c == pivot.column) continue;
      const std::vector<ShiftedMultiple>& quotient = Divide(pivot, At(pivot.row, c));
      for (int32_t r : others) At(r, c).AddMultiples(At(r, pivot.column), quotient);
    }
  }

  // One pass over the active entries: their nonzeros and spans + 1 per active row and column, the
  // positions of least span (in row order) as candidates, the bytes they hold, the largest span.
  void CountActiveEntries(size_t& bytes, int32_t& peakSpan) {
    inRow_.assign(activeRows_.size(), 0);
    inColumn_.assign(activeColumns_.size(), 0);
    rowWeight_.assign(activeRows_.size(), 0);
    columnWeight_.assign(activeColumns_.size(), 0);
    candidates_.clear();
    int32_t leastSpan = std::numeric_limits<int32_t>::max();
    bytes = 0;
    for (size_t i = 0; i < activeRows_.size(); ++i) {
      const LaurentEntry* row =
          entries_.data() + static_cast<size_t>(activeRows_[i]) * columns_;  // none when no columns
      for (size_t j = 0; j < activeColumns_.size(); ++j) {
        const LaurentEntry& entry = row[activeColumns_[j]];
        bytes += entry.BufferBytes();
        const int32_t span = entry.Span();
        if (span < 0) continue;
        ++inRow_[i];
        ++inColumn_[j];
        rowWeight_[i] += span + 1;
        columnWeight_[j] += span + 1;
        peakSpan = std::max(peakSpan, span);
        if (span > leastSpan) continue;
        if (span < leastSpan) {
          leastSpan = span;
          candidates_.clear();
        }
        candidates_.emplace_back(i, j);
      }
    }
  }

  bool RowIsClear(Pivot pivot) {
    return std::ranges::all_of(activeColumns_,
                               [&](int32_t c) { return c == pivot.column || At(pivot.row, c).IsZero(); });
  }

  bool ColumnIsClear(Pivot pivot) {
    return std::ranges::all_of(activeRows_,
                               [&](int32_t r) { return r == pivot.row || At(r, pivot.column).IsZero(); });
  }

  // Reduces f by the pivot g: while its span is at least g's, subtracts the multiple c t^shift of g
  // that kills f's end term lying further outside g's exponents. Returns those multiples
  // (factor -c mod p), which the rest of f's row or column is to receive too.
  const std::vector<ShiftedMultiple>& Divide(Pivot pivot, LaurentEntry& f) {
    const LaurentEntry& g = At(pivot.row, pivot.column);
    const uint32_t p = static_cast<uint32_t>(field_.currentPrime);
    quotient_.clear();
    if (g.Span() == 0) return DivideByMonomial(g, f);
    while (!f.IsZero() && f.Span() >= g.Span()) {
      const int32_t aboveTop = f.High() - g.High();
      const int32_t belowBottom = g.Low() - f.Low();
      const bool top = aboveTop >= belowBottom;
      const uint32_t lead = top ? f.HighestCoefficient() : f.LowestCoefficient();
      const uint32_t pivotLead = top ? g.HighestCoefficient() : g.LowestCoefficient();
      const uint32_t quotient =
          lead * static_cast<uint8_t>(InverseModP(field_, static_cast<Residue>(pivotLead))) % p;
      quotient_.push_back({MultiplyAddModP(p, p - quotient), top ? aboveTop : f.Low() - g.Low()});
      f.AddMultiple(g, quotient_.back().multiplyAdd, quotient_.back().shift);
    }
    return quotient_;
  }

  // Divide for a pivot c t^a: the quotient is f / (c t^a), term by term, and f becomes zero.
  const std::vector<ShiftedMultiple>& DivideByMonomial(const LaurentEntry& g, LaurentEntry& f) {
    const uint32_t p = static_cast<uint32_t>(field_.currentPrime);
    const uint32_t inverse =
        static_cast<uint8_t>(InverseModP(field_, static_cast<Residue>(g.LowestCoefficient())));
    const std::span<const uint8_t> terms = f.Coefficients();
    for (size_t i = 0; i < terms.size(); ++i) {
      if (terms[i] == 0) continue;
      const uint32_t quotient = terms[i] * inverse % p;
      quotient_.push_back({MultiplyAddModP(p, p - quotient), f.Low() + static_cast<int32_t>(i) - g.Low()});
    }
    f.Clear();
    return quotient_;
  }

  std::vector<LaurentEntry> entries_;
  int32_t columns_;
  const PrimeField& field_;
  std::vector<int32_t> activeRows_;
  std::vector<int32_t> activeColumns_;
  std::vector<ShiftedMultiple> quotient_;  // Divide's result
  // CountActiveEntries' results, indexed by position in activeRows_ and activeColumns_.
  std::vector<int64_t> inRow_;
  std::vector<int64_t> inColumn_;
  std::vector<int64_t> rowWeight_;
  std::vector<int64_t> columnWeight_;
  std::vector<std::pair<size_t, size_t>> candidates_;
};

struct StatusLine {
  int32_t counter = 1000;
  bool stillGoingOn = false;
};

void ShowStatus(ReductionProgress& progress, StatusLine& status, int32_t position, int32_t positions) {
  if (status.counter <= kStatusInterval) {
    ++status.counter;
    return;
  }
  status.counter = 0;
  progress.Status(position, positions, status.stillGoingOn);
  status.stillGoingOn = !status.stillGoingOn;
}

// True when the run asks to stop, also once a pause has been waited out.
bool StopRequestedAfterPause(RunControl& control) {
  if (control.StopRequested()) return true;
  if (control.Paused()) control.KeepWindowAlive();
  return control.StopRequested();
}

}  // namespace

DiagonalForm DiagonaliseLaurent(std::vector<LaurentEntry> entries, int32_t rows, int32_t columns,
                                const PrimeField& field, size_t byteCeiling, RunControl& control,
                                ReductionProgress& progress) {
  DiagonalForm form;
  LaurentMatrix matrix(std::move(entries), rows, columns, field);
  const int32_t positions = std::min(rows, columns);
  StatusLine status;
  while (true) {
    size_t bytes = 0;
    const Pivot pivot = matrix.ChoosePivot(bytes, form.peakSpan);
    if (byteCeiling != 0 && bytes > byteCeiling) {
      form.end = ReductionEnd::failed;
      return form;
    }
    if (pivot.row < 0) break;
    if (StopRequestedAfterPause(control)) {
      form.end = ReductionEnd::stopped;
      return form;
    }
    if (positions >= kStatusLineFrom) {
      ShowStatus(progress, status, static_cast<int32_t>(form.diagonal.size()) + 1, positions);
    }
    control.PumpMessages();
    if (matrix.Eliminate(pivot)) form.diagonal.push_back(matrix.At(pivot.row, pivot.column));
  }
  if (positions >= kStatusLineFrom) progress.Clear();
  form.end = ReductionEnd::complete;
  return form;
}

}  // namespace quarvel
