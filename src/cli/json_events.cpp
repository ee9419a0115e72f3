#include "cli/json_events.h"

#include <nlohmann/json.hpp>

#include "group/diagram_text.h"
#include "group/knot_tables.h"
#include "group/table_knots.h"

namespace quarvel::cli {
namespace {

using nlohmann::json;

json PolynomialJson(const PolynomialRecord& p) {
  json coefficients = json::array();
  for (Residue c : p.coefficients) coefficients.push_back(static_cast<int>(c));
  return {{"coefficients", coefficients},
          {"lowestExponent", p.lowestExponent},
          {"field", p.prime},
          {"text", p.text}};
}

json PresentationJson(const PresentationRecord& p) {
  return {{"generators", p.generators}, {"relators", p.relators}, {"phi", p.phi}};
}

json ImagesJson(const std::vector<GeneratorImageRecord>& images) {
  json list = json::array();
  for (const GeneratorImageRecord& image : images)
    list.push_back({{"generator", image.generator}, {"image", image.image}});
  return list;
}

// One line per object, written at once so that a reader of a pipe sees each event as it arises.
void WriteLine(std::ostream& out, json object, std::string_view type) {
  object["type"] = type;
  object["schema"] = kJsonSchema;
  out << object.dump() << '\n' << std::flush;
}

// What ended the run, in the order the exit status weighs it.
std::string EndReason(const RunEndRecord& end, const CliSurface& surface) {
  if (StopSignal() != 0) return "signal";
  if (end.failed) return "error";
  if (surface.TimeLimitReached()) return "time limit";
  if (end.cycleLimitReached) return "cycles";
  return "done";
}

}  // namespace

JsonEvents::JsonEvents(std::ostream& out, const CliSurface& surface, GivenInput given)
    : out_(out), surface_(surface), given_(std::move(given)) {}

void JsonEvents::Input(const InputRecord& input) {
  WriteLine(out_,
            {{"given", {{"flag", given_.flag}, {"value", given_.value}}},
             {"braid", input.braid},
             {"file", input.fileName},
             {"presentation", PresentationJson(input.presentation)},
             {"simplified", PresentationJson(input.simplified)},
             {"substitutions", input.substitutions}},
            "input");
}

void JsonEvents::RepresentationEvaluated(const RepresentationRecord& r) {
  WriteLine(
      out_,
      {{"cycle", r.cycle},
       {"kind", r.kind},
       {"degree", r.degree},
       {"images", ImagesJson(r.images)},
       {"imageOrder", r.imageOrder == 0 ? json(nullptr) : json(r.imageOrder)},
       {"field", r.twisted.prime},
       {"twisted", PolynomialJson(r.twisted)},
       {"zeroth", PolynomialJson(r.zeroth)},
       {"second", r.second ? PolynomialJson(*r.second) : json(nullptr)},
       {"degrees", {{"twisted", r.twistedDegree}, {"zeroth", r.zerothDegree}, {"second", r.secondDegree}}},
       {"positiveRank", r.positiveRank},
       {"rank", r.rank},
       {"bounds", {{"genus", r.genusBound}, {"norm", r.normBound}, {"best", r.bestBound}}},
       {"verdicts", r.verdicts}},
      "representation");
}

void JsonEvents::ClassEvaluated(const ClassRecord& c) {
  WriteLine(
      out_,
      {{"index", c.index}, {"images", ImagesJson(c.images)}, {"polynomial", PolynomialJson(c.polynomial)}},
      "class");
}

void JsonEvents::ProductComputed(const ProductRecord& p) {
  WriteLine(out_,
            {{"group", p.group},
             {"classes", p.classes},
             {"untwisted", PolynomialJson(p.untwisted)},
             {"product", p.product ? PolynomialJson(*p.product) : json(nullptr)}},
            "product");
}

void JsonEvents::ListLineFinished(const ListLineRecord& line) {
  WriteLine(out_, {{"knot", line.knot}, {"knots", line.knots}, {"name", line.name}, {"result", line.result}},
            "list_line");
}

void JsonEvents::Error(std::string_view message) {
  WriteLine(out_, {{"message", message}, {"line", "ERROR: " + std::string(message)}}, "error");
}

void JsonEvents::RunEnded(const RunEndRecord& end) {
  json summary = {{"mode", end.mode}, {"ended", EndReason(end, surface_)}};
  if (end.mode == "norm") {
    summary.update({{"solutions", end.solutions},
                    {"cycles", end.cycles},
                    {"bestBound", end.bestBound},
                    {"verdict", end.possiblyFibered ? "perhaps fibered" : "not fibered"},
                    {"stopConditionMet", end.stopConditionMet}});
  }
  if (end.mode == "isotopy") summary["classes"] = end.classes;
  if (StopSignal() != 0) summary["signal"] = StopSignal();
  WriteLine(out_, std::move(summary), "summary");
}

void PrintPickListJson(std::ostream& out, PickList list, int primesUpTo) {
  switch (list) {
    case PickList::knots:
      for (int p = 1; p <= kKnotTableSize; ++p)
        WriteLine(out, {{"list", "knots"}, {"entry", KnotListEntry(p)}, {"braid", KnotBraid(p)}}, "knot");
      return;
    case PickList::examples:
      for (int p = 1; p <= kExampleCount; ++p)
        WriteLine(out, {{"list", "examples"}, {"entry", ExamplesListEntry(p)}, {"braid", ExampleBraid(p)}},
                  "knot");
      return;
    case PickList::mutants:
      for (int p = 1; p <= MutantsListSize(); ++p) {
        const std::string_view entry = MutantsListEntry(p);
        if (entry.find_first_not_of('*') == std::string_view::npos) continue;  // a separator
        WriteLine(out, {{"list", "mutants"}, {"entry", entry}}, "knot");
      }
      return;
    case PickList::primes:
      for (int p = 1; p <= kPrimeKnotCount && PrimeKnotCrossings(p) <= primesUpTo; ++p) {
        const std::string diagram = TableKnotDiagram(PrimeKnotName(p)).value_or("");
        const bool braid = FormOfDiagramText(diagram) == DiagramForm::braid;
        WriteLine(out,
                  {{"list", "primes"},
                   {"entry", PrimeKnotName(p)},
                   {"crossings", PrimeKnotCrossings(p)},
                   {braid ? "braid" : "pd", diagram}},
                  "knot");
      }
      return;
  }
}

}  // namespace quarvel::cli
