#include "front/main_window_options.h"

namespace quarvel {
namespace {

constexpr int kAbelianItem = 4;
constexpr int kPermutationGroupItem = 5;
constexpr int kMetabelianItem = 6;

std::vector<std::string> NumberEntries(int first, int last) {
  std::vector<std::string> entries;
  for (int n = first; n <= last; ++n) entries.push_back(std::to_string(n));
  return entries;
}

}  // namespace

MainWindowOptions DefaultMainWindowOptions() {
  MainWindowOptions options;
  options.fieldtype = 5;  // F_13
  options.imagesizebox = 1;
  options.fastbox = 1;  // low
  options.savetype = 1;
  options.fieldtypeIsotopy = 5;
  options.reptypeIsotopy = 5;  // S_5
  options.nonabelian = 1;
  options.fastboxIsotopy = 1;  // Medium
  options.savetypeIsotopy = 1;
  reptypeChange(options, 0);
  fiberedboxChange(options, 0);
  return options;
}

void reptypeChange(MainWindowOptions& options, int item) {
  options.reptype = item;
  options.fiberedboxVisible = true;
  options.sizeListVisible = true;
  if (item == kAbelianItem) {
    options.sizeListVisible = false;
    options.fiberedboxVisible = false;
  } else if (item == kPermutationGroupItem) {
    options.sizeLabel = "Permutation group on k elements";
    options.sizeEntries = NumberEntries(3, 7);
  } else if (item == kMetabelianItem) {
    options.sizeLabel = "Maximal size of representation";
    options.sizeEntries = NumberEntries(2, 25);
  } else {
    options.sizeLabel = "Dimension k of representation";
    options.sizeEntries = NumberEntries(3, 10);
  }
  bool keepPosition = item < kPermutationGroupItem && options.previousReptype < kPermutationGroupItem;
  if (!keepPosition) options.sizebox = 0;
  options.previousReptype = item;
}

void fiberedboxChange(MainWindowOptions& options, int item) {
  options.fiberedbox = item;
  options.fieldGroupVisible = item == 1;
  if (item != 1) return;
  for (int f = 1; f <= kSelectableFields; ++f) {
    if (options.fieldChecked[f]) return;
  }
  for (int f = 1; f <= kSelectableFields; ++f) options.fieldChecked[f] = true;
}

void fieldCheckBoxClick(MainWindowOptions& options, int field) {
  options.fieldChecked[field] = !options.fieldChecked[field];
}

}  // namespace quarvel
