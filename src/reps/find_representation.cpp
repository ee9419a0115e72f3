#include "reps/find_representation.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "reps/permutation_group.h"

namespace quarvel {
namespace {

constexpr int64_t kMetabelianTrivialLimit = 6;
constexpr int64_t kGroupsPerBoundStep = 4;
constexpr int32_t kLargestMetabelianBound = 60;
constexpr int64_t kFirstDegree = 3;

constexpr int64_t kAbelianDrawsPerPump = 1001;
constexpr int64_t kAbelianDrawsPerDisplay = 1000;

// The image whose regular representation is taken is found in S_k for k <= 7 only.
constexpr int64_t kLargestRegularSearchDegree = 7;
constexpr const char* kNoRegularImage =
    "The regular representation needs a non-abelian image in S_k, k <= 7: none was found";

// One search: what it reads and the state it carries from try to try.
struct Search {
  const Presentation& p;
  const Simplification& simplification;
  const SearchRequest& request;
  Representation& rep;
  RandomGenerator& random;
  RunControl& control;
  SearchProgress& progress;
  int64_t degree = 0;
  ElementTable table;
};

SearchedGroup GroupOf(const Search& search) {
  const Representation& rep = search.rep;
  // Beyond the tabulated degrees the search draws from S_k whatever alternatingOnly says.
  const bool alternating = search.request.alternatingOnly && search.degree <= kMaxTabulatedDegree;
  return SearchedGroup{search.request.kind, search.degree,   alternating,
                       rep.metabelianN,     rep.metabelianL, rep.metabelianZ};
}

ElementTable TableFor(const Search& search) {
  const SearchKind kind = search.request.kind;
  if (kind == SearchKind::metabelian)
    return BuildMetabelianElements(search.rep.metabelianL, search.rep.metabelianZ);
  if (kind == SearchKind::permutation && search.degree <= kMaxTabulatedDegree) {
    return BuildElementTable(static_cast<int32_t>(search.degree), search.request.alternatingOnly);
  }
  return ElementTable{};
}

// Candidate images for the surviving generators, in the order of generatorLetters; phi is
// `phiMultiple` times a primitive class.
void DrawCandidates(Search& search, int64_t phiMultiple) {
  const Presentation& p = search.p;
  const SearchKind kind = search.request.kind;
  const int64_t k = search.degree;
  for (int64_t position = 1; position <= p.generatorCount; ++position) {
    const int32_t g = p.generatorLetters[position];
    GeneratorImage& image = search.rep.generators[g];
    if (kind == SearchKind::metabelian) {
      // The Z/2 part is phi_0 mod 2 for phi = d phi_0 with phi_0 primitive, so every candidate
      // composed with the projection is phi_0 mod 2 (phi mod 2 vanishes for an even d).
      const int32_t l = search.rep.metabelianL;
      const int32_t i = static_cast<int32_t>(((p.phi[g] / phiMultiple) % 2 + 2) % 2);
      const int32_t j = static_cast<int32_t>(RandomBelow(search.random, static_cast<uint32_t>(l)));
      image.metabelianElement = l * i + j + 1;
      search.table.CopyRow(image.metabelianElement, image.image, image.inverseImage);
    } else if (kind == SearchKind::permutation && k <= kMaxTabulatedDegree) {
      const int32_t row =
          static_cast<int32_t>(RandomBelow(search.random, static_cast<uint32_t>(search.table.Size()))) + 1;
      search.table.CopyRow(row, image.image, image.inverseImage);
    } else {
      RandomPermutation(search.random, k, image.image, image.inverseImage);
    }
  }
}

// All surviving generators have one image on 1..k (with one generator, trivially so).
bool AllImagesEqual(const Presentation& p, const Representation& rep, int64_t k) {
  if (p.generatorCount < 2) return true;
  const Permutation& first = rep.generators[p.generatorLetters[1]].image;
  for (int64_t position = 2; position <= p.generatorCount; ++position) {
    const Permutation& other = rep.generators[p.generatorLetters[position]].image;
    if (!std::equal(first.begin() + 1, first.begin() + 1 + k, other.begin() + 1)) return false;
  }
  return true;
}

// Records name words in survivors and in generators eliminated later, hence last record first.
void ExtendToEliminatedGenerators(Search& search) {
  Representation& rep = search.rep;
  const int64_t k = search.degree;
  const std::vector<std::string>& records = search.simplification.substitutionList;
  Permutation value{};
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (record->size() < 2) continue;
    GeneratorImage& eliminated = rep.generators[GeneratorOf((*record)[0])];
    EvaluateWord(rep, k, std::string_view(*record).substr(2), value);
    std::copy(value.begin() + 1, value.begin() + 1 + k, eliminated.image.begin() + 1);
    InvertPermutation(eliminated.image, k, eliminated.inverseImage);
    if (search.request.kind == SearchKind::metabelian)
      eliminated.metabelianElement = MetabelianElementOf(eliminated.image, rep.metabelianL);
  }
}

// One attempt of up to 100 tries; whether one of them satisfied every relator (the images are then
// extended to the eliminated generators), or nothing when the run was asked to stop.
std::optional<bool> Attempt(Search& search, int64_t phiMultiple) {
  bool success = false;
  for (int t = 0; t < kTriesPerAttempt && !success; ++t) {
    DrawCandidates(search, phiMultiple);
    success = RelatorsHold(search.p, search.simplification, search.rep, search.degree);
    search.control.KeepWindowAlive();
    if (search.control.StopRequested()) return std::nullopt;
  }
  if (success) ExtendToEliminatedGenerators(search);
  return success;
}

// Chooses the next metabelian group; false when none fits the bound.
bool NextMetabelianGroup(Search& search, int32_t bound) {
  const std::optional<MetabelianGroup> group =
      ChooseMetabelianGroup(search.random, search.request.primeTable, bound, search.request.degreeCap);
  if (!group) return false;
  search.rep.metabelianN = group->n;
  search.rep.metabelianL = group->l;
  search.rep.metabelianZ = group->z;
  search.degree = group->l;
  return true;
}

// Attempts in the current group until a nontrivial solution, a reason to end the search, or a stop;
// nothing when the group is given up for another.
std::optional<SearchEnd> SearchGroup(Search& search, int64_t phiMultiple, SearchResult& result) {
  const SearchRequest& request = search.request;
  const SearchKind kind = request.kind;
  int64_t attempts = 0;
  for (;;) {
    const std::optional<bool> success = Attempt(search, phiMultiple);
    if (!success) return SearchEnd::stopped;
    ++attempts;
    if (attempts % 10 == 0 || attempts < 50) search.progress.Attempts(kTriesPerAttempt * attempts);
    const int64_t k = search.degree;
    // A metabelian attempt that failed is still judged by the images of its last try.
    const bool judged = kind == SearchKind::metabelian || (kind == SearchKind::permutation && *success);
    const bool trivial = judged && AllImagesEqual(search.p, search.rep, k);
    if (trivial) ++result.trivialSolutions;

    const bool giveUp =
        (kind == SearchKind::metabelian && result.trivialSolutions > kMetabelianTrivialLimit) ||
        (result.trivialSolutions > 6 * k * k && !request.nontrivialFound && k < request.degreeCap);
    if (giveUp && kind == SearchKind::metabelian) return std::nullopt;
    if (giveUp && kind == SearchKind::permutation && request.firstSearch) {
      if (request.listMode) return SearchEnd::gaveUp;
      if (request.regularRepresentation && k >= kLargestRegularSearchDegree) {
        result.failure = kNoRegularImage;
        return SearchEnd::failed;
      }
      ++search.degree;
      attempts = 0;
      result.trivialSolutions = 0;
      if (search.degree <= kMaxTabulatedDegree) search.table = TableFor(search);
      search.progress.DegreeRaised(GroupOf(search));
    } else if (*success && !trivial) {
      return SearchEnd::found;
    }
  }
}

Residue AbelianValue(const PrimeField& field, const Representation& rep, std::string_view word) {
  Residue value = 1;
  for (size_t at = 0; at + 1 < word.size(); at += 2) {
    Residue scalar = rep.generators[GeneratorOf(word[at + 1])].abelianScalar;
    if (word[at] == '-') scalar = InverseModP(field, scalar);
    value = MultiplyModP(field, value, scalar);
  }
  return value;
}

bool AbelianRelatorsHold(const Presentation& p, const PrimeField& field, const Representation& rep) {
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    if (AbelianValue(field, rep, p.relators[r]) != 1) return false;
  }
  return true;
}

bool AllScalarsOne(const Presentation& p, const Representation& rep) {
  for (int64_t position = 1; position <= p.generatorCount; ++position) {
    if (rep.generators[p.generatorLetters[position]].abelianScalar != 1) return false;
  }
  return true;
}

void SetScalarImagesAndMatrices(Representation& rep) {
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    GeneratorImage& image = rep.generators[g];
    image.image[1] = 1;
    image.inverseImage[1] = 1;
    image.matrix.Reset(1);
    image.matrix(1, 1) = 1;
    image.inverseMatrix.Reset(1);
    image.inverseMatrix(1, 1) = 1;
  }
}

// Scalars for the surviving generators until every relator gives 1 and not every scalar is 1.
SearchResult FindAbelianRepresentation(const Presentation& p, const Simplification& simplification,
                                       const PrimeField& field, int64_t degree, Representation& rep,
                                       RandomGenerator& random, RunControl& control,
                                       SearchProgress& progress) {
  const uint32_t units = static_cast<uint32_t>(field.currentPrime - 1);
  for (int64_t draws = 1;; ++draws) {
    for (int64_t position = 1; position <= p.generatorCount; ++position) {
      rep.generators[p.generatorLetters[position]].abelianScalar =
          static_cast<Residue>(RandomBelow(random, units) + 1);
    }
    const bool solution = AbelianRelatorsHold(p, field, rep);
    if (draws % kAbelianDrawsPerPump == 0) control.KeepWindowAlive();
    if (draws % kAbelianDrawsPerDisplay == 0) progress.AbelianDraws(draws);
    if (control.StopRequested()) return SearchResult{SearchEnd::stopped, degree, 0, {}};
    if (solution && !AllScalarsOne(p, rep)) break;
  }

  const std::vector<std::string>& records = simplification.substitutionList;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (record->size() < 2) continue;
    rep.generators[GeneratorOf((*record)[0])].abelianScalar =
        AbelianValue(field, rep, std::string_view(*record).substr(2));
  }
  SetScalarImagesAndMatrices(rep);
  return SearchResult{SearchEnd::found, 1, 0, {}};
}

}  // namespace

bool RelatorsHold(const Presentation& p, const Simplification& simplification, const Representation& rep,
                  int64_t k) {
  for (int64_t i = 1; i <= p.relatorCount; ++i) {
    if (!WordIsIdentity(rep, k, p.relators[simplification.relatorOrder[i]])) return false;
  }
  return true;
}

SearchResult FindRepresentation(const Presentation& p, const Simplification& simplification,
                                const PrimeField& field, const SearchRequest& request, Representation& rep,
                                RandomGenerator& random, RunControl& control, SearchProgress& progress) {
  if (request.kind == SearchKind::abelian) {
    return FindAbelianRepresentation(p, simplification, field, request.degree, rep, random, control,
                                     progress);
  }
  Search search{p, simplification, request, rep, random, control, progress, request.degree, {}};
  for (GeneratorImage& g : rep.generators) g.abelianScalar = 1;
  SearchResult result;
  int32_t bound = request.metabelianBound;
  int64_t groupsGivenUp = 0;
  const int64_t phiMultiple = PhiMultiple(p);

  for (;;) {
    if (request.kind == SearchKind::metabelian && !NextMetabelianGroup(search, bound)) {
      result.degree = search.degree;
      result.end = SearchEnd::gaveUp;
      return result;
    }
    // Before the table is built, so that the table has the degree the search uses.
    if (search.degree == 0) search.degree = kFirstDegree;
    search.degree = std::min<int64_t>(search.degree, kMaxDegree);  // the storage of a permutation
    search.table = TableFor(search);
    progress.GroupStarted(GroupOf(search));
    result.trivialSolutions = 0;
    const std::optional<SearchEnd> end = SearchGroup(search, phiMultiple, result);
    result.degree = search.degree;
    if (end) {
      result.end = *end;
      return result;
    }
    ++groupsGivenUp;
    if (groupsGivenUp % kGroupsPerBoundStep == 0 && bound < kLargestMetabelianBound) ++bound;
  }
}

}  // namespace quarvel
