#include "reps/find_representation.h"

#include <algorithm>
#include <string_view>

#include "reps/image_state.h"
#include "reps/permutation_group.h"
#include "reps/representation_matrices.h"
#include "run/show_representation.h"

namespace quarvel {
namespace {

enum class SearchKind { trivial, permutation, metabelian };

// Positions of the status line's columns on panel 1; the search itself writes nothing at x3.
struct StatusColumns {
  int x0;
  int x1;
  int x2;
  int x3;
};

constexpr StatusColumns kPermutationColumns{0, 150, 400, 700};
constexpr StatusColumns kMetabelianColumns{280, 400, 570, 800};
constexpr StatusColumns kAbelianColumns{0, 200, 400, 700};

constexpr int kColumnMargin = 7;
constexpr int kSubscriptY = 13;
constexpr int kSymmetricSubscriptOffset = 106;
constexpr int kAlternatingSubscriptOffset = 108;
constexpr int kAttemptsBlanks = 10;
constexpr int kAbelianAttemptsBlanks = 12;

constexpr int64_t kMetabelianTrivialLimit = 6;
constexpr int64_t kGroupsPerBoundStep = 4;
constexpr int32_t kLargestMetabelianBound = 60;

constexpr int64_t kAbelianDrawsPerPump = 1001;
constexpr int64_t kAbelianDrawsPerDisplay = 1000;

// The image whose regular representation is taken is found in S_k for k <= 7 only.
constexpr const char* kNoRegularImage =
    "The regular representation needs a non-abelian image in S_k, k <= 7: none was found";

// The lines blanked on the output panel when the degree grows.
constexpr int kEscalationBlankLines = 40;
constexpr int kEscalationBlankX = 10;
constexpr int kEscalationBlankY = 70;
constexpr int kEscalationBlankWidth = 241;

StatusColumns ColumnsFor(RepFamily repFamily) {
  if (repFamily == RepFamily::metabelian) return kMetabelianColumns;
  if (repFamily == RepFamily::abelian) return kAbelianColumns;
  return kPermutationColumns;
}

void WriteGroupName(Workbench& wb, SearchKind kind, const StatusColumns& columns) {
  const RunSettings& s = wb.settings;
  const Representation& rep = wb.representation;
  switch (kind) {
    case SearchKind::trivial:
      // The trivial pass precedes every abelian search, so the abelian kind is named here.
      if (s.repFamily == RepFamily::abelian)
        WriteText(wb.panels, kStatusPanel, kColumnMargin, kStatusLineY, "Abelian representations");
      return;
    case SearchKind::metabelian: {
      const std::string n = std::to_string(rep.metabelianN);
      const std::string l = std::to_string(rep.metabelianL);
      WriteText(wb.panels, kStatusPanel, kColumnMargin, kStatusLineY,
                "Metabelian group: Z/" + n + "xZ/" + l + " and 1 in Z/" + n + " acts by multiplication by " +
                    std::to_string(rep.metabelianZ) + " on Z/" + l);
      return;
    }
    case SearchKind::permutation: {
      // Beyond the tabulated degrees the search draws from S_k whatever alternatingOnly says.
      const bool alternating = s.alternatingOnly && wb.current.degreeK <= kMaxTabulatedDegree;
      WriteText(wb.panels, kStatusPanel, columns.x0 + kColumnMargin, kStatusLineY,
                alternating ? "Permutation group: A" : "Permutation group: S");
      const int offset = alternating ? kAlternatingSubscriptOffset : kSymmetricSubscriptOffset;
      WriteText(wb.panels, kStatusPanel, columns.x0 + offset, kSubscriptY,
                std::to_string(wb.current.degreeK));
      return;
    }
  }
}

void ShowAttempts(Workbench& wb, int x, int64_t shown, int blanks) {
  WriteText(wb.panels, kStatusPanel, x, kStatusLineY,
            "Attempts at finding representation: " + WithThousandsCommas(shown) + std::string(blanks, ' '));
}

// Candidate images for the surviving generators, in the order of generatorLetters; phi is
// `phiMultiple` times a primitive class.
void DrawCandidates(Workbench& wb, SearchKind kind, const ElementTable& table, int64_t k,
                    int64_t phiMultiple) {
  const Presentation& p = wb.presentation;
  Representation& rep = wb.representation;
  for (int64_t position = 1; position <= p.generatorCount; ++position) {
    const int32_t g = p.generatorLetters[position];
    GeneratorImage& image = rep.generators[g];
    if (kind == SearchKind::metabelian) {
      // The Z/2 part is phi_0 mod 2 for phi = d phi_0 with phi_0 primitive, so every candidate
      // composed with the projection is phi_0 mod 2 (phi mod 2 vanishes for an even d).
      const int32_t l = rep.metabelianL;
      const int32_t i = static_cast<int32_t>(((p.phi[g] / phiMultiple) % 2 + 2) % 2);
      const int32_t j = static_cast<int32_t>(RandomBelow(wb.random, static_cast<uint32_t>(l)));
      image.metabelianElement = l * i + j + 1;
      table.CopyRow(image.metabelianElement, image.image, image.inverseImage);
    } else if (kind == SearchKind::permutation && k <= kMaxTabulatedDegree) {
      const int32_t row =
          static_cast<int32_t>(RandomBelow(wb.random, static_cast<uint32_t>(table.Size()))) + 1;
      table.CopyRow(row, image.image, image.inverseImage);
    } else {
      RandomPermutation(wb.random, k, image.image, image.inverseImage);
    }
  }
}

// All surviving generators have one image on 1..k (with one generator, trivially so).
bool AllImagesEqual(const Workbench& wb, int64_t k) {
  const Presentation& p = wb.presentation;
  const Representation& rep = wb.representation;
  if (p.generatorCount < 2) return true;
  const Permutation& first = rep.generators[p.generatorLetters[1]].image;
  for (int64_t position = 2; position <= p.generatorCount; ++position) {
    const Permutation& other = rep.generators[p.generatorLetters[position]].image;
    if (!std::equal(first.begin() + 1, first.begin() + 1 + k, other.begin() + 1)) return false;
  }
  return true;
}

// Records name words in survivors and in generators eliminated later, hence last record first.
void ExtendToEliminatedGenerators(Workbench& wb, SearchKind kind, int64_t k) {
  Representation& rep = wb.representation;
  const std::vector<std::string>& records = wb.simplification.substitutionList;
  Permutation value{};
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (record->size() < 2) continue;
    GeneratorImage& eliminated = rep.generators[GeneratorOf((*record)[0])];
    EvaluateWord(rep, k, std::string_view(*record).substr(2), value);
    std::copy(value.begin() + 1, value.begin() + 1 + k, eliminated.image.begin() + 1);
    InvertPermutation(eliminated.image, k, eliminated.inverseImage);
    if (kind == SearchKind::metabelian)
      eliminated.metabelianElement = MetabelianElementOf(eliminated.image, rep.metabelianL);
  }
}

void BlankEscalationLines(Workbench& wb) {
  const std::string blanks(kEscalationBlankWidth, ' ');
  for (int i = 1; i <= kEscalationBlankLines; ++i) {
    WriteText(wb.panels, wb.run.outputPanel, kEscalationBlankX, kEscalationBlankY + 8 * (i - 1), blanks);
  }
}

ElementTable TableFor(const Workbench& wb, SearchKind kind) {
  const RunSettings& s = wb.settings;
  if (kind == SearchKind::metabelian) {
    return BuildMetabelianElements(wb.representation.metabelianL, wb.representation.metabelianZ);
  }
  if (kind == SearchKind::permutation && wb.current.degreeK <= kMaxTabulatedDegree) {
    return BuildElementTable(static_cast<int32_t>(wb.current.degreeK), s.alternatingOnly);
  }
  return ElementTable{};
}

Residue AbelianValue(const Workbench& wb, std::string_view word) {
  const Representation& rep = wb.representation;
  Residue value = 1;
  for (size_t at = 0; at + 1 < word.size(); at += 2) {
    Residue scalar = rep.generators[GeneratorOf(word[at + 1])].abelianScalar;
    if (word[at] == '-') scalar = InverseModP(wb.field, scalar);
    value = MultiplyModP(wb.field, value, scalar);
  }
  return value;
}

bool AbelianRelatorsHold(const Workbench& wb) {
  const Presentation& p = wb.presentation;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    if (AbelianValue(wb, p.relators[r]) != 1) return false;
  }
  return true;
}

bool AllScalarsOne(const Workbench& wb) {
  const Presentation& p = wb.presentation;
  for (int64_t position = 1; position <= p.generatorCount; ++position) {
    if (wb.representation.generators[p.generatorLetters[position]].abelianScalar != 1) return false;
  }
  return true;
}

}  // namespace

std::string WithThousandsCommas(int64_t value) {
  std::string text = std::to_string(value);
  const size_t digits = text.size();
  if (value >= 1000) text.insert(digits - 3, ",");
  if (value >= 1000000) text.insert(digits - 6, ",");
  return text;
}

bool RelatorsHold(const Workbench& wb, int64_t k) {
  const Presentation& p = wb.presentation;
  for (int64_t i = 1; i <= p.relatorCount; ++i) {
    if (!WordIsIdentity(wb.representation, k, p.relators[wb.simplification.relatorOrder[i]])) return false;
  }
  return true;
}

void FindRepresentation(Workbench& wb) {
  if (wb.failure.computationFailed) return;
  const RunSettings& s = wb.settings;
  const bool trivialPass = wb.run.trivialPass;
  if (s.repFamily == RepFamily::abelian && !trivialPass) {
    FindAbelianRepresentation(wb);
    return;
  }
  Representation& rep = wb.representation;
  for (GeneratorImage& g : rep.generators) g.abelianScalar = 1;
  const SearchKind kind = trivialPass                            ? SearchKind::trivial
                          : s.repFamily == RepFamily::metabelian ? SearchKind::metabelian
                                                                 : SearchKind::permutation;
  const StatusColumns columns = ColumnsFor(s.repFamily);
  int32_t bound = wb.run.metabelianMaxOrder;
  int64_t groupsGivenUp = 0;
  const int64_t phiMultiple = PhiMultiple(wb.presentation);

  for (bool found = false; !found;) {  // one pass per group
    if (kind == SearchKind::metabelian && !ChooseMetabelianGroup(wb, bound)) {
      rep.representationFound = false;
      return;
    }
    // Before the table is built, so that the table has the degree the search uses.
    if (wb.current.degreeK == 0) wb.current.degreeK = 3;
    wb.current.degreeK = std::min<int64_t>(wb.current.degreeK, kMaxDegree);  // the storage of a permutation
    ElementTable table = TableFor(wb, kind);
    WriteGroupName(wb, kind, columns);
    WriteText(wb.panels, kStatusPanel, columns.x1 + kColumnMargin, kStatusLineY,
              "Number of generators in presentation: " + std::to_string(wb.presentation.generatorCount));
    rep.trivialSolutions = 0;
    int64_t attempts = 0;

    for (bool newGroup = false; !newGroup && !found;) {
      const int64_t k = wb.current.degreeK;
      bool success = false;
      for (int t = 0; t < kTriesPerAttempt && !success; ++t) {
        DrawCandidates(wb, kind, table, k, phiMultiple);
        success = RelatorsHold(wb, k);
        KeepWindowAlive(wb.panels);
        if (wb.panels.flags.stopRequested) return;
      }
      if (success) ExtendToEliminatedGenerators(wb, kind, k);
      ++attempts;
      if (attempts % 10 == 0 || attempts < 50) {
        ShowAttempts(wb, columns.x2 + kColumnMargin, kTriesPerAttempt * attempts, kAttemptsBlanks);
      }
      // A metabelian attempt that failed is still judged by the images of its last try.
      const bool judged = kind == SearchKind::metabelian || (kind == SearchKind::permutation && success);
      const bool trivial = judged && AllImagesEqual(wb, k);
      if (trivial) ++rep.trivialSolutions;

      const bool giveUp =
          (kind == SearchKind::metabelian && rep.trivialSolutions > kMetabelianTrivialLimit) ||
          (rep.trivialSolutions > 6 * k * k && rep.nontrivialCount == 0 && k < wb.run.degreeCap);
      if (giveUp && kind == SearchKind::metabelian) {
        ++groupsGivenUp;
        if (groupsGivenUp % kGroupsPerBoundStep == 0 && bound < kLargestMetabelianBound) ++bound;
        newGroup = true;
      } else if (giveUp && kind == SearchKind::permutation && rep.searchNumber == 1) {
        if (wb.run.listMode) {
          rep.representationFound = false;
          return;
        }
        if (s.permutationGroupOnly && wb.current.degreeK >= kMaxImageDegree) {
          rep.representationFound = false;
          Fail(wb.failure, kNoRegularImage);
          return;
        }
        ++wb.current.degreeK;
        attempts = 0;
        rep.trivialSolutions = 0;
        rep.nontrivialCount = 0;
        if (wb.current.degreeK <= kMaxTabulatedDegree) table = TableFor(wb, kind);
        WriteGroupName(wb, kind, columns);
        BlankEscalationLines(wb);
      } else {
        found = success && !trivial;
      }
    }
  }

  if (!trivialPass) {
    rep.nontrivialCount = 1;
    ShowRepresentation(wb);
  }
  BuildRepresentationMatrices(wb);
  ++rep.searchNumber;
}

void FindAbelianRepresentation(Workbench& wb) {
  const Presentation& p = wb.presentation;
  Representation& rep = wb.representation;
  const uint32_t units = static_cast<uint32_t>(wb.field.currentPrime - 1);
  const int attemptsX = kAbelianColumns.x2 + kColumnMargin;
  for (int64_t draws = 1;; ++draws) {
    for (int64_t position = 1; position <= p.generatorCount; ++position) {
      rep.generators[p.generatorLetters[position]].abelianScalar =
          static_cast<Residue>(RandomBelow(wb.random, units) + 1);
    }
    const bool solution = AbelianRelatorsHold(wb);
    if (draws % kAbelianDrawsPerPump == 0) KeepWindowAlive(wb.panels);
    if (draws % kAbelianDrawsPerDisplay == 0) ShowAttempts(wb, attemptsX, draws, kAbelianAttemptsBlanks);
    if (wb.panels.flags.stopRequested) return;
    if (solution && !AllScalarsOne(wb)) break;
  }

  wb.current.degreeK = 1;
  const std::vector<std::string>& records = wb.simplification.substitutionList;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (record->size() < 2) continue;
    rep.generators[GeneratorOf((*record)[0])].abelianScalar =
        AbelianValue(wb, std::string_view(*record).substr(2));
  }
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    GeneratorImage& image = rep.generators[g];
    image.image[1] = 1;
    image.inverseImage[1] = 1;
    image.matrix.Reset(1);
    image.matrix(1, 1) = 1;
    image.inverseMatrix.Reset(1);
    image.inverseMatrix(1, 1) = 1;
  }
  rep.nontrivialCount = 1;
  ShowRepresentation(wb);
  ++rep.searchNumber;
}

}  // namespace quarvel
