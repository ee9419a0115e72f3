// Homomorphisms into S_k and A_k up to conjugation, and the twisted polynomial of one of them or
// of a representation that a random search finds.
#include <pybind11/stl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bindings.h"

namespace quarvel::python {
namespace {

constexpr std::array<std::string_view, 10> kGroupNames = {"s1", "s3", "a4", "s4", "a5",
                                                          "s5", "a6", "s6", "a7", "s7"};

py::tuple OneLine(const Permutation& p, int64_t k) {
  py::tuple points(k);
  for (int64_t i = 1; i <= k; ++i) points[i - 1] = p[i];
  return points;
}

// The permutation of 1..k in one-line notation as the image of generator g.
void SetImage(const std::vector<int32_t>& points, const std::string& letter, GeneratorImage& image) {
  const auto k = static_cast<int32_t>(points.size());
  std::vector<bool> seen(k + 1, false);
  for (int32_t point = 1; point <= k; ++point) {
    const int32_t to = points[point - 1];
    if (to < 1 || to > k || seen[to])
      ThrowError("Not a permutation of 1.." + std::to_string(k) + ": " + letter);
    seen[to] = true;
    image.image[point] = to;
    image.inverseImage[to] = point;
  }
}

// The images as a representation on Z^k or V: every present generator needs a permutation of
// 1..k, k the same for all (the matrices are built for all of them).
Representation RepresentationOf(const Presentation& p, const py::dict& images, bool reduced, int64_t& k) {
  Representation representation;
  k = 0;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    const std::string letter(1, GeneratorLetter(g));
    if (!images.contains(letter)) ThrowError("No image for generator " + letter);
    const auto points = images[py::str(letter)].cast<std::vector<int32_t>>();
    if (k != 0 && static_cast<int64_t>(points.size()) != k) ThrowError("The images permute different points");
    k = static_cast<int64_t>(points.size());
    if (k < 1 || k > kMaxDegree) ThrowError("Not a permutation of 1.." + std::to_string(k) + ": " + letter);
    SetImage(points, letter, representation.generators[g]);
  }
  if (k == 0) ThrowError("The group has no generator");
  BuildRepresentationMatrices(p, reduced ? MatrixKind::reduced : MatrixKind::permutation,
                              static_cast<int32_t>(k), representation);
  return representation;
}

PyPolynomial Twisted(const PyPresentation& p, const Representation& representation, int64_t k,
                     const PrimeField& field, bool torsion) {
  InterruptibleControl control;
  Result<TwistedPolynomial> result = Failure{""};
  {
    py::gil_scoped_release release;
    PolyMatrix store;
    result = TwistedAlexanderPolynomial(p.presentation, representation, k, field, torsion, control, store);
  }
  control.RaiseIfInterrupted();
  return FromPolynomial(ValueOrThrow(std::move(result)).polynomial, field.currentPrime);
}

}  // namespace

const IsotopyGroup& TabulatedGroup(const std::string& name) {
  static std::map<std::string, std::unique_ptr<IsotopyGroup>> groups;  // guarded by the GIL
  if (std::find(kGroupNames.begin(), kGroupNames.end(), name) == kGroupNames.end())
    ThrowError("Not an isotopy group: " + name);
  std::unique_ptr<IsotopyGroup>& group = groups[name];
  if (!group) {
    group = std::make_unique<IsotopyGroup>(MakeIsotopyGroup(name));
    FindConjugacyClasses(*group);
  }
  return *group;
}

py::dict ImagesOf(const Presentation& presentation, const IsotopyGroup& group, const Assignment& images) {
  py::dict result;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!presentation.generatorUsed[g] || images[g] == 0) continue;
    const SmallPermutation& p = group.elements[images[g]];
    py::tuple points(group.degree);
    for (int32_t i = 1; i <= group.degree; ++i) points[i - 1] = p[i];
    result[py::str(std::string(1, GeneratorLetter(g)))] = points;
  }
  return result;
}

FoundRepresentation SearchRepresentation(const PyPresentation& p, const std::string& kind, int32_t size,
                                         const PrimeField& field) {
  const std::map<std::string, bool> alternating = {
      {"sk-v", false}, {"ak-v", true}, {"sk-z", false}, {"ak-z", true}};
  if (!alternating.contains(kind))
    ThrowError("Not a representation kind: " + kind + " (sk-v, ak-v, sk-z, ak-z)");
  if (size < 3 || size > 10) ThrowError("The size must be 3..10");
  SearchRequest request;
  request.kind = SearchKind::permutation;
  request.degree = size;
  request.degreeCap = size + 1;  // k below the cap: the search may give up
  request.alternatingOnly = alternating.at(kind);
  // As in a list: give up when only trivial solutions turn up, instead of searching forever.
  request.listMode = true;
  request.firstSearch = true;
  FoundRepresentation found;
  InterruptibleControl control;
  SearchResult result;
  {
    py::gil_scoped_release release;
    RandomGenerator random;
    SearchProgress quiet;
    result = FindRepresentation(p.presentation, p.simplification, field, request, found.representation,
                                random, control, quiet);
  }
  control.RaiseIfInterrupted();
  if (result.end == SearchEnd::failed) ThrowError(result.failure);
  if (result.end != SearchEnd::found) {
    ThrowError("No nontrivial representation into " + std::string(request.alternatingOnly ? "A_" : "S_") +
               std::to_string(size) + " was found");
  }
  const bool reduced = kind.ends_with("-v");
  BuildRepresentationMatrices(p.presentation, reduced ? MatrixKind::reduced : MatrixKind::permutation, size,
                              found.representation);
  found.k = reduced ? size - 1 : size;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!p.presentation.generatorUsed[g]) continue;
    found.images[py::str(std::string(1, GeneratorLetter(g)))] =
        OneLine(found.representation.generators[g].image, size);
  }
  return found;
}

void RegisterHomomorphisms(py::module_& module) {
  module.def(
      "homomorphisms",
      [](const PyPresentation& input, const std::string& groupName, bool allHomomorphisms) {
        const PyPresentation p = EnsureSimplified(input, IsotopyEffort(input));
        const IsotopyGroup& group = TabulatedGroup(groupName);
        std::vector<Assignment> found;
        InterruptibleControl control;
        if (group.degree > 1) {
          py::gil_scoped_release release;
          NoEnumerationProgress quiet;
          EnumerateHomomorphisms(
              SimplifiedRelatorsOf(p.presentation, p.simplification), group, allHomomorphisms, control, quiet,
              [&](const Assignment& images, const HomomorphismCounts&) {
                found.push_back(ExtendToEliminated(group, p.simplification.substitutionList, images));
                return true;
              });
        }
        control.RaiseIfInterrupted();
        py::list result;
        for (const Assignment& images : found) result.append(ImagesOf(p.presentation, group, images));
        return result;
      },
      py::arg("presentation"), py::arg("group") = "s5", py::arg("all_homomorphisms") = false,
      "homomorphisms(presentation, group='s5', all_homomorphisms=False) -> list of dict\n\n"
      "Every homomorphism of the group into S_k or A_k ('s3', 'a4', 's4', 'a5', 's5', 'a6', 's6', "
      "'a7', 's7'), once per class under conjugation by S_k, in the order of an isotopy run; only "
      "the non-abelian ones unless all_homomorphisms. Each is a dict from every generator letter to "
      "its image in one-line notation, e.g. {'a': (2, 1, 3), 'b': (1, 3, 2)}.");
  module.def(
      "twisted_polynomial",
      [](const PyPresentation& input, std::optional<py::dict> images, std::optional<std::string> rep,
         int32_t size, int32_t prime, bool reduced, bool torsion) {
        const PyPresentation p = EnsureSimplified(input, IsotopyEffort(input));
        const PrimeField field = FieldOf(prime);
        if (images.has_value() == rep.has_value()) ThrowError("Give either images or rep");
        if (rep) {
          const FoundRepresentation found = SearchRepresentation(p, *rep, size, field);
          return py::make_tuple(Twisted(p, found.representation, found.k, field, torsion), found.images);
        }
        int64_t k = 0;
        Representation representation = RepresentationOf(p.presentation, *images, reduced, k);
        if (!RelatorsHold(p.presentation, p.simplification, representation, k))
          ThrowError("The images do not satisfy the relators");
        if (reduced && k < 2)
          ThrowError("The reduced representation needs permutations of at least 2 points");
        if (reduced) --k;
        return py::make_tuple(Twisted(p, representation, k, field, torsion), *images);
      },
      py::arg("presentation"), py::arg("images") = py::none(), py::arg("rep") = py::none(),
      py::arg("size") = 3, py::arg("field") = 13, py::arg("reduced") = false, py::arg("torsion") = false,
      "twisted_polynomial(presentation, images=None, rep=None, size=3, field=13, reduced=False, "
      "torsion=False) -> (Polynomial, images)\n\n"
      "The twisted Alexander polynomial over F_p of a representation of the group, lowest term t^0 "
      "and constant term 1; 0 where the module has positive rank, unless torsion asks for the torsion "
      "polynomial. Give either\n"
      "  images: a dict from generator letters to permutations of 1..k in one-line notation (as "
      "homomorphisms() gives them; the surviving generators' images decide), acting on Z^k, or with "
      "reduced=True on V = {v : v_1 + ... + v_k = 0}; or\n"
      "  rep: a representation kind, 'sk-v', 'ak-v' (S_k or A_k on V) or 'sk-z', 'ak-z' (on Z^k), of "
      "size k, found by the random search of the fibration-and-norm mode (from a fresh generator).\n"
      "Returns the polynomial and the images used. Raises quarvel.Error when the images are not a "
      "homomorphism or no nontrivial representation is found.");
}

}  // namespace quarvel::python
