#include "base/headless_surface.h"

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

// Items never overlap one another, so their order within a line does not matter (the panel lines
// sort them): an erased item's place goes to the line's last item, and the pieces of cut ones and
// the new item go to the end. Only the lines within the drawing's band are looked at. The text of
// an erased item lends its storage to the new one, so that redrawing a line in place (the progress
// texts) allocates nothing.
void HeadlessSurface::Place(std::map<int, std::vector<Item>>& lines, int eraseX, int eraseWidth,
                            const Drawn& drawn) {
  std::string storage;
  auto line = lines.lower_bound(drawn.y - kLineHeight + 1);
  while (line != lines.end() && line->first < drawn.y + kLineHeight) {
    std::vector<Item>& items = line->second;
    std::vector<Item> pieces;
    for (size_t i = 0; i < items.size();) {
      Item& old = items[i];
      if (!Overlaps(old, eraseX, drawn.y, eraseWidth)) {
        ++i;
        continue;
      }
      if (!old.glyph) {
        // The characters left and right of the drawn area stay, as on the screen.
        int length = static_cast<int>(old.text.size());
        int left = std::clamp((eraseX - old.x) / kCharacterWidth, 0, length);
        int rightStart = (eraseX + eraseWidth - old.x + kCharacterWidth - 1) / kCharacterWidth;
        rightStart = std::clamp(rightStart, left, length);
        AddText(pieces, old.x, old.y, std::string_view(old.text).substr(0, left));
        AddText(pieces, old.x + kCharacterWidth * rightStart, old.y,
                std::string_view(old.text).substr(rightStart));
        if (old.text.capacity() > storage.capacity()) storage.swap(old.text);
      }
      // The last item takes the erased one's place.
      if (i + 1 != items.size()) old = std::move(items.back());
      items.pop_back();
    }
    for (Item& piece : pieces) items.push_back(std::move(piece));
    // An emptied line goes, unless the drawing is about to fill it again.
    const bool refilled = line->first == drawn.y && !drawn.text.empty();
    line = items.empty() && !refilled ? lines.erase(line) : std::next(line);
  }
  if (drawn.text.empty()) return;
  storage.assign(drawn.text);
  lines[drawn.y].push_back(Item{drawn.x, drawn.y, drawn.width, std::move(storage), drawn.glyph});
}

HeadlessSurface::Drawn HeadlessSurface::Trimmed(int x, int y, std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return Drawn{x, y, 0, {}, false};
  size_t last = text.find_last_not_of(' ');
  std::string_view kept = text.substr(first, last + 1 - first);
  return Drawn{x + kCharacterWidth * static_cast<int>(first), y,
               kCharacterWidth * static_cast<int>(kept.size()), kept, false};
}

void HeadlessSurface::AddText(std::vector<Item>& items, int x, int y, std::string_view text) {
  const Drawn kept = Trimmed(x, y, text);
  if (!kept.text.empty()) items.push_back(Item{kept.x, kept.y, kept.width, std::string(kept.text), false});
}

HeadlessSurface::Panel& HeadlessSurface::PanelOf(ComputationWindow window, int panel) {
  const PanelKey key{window, panel};
  if (lastPanel_ == nullptr || lastKey_ != key) {
    lastPanel_ = &panels_[key];  // map nodes stay where they are
    lastKey_ = key;
  }
  return *lastPanel_;
}

void HeadlessSurface::DrawText(ComputationWindow window, int panel, int x, int y, std::string_view text) {
  size_t last = text.find_last_not_of(' ');
  std::string_view shown = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  if (transcript_) *transcript_ << 'P' << panel << '\t' << x << '\t' << y << '\t' << shown << '\n';
  Panel& drawnOn = PanelOf(window, panel);
  if (drawnOn.hasLastText && drawnOn.lastX == x && drawnOn.lastY == y && drawnOn.lastText == text) return;
  // The erased area starts at x and spans every blank, even where the kept text is shorter.
  Place(drawnOn.lines, x, kCharacterWidth * static_cast<int>(text.size()), Trimmed(x, y, shown));
  drawnOn.hasLastText = true;
  drawnOn.lastX = x;
  drawnOn.lastY = y;
  drawnOn.lastText.assign(text);
}

void HeadlessSurface::DrawMapsTo(ComputationWindow window, int panel, int x, int y) {
  if (transcript_) *transcript_ << 'A' << panel << '\t' << x << '\t' << y << '\n';
  Panel& drawnOn = PanelOf(window, panel);
  drawnOn.hasLastText = false;
  Place(drawnOn.lines, x, kMapsToWidth, Drawn{x, y, kMapsToWidth, "->", true});
}

void HeadlessSurface::ProcessMessages(RunFlags& flags) {
  ++pumps_;
  if (flags.paused) flags.stopRequested = true;
}

void HeadlessSurface::ShowWindow(ComputationWindow) {
  // Nothing to show: the panels exist as soon as something is drawn on them.
}

std::vector<HeadlessSurface::Item> HeadlessSurface::PanelItems(ComputationWindow window, int panel) const {
  std::vector<Item> items;
  auto found = panels_.find({window, panel});
  if (found == panels_.end()) return items;
  for (const auto& [y, line] : found->second.lines) {
    const size_t first = items.size();
    items.insert(items.end(), line.begin(), line.end());
    std::sort(items.begin() + static_cast<std::ptrdiff_t>(first), items.end(),
              [](const Item& a, const Item& b) { return a.x < b.x; });
  }
  return items;
}

std::vector<std::string> HeadlessSurface::PanelLines(ComputationWindow window, int panel) const {
  std::vector<std::string> lines;
  bool first = true;
  int lineY = 0;
  for (const Item& item : PanelItems(window, panel)) {
    if (first || item.y != lineY) {
      lines.emplace_back();
      lineY = item.y;
      first = false;
    }
    std::string& text = lines.back();
    text += (text.empty() ? "" : " ") + item.text;
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
  for (const auto& [key, panel] : panels_) {
    const std::vector<std::string> lines = PanelLines(key.first, key.second);
    if (lines.empty()) continue;
    out << PanelHeading(key.first, key.second) << '\n';
    for (const std::string& line : lines) out << line << '\n';
  }
  return out.str();
}

}  // namespace quarvel
