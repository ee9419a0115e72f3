// quarvel.Presentation and the functions that make and simplify one.
#include <pybind11/stl.h>

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "bindings.h"

namespace quarvel::python {
namespace {

// The isotopy mode's medium effort, and the warm-up draws of a run before its first knot.
constexpr int64_t kMediumEffort = 50;
constexpr uint64_t kWarmUpDraws = 1000;

std::string BraidText(const std::variant<std::string, std::vector<int>>& braid) {
  if (const auto* text = std::get_if<std::string>(&braid)) return *text;
  return BraidWordText(std::get<std::vector<int>>(braid));
}

// A PD code's text: as given, or written out from its crossings.
std::string PdText(const std::variant<std::string, std::vector<std::vector<int>>>& code) {
  if (const auto* text = std::get_if<std::string>(&code)) {
    return FormOfDiagramText(*text) == DiagramForm::pd ? *text : "PD" + *text;
  }
  std::string text = "PD[";
  for (const std::vector<int>& crossing : std::get<std::vector<std::vector<int>>>(code)) {
    text += text.size() > 3 ? ",[" : "[";
    for (size_t i = 0; i < crossing.size(); ++i) {
      if (i > 0) text += ",";
      text += std::to_string(crossing[i]);
    }
    text += "]";
  }
  return text + "]";
}

// A DT code's text, tagged.
std::string DtText(const std::variant<std::string, std::vector<int>>& code) {
  std::string text = "DT[";
  if (const auto* given = std::get_if<std::string>(&code)) {
    return FormOfDiagramText(*given) == DiagramForm::dt ? *given : text + *given + "]";
  }
  for (int entry : std::get<std::vector<int>>(code)) {
    if (text.size() > 3) text += ",";
    text += std::to_string(entry);
  }
  return text + "]";
}

PyPresentation Unsimplified(Result<Presentation> presentation) {
  return PyPresentation{ValueOrThrow(std::move(presentation)), {}, false};
}

std::vector<std::string> Letters(const Presentation& p, bool survivingOnly) {
  std::vector<std::string> letters;
  if (survivingOnly) {
    for (int64_t i = 1; i <= p.generatorCount; ++i)
      letters.emplace_back(1, GeneratorLetter(p.generatorLetters[i]));
    return letters;
  }
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (p.generatorUsed[g]) letters.emplace_back(1, GeneratorLetter(g));
  }
  return letters;
}

std::vector<std::string> Relators(const Presentation& p) {
  std::vector<std::string> relators;
  for (int64_t r = 1; r <= p.relatorCount; ++r) relators.push_back(WordToText(p.relators[r], false));
  return relators;
}

py::dict Phi(const Presentation& p) {
  py::dict phi;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (p.generatorUsed[g]) phi[py::str(std::string(1, GeneratorLetter(g)))] = p.phi[g];
  }
  return phi;
}

std::string Describe(const PyPresentation& p) {
  std::string text = "<quarvel.Presentation ";
  text += p.presentation.braidText.empty() ? "from a text" : p.presentation.braidText;
  text += ", " + std::to_string(p.presentation.generatorCount) + " generators, " +
          std::to_string(p.presentation.relatorCount) + " relators";
  return text + (p.simplified ? ", simplified>" : ">");
}

// The mutants list's entries between the separators of asterisks, each split at its "{".
std::vector<std::vector<std::pair<std::string, std::string>>> MutantGroups() {
  std::vector<std::vector<std::pair<std::string, std::string>>> groups(1);
  for (int position = 1; position <= MutantsListSize(); ++position) {
    const std::string_view entry = MutantsListEntry(position);
    const size_t brace = entry.find('{');
    if (brace == std::string_view::npos) {
      if (!groups.back().empty()) groups.emplace_back();
      continue;
    }
    std::string name(entry.substr(0, brace));
    name.erase(name.find_last_not_of(' ') + 1);
    groups.back().emplace_back(name, std::string(entry.substr(brace)));
  }
  if (groups.back().empty()) groups.pop_back();
  return groups;
}

}  // namespace

PyPresentation EnsureSimplified(const PyPresentation& input, int64_t effort) {
  if (input.simplified) return input;
  PyPresentation output = input;
  RandomGenerator random;
  SkipDraws(random, kWarmUpDraws);
  NoRunControl control;
  SimplificationProgress quiet;
  Result<quarvel::Simplified> simplified =
      SimplifyPresentation(output.presentation, effort, random, control, quiet);
  quarvel::Simplified result = ValueOrThrow(std::move(simplified));
  if (!result.phiWellDefined) ThrowError("Homomorphism phi is not well-defined");
  output.simplification = std::move(result.simplification);
  ListSurvivingGenerators(output.presentation, output.simplification);
  output.simplified = true;
  return output;
}

int64_t IsotopyEffort(const PyPresentation& input) {
  return EffortForBraidLength(kMediumEffort, DiagramLength(input.presentation.braidText));
}

void RegisterPresentation(py::module_& module) {
  py::class_<PyPresentation>(module, "Presentation",
                             "A finitely presented group with phi: pi -> Z, as built from a braid, a "
                             "presentation text or a table knot, and possibly simplified.\n\n"
                             "Generators are letters 'a'..'z', 'A'..'Z' (generators 1..52); relators are "
                             "words such as '-b-a+c+a'.")
      .def_property_readonly(
          "generators", [](const PyPresentation& p) { return Letters(p.presentation, p.simplified); },
          "The generators: the surviving ones once simplified, else every one the relators use.")
      .def_property_readonly(
          "relators", [](const PyPresentation& p) { return Relators(p.presentation); },
          "The relators as words, e.g. '-b-a+c+a'.")
      .def_property_readonly(
          "phi", [](const PyPresentation& p) { return Phi(p.presentation); },
          "phi on every generator present (eliminated ones included), as a dict letter -> int.")
      .def_property_readonly(
          "braid",
          [](const PyPresentation& p) -> py::object {
            if (p.presentation.braidText.empty()) return py::none();
            return py::str(p.presentation.braidText);
          },
          "The normalised braid description, or None for a presentation text.")
      .def_property_readonly(
          "is_link", [](const PyPresentation& p) { return p.presentation.braidIsLink; },
          "Whether the closed braid is a link of several components.")
      .def_readonly("simplified", &PyPresentation::simplified, "Whether simplify() made it.")
      .def_property_readonly(
          "substitutions", [](const PyPresentation& p) { return p.simplification.substitutionList; },
          "The simplification's records, one per eliminated generator ('c=+a+b-a').")
      .def("__repr__", &Describe);

  module.def(
      "from_braid",
      [](const std::variant<std::string, std::vector<int>>& braid, bool zeroSurgery) {
        return Unsimplified(BraidPresentation(BraidText(braid), zeroSurgery));
      },
      py::arg("braid"), py::arg("zero_surgery") = false,
      "from_braid(braid, zero_surgery=False) -> Presentation\n\n"
      "The Wirtinger presentation of the closed braid, phi = 1 on every meridian. `braid` is a list "
      "of non-zero ints ([1, -2, 1, -2]: +s is sigma_s, -s its inverse) or the text '{1,-2,1,-2}'. "
      "With zero_surgery the longitude is added as a relator (the 0-surgery). At most 47 letters and "
      "31 strands. Raises quarvel.Error('Not a valid braid description') and the like.");
  module.def(
      "from_pd",
      [](const std::variant<std::string, std::vector<std::vector<int>>>& code, bool zeroSurgery) {
        return Unsimplified(BraidPresentation(PdText(code), zeroSurgery));
      },
      py::arg("code"), py::arg("zero_surgery") = false,
      "from_pd(code, zero_surgery=False) -> Presentation\n\n"
      "The Wirtinger presentation of a knot or link diagram given by its PD code, phi = 1 on every "
      "meridian: a list of 4-tuples as SnapPy's PD_code() gives it, [(1,5,2,4), (3,1,4,6), (5,3,6,2)], "
      "or the text '[[1,5,2,4],...]' or 'PD[X[1,5,2,4],...]'. X[a,b,c,d] lists the edges counter-"
      "clockwise from the incoming under-edge a. Raises quarvel.Error naming the first bad crossing.");
  module.def(
      "from_dt",
      [](const std::variant<std::string, std::vector<int>>& code, bool zeroSurgery) {
        return Unsimplified(BraidPresentation(DtText(code), zeroSurgery));
      },
      py::arg("code"), py::arg("zero_surgery") = false,
      "from_dt(code, zero_surgery=False) -> Presentation\n\n"
      "The presentation of the knot with this DT code: a list of even ints [4, 6, 2] or the text "
      "'4 6 2'. A negative entry marks an even passage that runs over. Raises quarvel.Error when the "
      "code is not realisable.");
  module.def(
      "from_text",
      [](const std::string& text, bool zeroSurgery) {
        return Unsimplified(PresentationFromText(text, zeroSurgery));
      },
      py::arg("text"), py::arg("zero_surgery") = false,
      "from_text(text, zero_surgery=False) -> Presentation\n\n"
      "The presentation that a presentation file with this text gives: format I (relator lines "
      "'-a-c+b+c', then phi lines 'b-1'), format II (lines 'x_{3} x_{2} x_{3}^{-1}') or a line "
      "holding a braid '{1,1,1}'. Raises quarvel.Error with the reader's message.");
  module.def(
      "from_knot",
      [](const std::string& name, bool zeroSurgery) {
        const std::optional<std::string> braid = BuiltInKnotBraid(name);
        if (!braid) ThrowError("No built-in knot is named '" + name + "'");
        return Unsimplified(BraidPresentation(*braid, zeroSurgery));
      },
      py::arg("name"), py::arg("zero_surgery") = false,
      "from_knot(name, zero_surgery=False) -> Presentation\n\n"
      "A knot of the built-in tables by name ('3_1', 'Knot 4_1', '11_401' = '11n_34' = 'K11n34', "
      "'12_1311', '13_42', 'm3_1' for the mirror image), as quarvel-cli --knot takes it: the braid "
      "of the knot table, the examples or the mutants, else the prime knot table's minimal PD "
      "code. Raises quarvel.Error for an unknown name.");
  module.def(
      "knot_names",
      []() {
        std::vector<std::string> names;
        for (int position = 1; position <= kKnotTableSize; ++position) {
          std::string entry = KnotListEntry(position);
          names.push_back(entry.substr(entry.find(' ') + 1));
        }
        return names;
      },
      "knot_names() -> list of str\n\nThe names of the 801 knots of the knot table, '3_1' to '11_552', in "
      "order.");
  module.def("mutant_groups", &MutantGroups,
             "mutant_groups() -> list of list of (name, braid)\n\n"
             "The built-in list of mutant pairs and triples with up to 12 crossings (quarvel-cli knots "
             "--mutants), group by group; each knot as its name and its braid, a note after the braid "
             "included (from_braid reads it).");
  module.def(
      "simplify",
      [](const PyPresentation& presentation, std::optional<int64_t> effort) {
        return EnsureSimplified(presentation, effort.value_or(IsotopyEffort(presentation)));
      },
      py::arg("presentation"), py::arg("effort") = py::none(),
      "simplify(presentation, effort=None) -> Presentation\n\n"
      "Eliminates generators by Tietze moves with `effort` random elimination trials (0: normal form "
      "and reduction only; None: the isotopy mode's medium effort, 50, halved for braids longer than "
      "30, 50 and 70 characters). Draws from a fresh random generator as a fresh quarvel-cli run does, "
      "so the result is reproducible. A presentation that is already simplified comes back as it is. "
      "The functions below simplify an unsimplified presentation this way themselves.");
}

}  // namespace quarvel::python
