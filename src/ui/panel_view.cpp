#include "ui/panel_view.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QTextBlock>

#include "ui/appearance.h"

namespace quarvel::ui {

PanelView::PanelView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFont(PanelFont());
  setUndoRedoEnabled(false);
  document()->setDocumentMargin(5);
}

void PanelView::ShowItems(const std::vector<HeadlessSurface::Item>& items) {
  PanelTextLayout layout = LayOutPanelText(items);
  if (layout.lines == layout_.lines) {
    layout_ = std::move(layout);
    return;
  }
  layout_ = std::move(layout);
  const int across = horizontalScrollBar()->value();
  const int down = verticalScrollBar()->value();
  const QTextCursor selection = textCursor();
  const int anchor = selection.anchor();
  const int position = selection.position();
  setPlainText(Text());
  QTextCursor restored(document());
  const int last = document()->characterCount() - 1;
  restored.setPosition(std::min(anchor, last));
  restored.setPosition(std::min(position, last), QTextCursor::KeepAnchor);
  setTextCursor(restored);
  horizontalScrollBar()->setValue(across);
  verticalScrollBar()->setValue(down);
}

QSize PanelView::ContentSize() const {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (const QString& line : layout_.lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  const int margins = 2 * static_cast<int>(document()->documentMargin()) + 2 * frameWidth();
  const auto lines = static_cast<int>(layout_.lines.size());
  // One pixel a side for the cursor, which a read-only panel keeps too.
  return QSize(widest + margins + 2, lines * metrics.lineSpacing() + margins);
}

QRect PanelView::ItemRect(size_t index) const {
  const PlacedItem& item = layout_.items.at(index);
  const QTextBlock block = document()->findBlockByNumber(item.line);
  const QRectF line = blockBoundingGeometry(block);
  const QFontMetrics metrics(font());
  const int margin = static_cast<int>(document()->documentMargin());
  const int x = margin + metrics.horizontalAdvance(block.text().left(item.column));
  return QRect(x, static_cast<int>(line.top()), metrics.horizontalAdvance(item.text),
               static_cast<int>(line.height()));
}

}  // namespace quarvel::ui
