#pragma once
// `--format json`: the run's events as JSON Lines on stdout, one object per event, each with its
// "type" and "schema" (docs/json.md). The final "summary" says what ended the run, which only the
// front end knows (the time limit, a signal).

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "cli/cli_surface.h"
#include "run/run_events.h"

namespace quarvel::cli {

inline constexpr int kJsonSchema = 1;

class JsonEvents : public RunEvents {
 public:
  // `out` and `surface` must outlive the events.
  JsonEvents(std::ostream& out, const CliSurface& surface, GivenInput given);

  void Input(const InputRecord& input) override;
  void RepresentationEvaluated(const RepresentationRecord& representation) override;
  void ClassEvaluated(const ClassRecord& isotopyClass) override;
  void ProductComputed(const ProductRecord& product) override;
  void ListLineFinished(const ListLineRecord& line) override;
  void Error(std::string_view message) override;
  void RunEnded(const RunEndRecord& end) override;

 private:
  std::ostream& out_;
  const CliSurface& surface_;
  GivenInput given_;
};

// `quarvel-cli knots --format json`: one "knot" object per entry of the pick list.
void PrintPickListJson(std::ostream& out, PickList list, int primesUpTo);

}  // namespace quarvel::cli
