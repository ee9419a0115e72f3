#pragma once
// The values every computing stage reads. Start fills them from the main window's options and a
// run only reads them: the values a run moves (the degree k, the group type of a braid, the caps,
// the prime of a field comparison, the list mode) start from these and live in the run state.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/option_codes.h"

namespace quarvel {

inline constexpr int kPrimeTableSize = 20;
inline constexpr int kSelectableFields = 10;
inline constexpr int32_t kInitialDegreeCap = 60;

// Half of the machine's physical memory; 4 GiB where the system does not tell.
size_t DefaultMemoryCeilingBytes();

struct RunSettings {
  std::array<int32_t, kPrimeTableSize + 1> primeTable{};  // 1-based
  int32_t currentPrime = 0;                               // the prime of the chosen field
  int32_t simplifyEffort = 0;
  int64_t degreeK = 0;  // the size the norm run starts from
  int32_t metabelianMaxOrder = 0;
  RepFamily repFamily = RepFamily::permutation;
  bool reducedPermutationRep = false;
  bool alternatingOnly = false;
  bool permutationGroupOnly = false;
  bool metabelianRep = false;
  bool compareFields = false;                               // never with the abelian family
  std::array<bool, kSelectableFields + 1> fieldSelected{};  // 1-based: F_2, F_3, ..., F_29
  bool determineImageSize = false;
  StopCondition stopCondition = StopCondition::never;
  SaveMode saveMode = SaveMode::results;
  MatrixSaveMode matrixSaveMode = MatrixSaveMode::none;
  bool zeroSurgery = false;
  GroupType groupType = GroupType::knot;
  int32_t degreeCap = 0;  // before each knot's presentation lowers it
  bool writeKnotFiles = false;
  bool keepTorsionSwitch = false;
  bool torsionProduct = false;
  SaveMode isotopySaveMode = SaveMode::results;
  std::string isotopyGroup;
  bool allHomomorphisms = false;
  std::string inputDirectory;  // up to and including the last path separator
  std::string inputName;
  // The caller knows the picked file to be a knot list (a worker of a parallel list run, whose
  // one-knot list may begin with a line that the detection would not take for a knot).
  bool knownKnotList = false;
  // Where the run's report, matrix, GAP and knot files go, up to and including the last path
  // separator; empty: reports in the working directory, knot files beside the input.
  std::string outputDirectory;
  bool normMode = true;
  bool isotopyMode = false;
  // The bytes the matrix store with the reduction's work space, and the homomorphism store, may
  // hold; past it the run fails with "Out of memory".
  size_t memoryCeilingBytes = DefaultMemoryCeilingBytes();

  friend bool operator==(const RunSettings&, const RunSettings&) = default;
};

// 2, 3, 5, ..., 71 at positions 1..20.
void FillPrimeTable(RunSettings& settings);

}  // namespace quarvel
