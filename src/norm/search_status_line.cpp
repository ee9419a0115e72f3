#include "norm/search_status_line.h"

namespace quarvel {
namespace {

constexpr int kStatusPanel = 1;
constexpr int kStatusLineY = 7;
constexpr int kColumnMargin = 7;
constexpr int kSubscriptY = 13;
constexpr int kSymmetricSubscriptOffset = 106;
constexpr int kAlternatingSubscriptOffset = 108;
constexpr int kAttemptsBlanks = 10;
constexpr int kAbelianAttemptsBlanks = 12;
constexpr int kAbelianAttemptsX = 400 + kColumnMargin;

// The lines blanked on the output panel when the degree grows.
constexpr int kEscalationBlankLines = 40;
constexpr int kEscalationBlankX = 10;
constexpr int kEscalationBlankY = 70;
constexpr int kEscalationBlankWidth = 241;

}  // namespace

SearchStatusLine::SearchStatusLine(Workbench& wb) : wb_(wb) {
  const RepFamily family = wb.settings.repFamily;
  columns_ = family == RepFamily::metabelian ? Columns{280, 400, 570}
             : family == RepFamily::abelian  ? Columns{0, 200, 400}
                                             : Columns{0, 150, 400};
}

void SearchStatusLine::GroupStarted(const SearchedGroup& group) {
  WriteGroupName(group);
  WriteText(wb_.panels, kStatusPanel, columns_.x1 + kColumnMargin, kStatusLineY,
            "Number of generators in presentation: " + std::to_string(wb_.presentation.generatorCount));
}

void SearchStatusLine::DegreeRaised(const SearchedGroup& group) {
  WriteGroupName(group);
  const std::string blanks(kEscalationBlankWidth, ' ');
  for (int i = 1; i <= kEscalationBlankLines; ++i) {
    WriteText(wb_.panels, wb_.run.outputPanel, kEscalationBlankX, kEscalationBlankY + 8 * (i - 1), blanks);
  }
}

void SearchStatusLine::Attempts(int64_t tries) {
  ShowAttempts(columns_.x2 + kColumnMargin, tries, kAttemptsBlanks);
}

void SearchStatusLine::AbelianDraws(int64_t draws) {
  ShowAttempts(kAbelianAttemptsX, draws, kAbelianAttemptsBlanks);
}

void SearchStatusLine::WriteGroupName(const SearchedGroup& group) {
  switch (group.kind) {
    case SearchKind::trivial:
      // The trivial pass precedes every abelian search, so the abelian kind is named here.
      if (wb_.settings.repFamily == RepFamily::abelian)
        WriteText(wb_.panels, kStatusPanel, kColumnMargin, kStatusLineY, "Abelian representations");
      return;
    case SearchKind::metabelian: {
      const std::string n = std::to_string(group.metabelianN);
      const std::string l = std::to_string(group.metabelianL);
      WriteText(wb_.panels, kStatusPanel, kColumnMargin, kStatusLineY,
                "Metabelian group: Z/" + n + "xZ/" + l + " and 1 in Z/" + n + " acts by multiplication by " +
                    std::to_string(group.metabelianZ) + " on Z/" + l);
      return;
    }
    case SearchKind::permutation: {
      WriteText(wb_.panels, kStatusPanel, columns_.x0 + kColumnMargin, kStatusLineY,
                group.alternating ? "Permutation group: A" : "Permutation group: S");
      const int offset = group.alternating ? kAlternatingSubscriptOffset : kSymmetricSubscriptOffset;
      WriteText(wb_.panels, kStatusPanel, columns_.x0 + offset, kSubscriptY, std::to_string(group.degree));
      return;
    }
    case SearchKind::abelian:
      return;
  }
}

void SearchStatusLine::ShowAttempts(int x, int64_t shown, int blanks) {
  WriteText(wb_.panels, kStatusPanel, x, kStatusLineY,
            "Attempts at finding representation: " + WithThousandsCommas(shown) + std::string(blanks, ' '));
}

std::string WithThousandsCommas(int64_t value) {
  std::string text = std::to_string(value);
  const size_t digits = text.size();
  if (value >= 1000) text.insert(digits - 3, ",");
  if (value >= 1000000) text.insert(digits - 6, ",");
  return text;
}

}  // namespace quarvel
