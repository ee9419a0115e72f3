#pragma once
// The option controls of the main window as plain data: the selected item of every list, the
// field check boxes, the size list that follows the representation kind, and the visibility the
// option handlers keep consistent. The GUI mirrors this state; the command line sets it directly.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/run_settings.h"

namespace quarvel {

struct MainWindowOptions {
  std::string braidEditText;
  std::string pickedDirectory;
  std::string pickedName;
  std::string fileNameBox;  // shows the picked name; cleared when a braid is picked from a list
  bool isotopyMode = false;

  // The three braid pick lists: 0 is the header line.
  int knotListPosition = 0;
  int examplesListPosition = 0;
  int mutantsListPosition = 0;

  // Fibration-and-norm mode.
  int fieldtype = 0;
  int reptype = 0;
  int sizebox = 0;
  int fiberedbox = 0;
  std::array<bool, kSelectableFields + 1> fieldChecked{};  // 1-based: F_2 .. F_29
  int imagesizebox = 0;
  int endbox = 0;
  int fastbox = 0;
  int savetype = 0;
  int savematrixtype = 0;

  // Shared by both modes.
  int closedbox = 0;
  int typegroup = 0;

  // Isotopy mode.
  int fieldtypeIsotopy = 0;
  int reptypeIsotopy = 0;
  int nonabelian = 0;
  int fastboxIsotopy = 0;
  int torsion = 0;
  int savetypeIsotopy = 0;

  // What reptypeChange and fiberedboxChange keep in step.
  std::string sizeLabel;
  std::vector<std::string> sizeEntries;
  bool sizeListVisible = true;
  bool fiberedboxVisible = true;
  bool fieldGroupVisible = false;
  int previousReptype = 1;
};

// The defaults of the first activation of the main window.
MainWindowOptions DefaultMainWindowOptions();

// The reptype item changed to `item`: label, size entries, size position and visibility follow.
void reptypeChange(MainWindowOptions& options, int item);
// The fiberedbox item changed to `item`.
void fiberedboxChange(MainWindowOptions& options, int item);
// A click on the check box of field `field` (1 = F_2 .. 10 = F_29).
void fieldCheckBoxClick(MainWindowOptions& options, int field);

// The texts of the lists, in item order.
inline constexpr std::array<std::string_view, 8> kFieldtypeItems = {"F_2",  "F_3",  "F_5",  "F_7",
                                                                    "F_11", "F_13", "F_17", "F_53"};
inline constexpr std::array<std::string_view, 7> kReptypeItems = {
    "Representation pi_1(M) -> S_k -> GL(V), dim(V)=k-1",
    "Representation pi_1(M) -> A_k -> GL(V), dim(V)=k-1",
    "Representation pi_1(M) -> S_k -> GL(Z,k)",
    "Representation pi_1(M) -> A_k -> GL(Z,k)",
    "Abelian representation",
    "S_k - representation",
    "Representation Z/k x Z/n -> GL(F,n)"};
inline constexpr std::array<std::string_view, 2> kFiberedboxItems = {
    "Compute Alexander polynomial for only one field",
    "Compare degrees over several fields to find fibering obstructions"};
inline constexpr std::array<std::string_view, 10> kFieldCheckBoxTexts = {
    "Field F_2",  "Field F_3",  "Field F_5",  "Field F_7",  "Field F_11",
    "Field F_13", "Field F_17", "Field F_19", "Field F_23", "Field F_29"};
inline constexpr std::array<std::string_view, 2> kImagesizeboxItems = {
    "Determine size of the image of pi_1(M) in S_k and the number of generators",
    "Don't determine size of the image of pi_1(M) in S_k and the number of generators"};
inline constexpr std::array<std::string_view, 5> kEndboxItems = {
    "Never stop the computation", "Stop at first non-trivial representation",
    "Stop when manifold is not fibered", "Stop when bound on Thurston norm is improved",
    "Stop when Alexander polynomial vanishes"};
inline constexpr std::array<std::string_view, 5> kFastboxItems = {"no simplification", "low", "medium",
                                                                  "high", "very high"};
inline constexpr std::array<std::string_view, 3> kSavetypeItems = {
    "Save data to quarvel_results.txt", "Save data as a Latex-file to quarvel_latex.tex",
    "Do not save data to a file"};
inline constexpr std::array<std::string_view, 3> kSavematrixtypeItems = {
    "Do not save presentation matrix for H_1(M,pt,F^k[t,t^-1])",
    "Save presentation matrix for H_1(M,pt,F^k[t,t^-1]) to quarvel_matrix.txt",
    "Save presentation matrix for computations with GAP to quarvel_matrix_gap.txt"};
inline constexpr std::array<std::string_view, 2> kClosedboxItems = {
    "Compute polynomials for closed braid", "Compute polynomials for 0-surgery along closed braid"};
inline constexpr std::array<std::string_view, 4> kTypegroupItems = {
    "Fundamental group of a knot complement", "Fundamental group of a link complement",
    "Fundamental group of a manifold with boundary", "Fundamental group of a manifold without boundary"};
inline constexpr std::array<std::string_view, 10> kReptypeIsotopyItems = {
    "Compute only the ordinary Alexander polynomial",   "Representations of the form pi -> S_3 -> GL(F,3)",
    "Representations of the form pi -> A_4 -> GL(F,4)", "Representations of the form pi -> S_4 -> GL(F,4)",
    "Representations of the form pi -> A_5 -> GL(F,5)", "Representations of the form pi -> S_5 -> GL(F,5)",
    "Representations of the form pi -> A_6 -> GL(F,6)", "Representations of the form pi -> S_6 -> GL(F,6)",
    "Representations of the form pi -> A_7 -> GL(F,7)", "Representations of the form pi -> S_7 -> GL(F,7)"};
inline constexpr std::array<std::string_view, 10> kIsotopyGroupNames = {"s1", "s3", "a4", "s4", "a5",
                                                                        "s5", "a6", "s6", "a7", "s7"};
inline constexpr std::array<std::string_view, 2> kNonabelianItems = {
    "Consider all homomorphisms pi -> S_k", "Only consider non-abelian homomorphisms pi -> S_k"};
inline constexpr std::array<std::string_view, 4> kFastboxIsotopyItems = {"Low", "Medium", "High",
                                                                         "Very high"};
inline constexpr std::array<std::string_view, 2> kTorsionItems = {
    "Compute product of twisted Alexander polynomials",
    "Compute product of twisted torsion Alexander polynomials"};
inline constexpr std::array<std::string_view, 3> kSavetypeIsotopyItems = {
    "Save the data to quarvel_results.txt", "Save the data as Latex-file to quarvel_latex.tex",
    "Do not save the data"};

}  // namespace quarvel
