#pragma once
// The values every computing stage reads. Start fills them from the main window's options; the
// drivers change the few that the run itself moves (degree k, the degree cap, list mode).

#include <array>
#include <cstdint>
#include <string>

namespace quarvel {

inline constexpr int kPrimeTableSize = 20;
inline constexpr int kSelectableFields = 10;
inline constexpr int32_t kInitialDegreeCap = 60;

enum RepFamily : int32_t { kPermutationFamily = 0, kMetabelianFamily = 1, kAbelianFamily = 2 };

struct RunSettings {
  std::array<int32_t, kPrimeTableSize + 1> primeTable{};  // 1-based
  int32_t currentPrime = 0;
  int32_t simplifyEffort = 0;
  int64_t degreeK = 0;
  int32_t metabelianMaxOrder = 0;
  int32_t repFamily = kPermutationFamily;
  bool reducedPermutationRep = false;
  bool alternatingOnly = false;
  bool permutationGroupOnly = false;
  bool metabelianRep = false;
  bool compareFields = false;
  std::array<bool, kSelectableFields + 1> fieldSelected{};  // 1-based: F_2, F_3, ..., F_29
  bool determineImageSize = false;
  int32_t stopCondition = 0;
  int32_t saveMode = 0;
  int32_t matrixSaveMode = 0;
  bool zeroSurgery = false;
  int32_t groupType = 0;
  int32_t degreeCap = 0;
  bool writeKnotFiles = false;
  bool listMode = false;
  bool keepTorsionSwitch = false;
  bool torsionProduct = false;
  int32_t isotopySaveMode = 0;
  std::string isotopyGroup;
  bool allHomomorphisms = false;
  std::string inputDirectory;  // up to and including the last path separator
  std::string inputName;
  bool normMode = true;
  bool isotopyMode = false;
};

// 2, 3, 5, ..., 71 at positions 1..20.
void FillPrimeTable(RunSettings& settings);

}  // namespace quarvel
