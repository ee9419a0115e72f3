#pragma once
// The status line of the representation search on panel 1 at y = 7, in columns x0..x3
// (permutation 0, 150, 400, 700; metabelian 280, 400, 570, 800; abelian 0, 200, 400, 700, chosen
// by the run's kind even in the trivial pass): the group at x0 + 7 (metabelian and abelian at
// x = 7), "Number of generators in presentation: " at x1 + 7, the attempts at x2 + 7 (shown as the
// number of tries, 100 per attempt). A raise of the degree also blanks 40 lines of the output panel.

#include <cstdint>
#include <string>

#include "reps/find_representation.h"
#include "run/workbench.h"

namespace quarvel {

class SearchStatusLine : public SearchProgress {
 public:
  explicit SearchStatusLine(Workbench& workbench);

  void GroupStarted(const SearchedGroup& group) override;
  void DegreeRaised(const SearchedGroup& group) override;
  void Attempts(int64_t tries) override;
  void AbelianDraws(int64_t draws) override;

 private:
  struct Columns {
    int x0;
    int x1;
    int x2;
  };
  void WriteGroupName(const SearchedGroup& group);
  void ShowAttempts(int x, int64_t shown, int blanks);

  Workbench& wb_;
  Columns columns_;
};

// The number with a comma before each group of three digits from the right, for the thousands and
// the millions: 1234567 gives "1,234,567"; 1234567890 gives "1234,567,890".
std::string WithThousandsCommas(int64_t value);

}  // namespace quarvel
