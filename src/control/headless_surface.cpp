#include "control/headless_surface.h"

#include <algorithm>
#include <sstream>
#include <string_view>

namespace quarvel {
namespace {

bool Overlaps(const HeadlessSurface::Item& a, int x, int y, int width) {
  return a.x < x + width && x < a.x + a.width && a.y < y + kLineHeight && y < a.y + kLineHeight;
}

std::string PanelHeading(ComputationWindow window, int panel) {
  if (window == ComputationWindow::norm) return "--- panel " + std::to_string(panel) + " ---";
  if (panel == kIsotopyHeaderPanel) return "--- isotopy header ---";
  return "--- isotopy panel " + std::to_string(panel) + " ---";
}

}  // namespace

// Items never overlap one another, so their order does not matter (the panel lines sort them): the
// untouched items stay where they are, the pieces of cut ones and the new item go to the end.
void HeadlessSurface::Place(ComputationWindow window, int panel, int eraseX, int eraseWidth, Item item) {
  std::vector<Item>& items = panels_[{window, panel}];
  std::vector<Item> pieces;
  size_t kept = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    Item& old = items[i];
    if (!Overlaps(old, eraseX, item.y, eraseWidth)) {
      if (kept != i) items[kept] = std::move(old);
      ++kept;
    } else if (!old.glyph) {
      // The characters left and right of the drawn area stay, as on the screen.
      int length = static_cast<int>(old.text.size());
      int left = std::clamp((eraseX - old.x) / kCharacterWidth, 0, length);
      int rightStart = (eraseX + eraseWidth - old.x + kCharacterWidth - 1) / kCharacterWidth;
      rightStart = std::clamp(rightStart, left, length);
      AddText(pieces, old.x, old.y, std::string_view(old.text).substr(0, left));
      AddText(pieces, old.x + kCharacterWidth * rightStart, old.y,
              std::string_view(old.text).substr(rightStart));
    }
  }
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
  for (Item& piece : pieces) items.push_back(std::move(piece));
  if (!item.text.empty()) items.push_back(std::move(item));
}

void HeadlessSurface::AddText(std::vector<Item>& items, int x, int y, std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return;
  size_t last = text.find_last_not_of(' ');
  std::string kept(text.substr(first, last + 1 - first));
  int width = kCharacterWidth * static_cast<int>(kept.size());
  items.push_back(Item{x + kCharacterWidth * static_cast<int>(first), y, width, std::move(kept), false});
}

void HeadlessSurface::DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) {
  size_t last = text.find_last_not_of(' ');
  std::string_view shown = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  if (transcript_) *transcript_ << 'P' << panel << '\t' << x << '\t' << y << '\t' << shown << '\n';

  std::vector<Item> drawn;
  AddText(drawn, x, y, shown);
  Item item = drawn.empty() ? Item{x, y, 0, {}, false} : std::move(drawn.front());
  // The erased area starts at x and spans every blank, even where the kept text is shorter.
  Place(window, panel, x, kCharacterWidth * static_cast<int>(text.size()), std::move(item));
}

void HeadlessSurface::DrawMapsTo(ComputationWindow window, int panel, int x, int y) {
  if (transcript_) *transcript_ << 'A' << panel << '\t' << x << '\t' << y << '\n';
  Place(window, panel, x, kMapsToWidth, Item{x, y, kMapsToWidth, "->", true});
}

void HeadlessSurface::ProcessMessages(RunFlags& flags) {
  ++pumps_;
  if (flags.paused) flags.stopRequested = true;
}

void HeadlessSurface::ShowWindow(ComputationWindow) {
  // Nothing to show: the panels exist as soon as something is drawn on them.
}

std::vector<std::string> HeadlessSurface::PanelLines(ComputationWindow window, int panel) const {
  std::vector<std::string> lines;
  auto found = panels_.find({window, panel});
  if (found == panels_.end()) return lines;
  std::vector<Item> items = found->second;
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  int lastY = 0;
  for (const Item& item : items) {
    if (lines.empty() || item.y != lastY) {
      lines.push_back(item.text);
    } else {
      lines.back() += ' ' + item.text;
    }
    lastY = item.y;
  }
  return lines;
}

std::string HeadlessSurface::PanelText(ComputationWindow window, int panel) const {
  std::string text;
  for (const std::string& line : PanelLines(window, panel)) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

std::string HeadlessSurface::Snapshot() const {
  std::ostringstream out;
  for (const auto& [key, items] : panels_) {
    if (items.empty()) continue;
    out << PanelHeading(key.first, key.second) << '\n';
    for (const std::string& line : PanelLines(key.first, key.second)) out << line << '\n';
  }
  return out.str();
}

}  // namespace quarvel
