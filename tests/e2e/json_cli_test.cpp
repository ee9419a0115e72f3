// quarvel-cli --format json: every line is one JSON object with its type and schema, the objects
// say what the panels of the same run show, the isotopy product is complete, and a run that is
// stopped still ends with a summary saying why.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <nlohmann/json.hpp>
#include <tuple>

#include "bounds/genus_norm_bounds.h"
#include "e2e/cli_runner.h"
#include "run/run_event_records.h"

namespace quarvel::testing {
namespace {

using nlohmann::json;

// Every line of stdout as an object; a line that does not parse fails the test.
std::vector<json> JsonLines(const std::string& out) {
  std::vector<json> objects;
  for (const std::string& line : Lines(out)) {
    json object = json::parse(line, nullptr, false);
    EXPECT_TRUE(object.is_object()) << "not a JSON object: " << line;
    if (!object.is_object()) continue;
    EXPECT_EQ(object.value("schema", 0), 1) << line;
    EXPECT_TRUE(object.contains("type")) << line;
    objects.push_back(std::move(object));
  }
  return objects;
}

std::vector<json> OfType(const std::vector<json>& objects, const std::string& type) {
  std::vector<json> found;
  std::copy_if(objects.begin(), objects.end(), std::back_inserter(found),
               [&type](const json& o) { return o["type"] == type; });
  return found;
}

// The text after `prefix` on the first line that starts with it.
std::string After(const std::vector<std::string>& lines, const std::string& prefix) {
  for (const std::string& line : lines) {
    if (line.starts_with(prefix)) return line.substr(prefix.size());
  }
  ADD_FAILURE() << "no line starts with \"" << prefix << "\"";
  return {};
}

// Polynomial text (its pieces joined), degree and genus bound of one evaluation.
using Evaluation = std::tuple<std::string, std::string, std::string>;

// The evaluations an output panel of the norm window shows.
std::vector<Evaluation> ShownEvaluations(const std::vector<std::string>& panel) {
  std::vector<Evaluation> shown;
  for (size_t i = 0; i < panel.size(); ++i) {
    if (!panel[i].starts_with("Twisted Alexander polynomial in F_")) continue;
    std::string text;
    size_t j = i + 1;
    for (; j < panel.size() && !panel[j].starts_with("Degree of twisted"); ++j) text += panel[j];
    if (j + 1 >= panel.size()) continue;
    shown.emplace_back(text, panel[j].substr(panel[j].rfind(' ') + 1),
                       panel[j + 1].substr(panel[j + 1].rfind(' ') + 1));
  }
  return shown;
}

Evaluation EvaluationOf(const json& r) {
  return {r["twisted"]["text"], std::to_string(r["degrees"]["twisted"].get<int>()),
          TwoDecimals(r["bounds"]["genus"].get<double>())};
}

TEST(PolynomialRecord, StartsAtTheLowestTermAndPrintsAsThePanels) {
  const PolynomialRecord shifted = PolynomialRecordOf(Polynomial{{0, 0, 3, 0, 1}}, 5);
  EXPECT_EQ(shifted.coefficients, (std::vector<Residue>{3, 0, 1}));
  EXPECT_EQ(shifted.lowestExponent, 2);
  EXPECT_EQ(shifted.prime, 5);
  EXPECT_EQ(shifted.text, "3+t^2");
  const PolynomialRecord zero = PolynomialRecordOf(Polynomial{}, 5);
  EXPECT_TRUE(zero.coefficients.empty());
  EXPECT_EQ(zero.text, "0");
}

class NormJson : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(NormJson, ObjectsEqualWhatThePanelsShow) {
  TempDir panelsDir;
  TempDir jsonDir;
  CliResult panels = RunCliIn(panelsDir.path(), GetParam());
  std::vector<std::string> args = GetParam();
  args.insert(args.end(), {"--format", "json"});
  CliResult run = RunCliIn(jsonDir.path(), args);
  ASSERT_EQ(run.exitStatus, panels.exitStatus) << run.err;
  EXPECT_EQ(run.out.find("--- panel"), std::string::npos) << "a snapshot in JSON mode";
  const std::vector<json> objects = JsonLines(run.out);
  ASSERT_FALSE(objects.empty());
  EXPECT_EQ(objects.front()["type"], "input");
  const json& summary = objects.back();
  ASSERT_EQ(summary["type"], "summary");
  EXPECT_EQ(summary["ended"], "cycles");

  std::vector<Evaluation> evaluations;
  for (const json& r : OfType(objects, "representation")) {
    if (r["kind"] != "untwisted") evaluations.push_back(EvaluationOf(r));
  }
  std::vector<Evaluation> shown = ShownEvaluations(Panel(panels, 3));
  const std::vector<Evaluation> shownOn4 = ShownEvaluations(Panel(panels, 4));
  shown.insert(shown.end(), shownOn4.begin(), shownOn4.end());
  ASSERT_FALSE(shown.empty());
  ASSERT_GE(evaluations.size(), shown.size());
  // The two output panels keep the last evaluations.
  std::vector<Evaluation> last(evaluations.end() - static_cast<std::ptrdiff_t>(shown.size()),
                               evaluations.end());
  std::sort(shown.begin(), shown.end());
  std::sort(last.begin(), last.end());
  EXPECT_EQ(last, shown);
  EXPECT_EQ(std::to_string(summary["solutions"].get<int>()),
            After(Panel(panels, 6), "Number of solutions: "));
  EXPECT_EQ(TwoDecimals(summary["bestBound"].get<double>()),
            After(Panel(panels, 7), "Maximal lower bound for genus of K: "));
}

// The fixed runs of the golden report tests.
INSTANTIATE_TEST_SUITE_P(
    GoldenRuns, NormJson,
    ::testing::Values(std::vector<std::string>{"norm", "--knot", "3_1", "--rep", "sk-z", "--save", "results",
                                               "--matrix", "matrix", "--cycles", "3"},
                      std::vector<std::string>{"norm", "--knot", "11_401", "--save", "results", "--matrix",
                                               "matrix", "--cycles", "3"}));

TEST(IsotopyJson, ClassesAndProductEqualWhatThePanelsShow) {
  const std::vector<std::string> args = {"isotopy", "--knot", "4_1", "--group", "s4", "--save", "results"};
  CliResult panels = RunCli(args);
  std::vector<std::string> jsonArgs = args;
  jsonArgs.insert(jsonArgs.end(), {"--format", "json"});
  CliResult run = RunCli(jsonArgs);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::vector<json> objects = JsonLines(run.out);
  const std::vector<json> classes = OfType(objects, "class");
  const std::vector<json> products = OfType(objects, "product");
  ASSERT_EQ(products.size(), 1u);
  const json& product = products.front();
  EXPECT_EQ(product["classes"], classes.size());
  EXPECT_EQ(objects.back()["classes"], classes.size());
  EXPECT_EQ(objects.back()["ended"], "done");
  EXPECT_TRUE(After(IsotopyPanel(panels, 2), "Number of non-abelian homomorphisms")
                  .ends_with(": " + std::to_string(classes.size())));
  std::string classPanel;
  for (const std::string& line : IsotopyPanel(panels, 2)) classPanel += line + "\n";
  for (const json& c : classes)
    EXPECT_NE(classPanel.find(c["polynomial"]["text"].get<std::string>()), std::string::npos) << c.dump();
  EXPECT_EQ(" " + product["product"]["text"].get<std::string>(),
            After(IsotopyPanel(panels, 3), "The product of the twisted Alexander polynomial equals: "));
}

// (exponent, coefficient) of each term of a polynomial text such as "1+4t+t^2".
std::vector<std::pair<int, int>> Terms(const std::string& text) {
  std::vector<std::pair<int, int>> terms;
  for (size_t start = text.find_first_not_of(" +"); start < text.size();) {
    size_t end = std::min(text.find('+', start), text.size());
    const std::string term = text.substr(start, end - start);
    const size_t t = term.find('t');
    const int coefficient = t == 0 ? 1 : std::stoi(term.substr(0, t));
    const int exponent = t == std::string::npos ? 0
                         : term.size() == t + 1 ? 1
                                                : std::stoi(term.substr(t + 2));
    terms.emplace_back(exponent, coefficient);
    start = end + 1;
  }
  return terms;
}

std::vector<std::pair<int, int>> Terms(const json& polynomial) {
  std::vector<std::pair<int, int>> terms;
  const int lowest = polynomial["lowestExponent"];
  const std::vector<int> coefficients = polynomial["coefficients"];
  for (size_t i = 0; i < coefficients.size(); ++i) {
    if (coefficients[i] != 0) terms.emplace_back(static_cast<int>(i) - lowest, coefficients[i]);
  }
  return terms;
}

// The product the results file writes, its lines joined.
std::string ResultsFileProduct(const std::filesystem::path& file) {
  std::string product;
  bool inside = false;
  for (std::string line : Lines(ReadWholeFile(file))) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("Product of twisted")) {
      inside = true;
    } else if (inside && line.starts_with("=")) {
      break;
    } else if (inside) {
      product += line;
    }
  }
  return product;
}

TEST(IsotopyJson, TheWholeProductOfALongRunEqualsTheResultsFileTermForTerm) {
  TempDir dir;
  CliResult run = RunCliIn(
      dir.path(), {"isotopy", "--knot", "11_401", "--group", "s6", "--save", "results", "--format", "json"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::vector<json> products = OfType(JsonLines(run.out), "product");
  ASSERT_EQ(products.size(), 1u);
  const json& product = products.front()["product"];
  const std::string written = ResultsFileProduct(dir.path() / "quarvel_results.txt");
  ASSERT_GT(written.size(), 1000u) << "too short to test what the panels shorten";
  EXPECT_EQ(Terms(product), Terms(written));
  EXPECT_EQ(Terms(product["text"].get<std::string>()), Terms(written));

  // Every line parses for another reader too.
  const auto lines = dir.Write("lines.jsonl", run.out);
  const std::string check = "/usr/bin/python3 -c 'import json, sys; [json.loads(l) for l in sys.stdin]' < " +
                            ShellQuote(lines.string());
  EXPECT_EQ(std::system(check.c_str()), 0);
}

TEST(StoppedJson, ATimeLimitOrASignalEndsWithASummarySayingSo) {
  CliResult timed = RunCli(
      {"norm", "--knot", "11_401", "--size", "7", "--save", "none", "--time-limit", "1", "--format", "json"});
  EXPECT_EQ(timed.exitStatus, 0) << timed.err;
  std::vector<json> objects = JsonLines(timed.out);
  ASSERT_FALSE(objects.empty());
  EXPECT_EQ(objects.back()["type"], "summary");
  EXPECT_EQ(objects.back()["ended"], "time limit");

  TempDir dir;
  const pid_t pid = StartCliIn(
      dir.path(), {"norm", "--knot", "11_401", "--size", "7", "--save", "none", "--format", "json"});
  const int status = SignalAfter(pid, std::chrono::seconds(3), SIGINT);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT);
  objects = JsonLines(ReadWholeFile(dir.path() / "out.txt"));
  ASSERT_FALSE(objects.empty());
  EXPECT_EQ(objects.back()["ended"], "signal");
  EXPECT_EQ(objects.back()["signal"], SIGINT);
}

TEST(ErrorJson, AnErrorIsAnObjectAndTheRunEndsOnIt) {
  CliResult run = RunCli({"norm", "--braid", "{1,0}", "--format", "json"});
  EXPECT_EQ(run.exitStatus, 1);
  const std::vector<json> objects = JsonLines(run.out);
  const std::vector<json> errors = OfType(objects, "error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors.front()["message"], "Not a valid braid description");
  EXPECT_EQ(objects.back()["ended"], "error");
}

TEST(KnotsJson, OneObjectPerListedKnotWithTheBraidThePanelsListShows) {
  CliResult text = RunCli({"knots"});
  CliResult run = RunCli({"knots", "--format", "json"});
  ASSERT_EQ(run.exitStatus, 0);
  const std::vector<json> knots = OfType(JsonLines(run.out), "knot");
  const std::vector<std::string> lines = Lines(text.out);
  ASSERT_EQ(knots.size() + 1, lines.size());  // the text starts with the list's header
  for (size_t i = 0; i < knots.size(); ++i)
    EXPECT_EQ(knots[i]["entry"].get<std::string>() + "  " + knots[i]["braid"].get<std::string>(),
              lines[i + 1]);
}

TEST(PanelsFormat, IsTheDefault) {
  const std::vector<std::string> args = {"norm", "--knot", "3_1", "--save", "none", "--cycles", "2"};
  std::vector<std::string> explicitArgs = args;
  explicitArgs.insert(explicitArgs.end(), {"--format", "panels"});
  EXPECT_EQ(RunCli(explicitArgs).out, RunCli(args).out);
  EXPECT_EQ(RunCli({"norm", "--knot", "3_1", "--format", "xml"}).exitStatus, 2);
}

}  // namespace
}  // namespace quarvel::testing
