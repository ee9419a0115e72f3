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
    std::vector<int64_t> inRow(activeRows_.size(), 0);
    std::vector<int64_t> inColumn(activeColumns_.size(), 0);
    std::vector<int64_t> rowWeight(activeRows_.size(), 0);
    std::vector<int64_t> columnWeight(activeColumns_.size(), 0);
    int32_t leastSpan = std::numeric_limits<int32_t>::max();
    bytes = 0;
    for (size_t i = 0; i < activeRows_.size(); ++i) {
      for (size_t j = 0; j < activeColumns_.size(); ++j) {
        const LaurentEntry& entry = At(activeRows_[i], activeColumns_[j]);
        bytes += entry.BufferBytes();
        if (entry.IsZero()) continue;
        ++inRow[i];
        ++inColumn[j];
        rowWeight[i] += entry.Span() + 1;
        columnWeight[j] += entry.Span() + 1;
        leastSpan = std::min(leastSpan, entry.Span());
        peakSpan = std::max(peakSpan, entry.Span());
      }
    }
    Pivot pivot;
    int64_t leastCost = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < activeRows_.size(); ++i) {
      for (size_t j = 0; j < activeColumns_.size(); ++j) {
        const LaurentEntry& entry = At(activeRows_[i], activeColumns_[j]);
        if (entry.IsZero() || entry.Span() != leastSpan) continue;
        const int64_t cost = (rowWeight[i] - leastSpan - 1) * (inColumn[j] - 1) +
                             (columnWeight[j] - leastSpan - 1) * (inRow[i] - 1);
        if (cost < leastCost) {
          leastCost = cost;
          pivot = {activeRows_[i], activeColumns_[j]};
        }
      }
    }
    return pivot;
  }

  // Row operations: every other entry of the pivot's column becomes a remainder of smaller span.
  void ReduceColumn(Pivot pivot) {
    std::vector<int32_t> sources;  // the pivot row's nonzero columns
    for (int32_t c : activeColumns_) {
      if (!At(pivot.row, c).IsZero()) sources.push_back(c);
    }
    for (int32_t r : activeRows_) {
      if (r == pivot.row) continue;
      Divide(pivot, r, pivot.column, [&](uint32_t factor, int32_t shift) {
        const MultiplyAddModP multiplyAdd(field_.currentPrime, factor);
        for (int32_t c : sources) At(r, c).AddMultiple(At(pivot.row, c), multiplyAdd, shift);
      });
    }
  }

  // Column operations: every other entry of the pivot's row becomes a remainder of smaller span.
  void ReduceRow(Pivot pivot) {
    std::vector<int32_t> sources;  // the pivot column's nonzero rows
    for (int32_t r : activeRows_) {
      if (!At(r, pivot.column).IsZero()) sources.push_back(r);
    }
    for (int32_t c : activeColumns_) {
      if (c == pivot.column) continue;
      Divide(pivot, pivot.row, c, [&](uint32_t factor, int32_t shift) {
        const MultiplyAddModP multiplyAdd(field_.currentPrime, factor);
        for (int32_t r : sources) At(r, c).AddMultiple(At(r, pivot.column), multiplyAdd, shift);
      });
    }
  }

  // True when the pivot is alone in its row and column; then it leaves the active part.
  bool Retire(Pivot pivot) {
    for (int32_t r : activeRows_) {
      if (r != pivot.row && !At(r, pivot.column).IsZero()) return false;
    }
    for (int32_t c : activeColumns_) {
      if (c != pivot.column && !At(pivot.row, c).IsZero()) return false;
    }
    std::erase(activeRows_, pivot.row);
    std::erase(activeColumns_, pivot.column);
    return true;
  }

 private:
  // Reduces entry (r, c) by the pivot: while its span is at least the pivot's, subtracts the
  // multiple c t^shift of the pivot that kills its end term lying further outside the pivot's
  // exponents, through `subtract(factor, shift)`, which applies factor t^shift times the pivot's
  // row or column (factor = -c mod p).
  template <typename Subtract>
  void Divide(Pivot pivot, int32_t r, int32_t c, const Subtract& subtract) {
    const LaurentEntry& g = At(pivot.row, pivot.column);
    const uint32_t p = static_cast<uint32_t>(field_.currentPrime);
    for (LaurentEntry& f = At(r, c); !f.IsZero() && f.Span() >= g.Span();) {
      const int32_t aboveTop = f.High() - g.High();
      const int32_t belowBottom = g.Low() - f.Low();
      const bool top = aboveTop >= belowBottom;
      const uint32_t lead = top ? f.HighestCoefficient() : f.LowestCoefficient();
      const uint32_t pivotLead = top ? g.HighestCoefficient() : g.LowestCoefficient();
      const uint32_t quotient =
          lead * static_cast<uint8_t>(InverseModP(field_, static_cast<Residue>(pivotLead))) % p;
      subtract(p - quotient, top ? aboveTop : f.Low() - g.Low());
    }
  }

  std::vector<LaurentEntry> entries_;
  int32_t columns_;
  const PrimeField& field_;
  std::vector<int32_t> activeRows_;
  std::vector<int32_t> activeColumns_;
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
    matrix.ReduceColumn(pivot);
    matrix.ReduceRow(pivot);
    if (matrix.Retire(pivot)) form.diagonal.push_back(matrix.At(pivot.row, pivot.column));
  }
  if (positions >= kStatusLineFrom) progress.Clear();
  form.end = ReductionEnd::complete;
  return form;
}

}  // namespace quarvel
