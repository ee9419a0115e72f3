#pragma once
// Permutations in one-line notation and a search for permutation representations of a
// presentation's input relators, shared by the tests and the benchmarks (no test framework here).
//
// The search gives every generator an image in one conjugacy class, depth first over the
// generators in number order; a relator in which one open generator occurs once fixes that
// generator, which keeps the search over Wirtinger presentations short.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "base/random_generator.h"
#include "group/presentation.h"

namespace quarvel::testing {

// A permutation of 1..k: image[i - 1] is the image of i.
using Perm = std::vector<int32_t>;

inline Perm Compose(const Perm& outer, const Perm& inner) {
  Perm result(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) result[i] = outer[inner[i] - 1];
  return result;
}

inline Perm Invert(const Perm& perm) {
  Perm result(perm.size());
  for (size_t i = 0; i < perm.size(); ++i) result[perm[i] - 1] = static_cast<int32_t>(i + 1);
  return result;
}

inline Perm Identity(size_t k) {
  Perm perm(k);
  for (size_t i = 0; i < k; ++i) perm[i] = static_cast<int32_t>(i + 1);
  return perm;
}

// The lengths above 1 of the cycles, ascending.
inline std::vector<int> CycleType(const Perm& perm) {
  std::vector<bool> seen(perm.size(), false);
  std::vector<int> lengths;
  for (size_t i = 0; i < perm.size(); ++i) {
    int length = 0;
    for (size_t j = i; !seen[j]; j = static_cast<size_t>(perm[j] - 1)) {
      seen[j] = true;
      ++length;
    }
    if (length > 1) lengths.push_back(length);
  }
  std::sort(lengths.begin(), lengths.end());
  return lengths;
}

// All permutations of 1..k of the given cycle type, in lexicographic order.
inline std::vector<Perm> ConjugacyClass(size_t k, std::vector<int> cycleType) {
  std::sort(cycleType.begin(), cycleType.end());
  std::vector<Perm> all;
  Perm perm = Identity(k);
  do {
    if (CycleType(perm) == cycleType) all.push_back(perm);
  } while (std::next_permutation(perm.begin(), perm.end()));
  return all;
}

struct ClassSearch {
  // Whether a complete assignment is wanted (e.g. not all equal, or onto S_k).
  std::function<bool(const std::map<int, Perm>&)> accept;
  // With a generator, the candidates are tried in a random order at every step.
  RandomGenerator* shuffle = nullptr;
  // Assignments tried before the search gives up.
  int budget = std::numeric_limits<int>::max();
};

// A representation of the input relators with every generator in `candidates` (one conjugacy
// class) that `search.accept` takes, or an empty map.
inline std::map<int, Perm> FindRepresentationIn(const Presentation& presentation,
                                                const std::vector<Perm>& candidates, ClassSearch search) {
  const size_t k = candidates.front().size();
  const std::set<Perm> inClass(candidates.begin(), candidates.end());
  using Letters = std::vector<std::pair<bool, int>>;  // (inverse, generator) per letter
  std::vector<Letters> relators;
  std::set<int> seen;
  for (int j = 1; j <= presentation.inputRelatorCount; ++j) {
    const Word& word = presentation.inputRelators[j];
    relators.emplace_back();
    for (size_t q = 0; q + 1 < word.size(); q += 2) {
      const int g = static_cast<unsigned char>(word[q + 1]) - kGeneratorByteBase;
      relators.back().emplace_back(word[q] == '-', g);
      seen.insert(g);
    }
  }
  const std::vector<int> generators(seen.begin(), seen.end());
  auto value = [&](const std::map<int, Perm>& images, const Letters& letters, size_t from, size_t to) {
    Perm result = Identity(k);
    for (size_t q = from; q < to; ++q) {
      const Perm& image = images.at(letters[q].second);
      result = Compose(result, letters[q].first ? Invert(image) : image);
    }
    return result;
  };
  // Solves relators for generators they fix; false on a contradiction.
  auto propagate = [&](std::map<int, Perm>& images) {
    for (bool changed = true; changed;) {
      changed = false;
      for (const Letters& letters : relators) {
        int unknown = 0;
        size_t position = 0;
        int occurrences = 0;
        for (size_t q = 0; q < letters.size(); ++q) {
          if (images.count(letters[q].second)) continue;
          if (unknown != 0 && unknown != letters[q].second) occurrences = 2;
          unknown = letters[q].second;
          position = q;
          ++occurrences;
        }
        if (unknown == 0) {
          if (value(images, letters, 0, letters.size()) != Identity(k)) return false;
          continue;
        }
        if (occurrences != 1) continue;
        // L x^s R = 1 gives x^s = L^-1 R^-1.
        Perm power = Compose(Invert(value(images, letters, 0, position)),
                             Invert(value(images, letters, position + 1, letters.size())));
        Perm x = letters[position].first ? Invert(power) : power;
        if (!inClass.contains(x)) return false;
        images[unknown] = x;
        changed = true;
      }
    }
    return true;
  };
  std::map<int, Perm> found;
  std::function<bool(std::map<int, Perm>, bool)> extend = [&](std::map<int, Perm> images, bool first) {
    if (--search.budget < 0 || !propagate(images)) return false;
    auto open = std::find_if(generators.begin(), generators.end(), [&](int g) { return !images.count(g); });
    if (open == generators.end()) {
      if (!search.accept(images)) return false;
      found = images;
      return true;
    }
    std::vector<Perm> order = candidates;
    if (search.shuffle != nullptr) {
      for (size_t i = order.size(); i > 1; --i) {
        std::swap(order[i - 1], order[RandomBelow(*search.shuffle, static_cast<uint32_t>(i))]);
      }
    }
    for (const Perm& candidate : order) {
      images[*open] = candidate;
      if (extend(images, false)) return true;
      if (first) break;  // up to conjugation the first generator is any one of its class
    }
    return false;
  };
  extend({}, true);
  return found;
}

}  // namespace quarvel::testing
