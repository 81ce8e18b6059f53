#include "platform/surface.h"

#include <algorithm>

namespace m1 {

void Surface::Cls() {
  items_.clear();
  log_.push_back(DrawOp{DrawOp::Kind::Clear, 0, 0, 0, 0, {}, {}});
  x_ = 0;
  y_ = 0;
  Changed();
}

void Surface::Print(std::string_view text, bool endLine) {
  const Twips width = metrics_->TextWidth(text);
  if (!text.empty()) {
    DrawOp op{DrawOp::Kind::Text, x_, y_, x_ + width, y_ + metrics_->TextHeight(text), fore_,
              std::string(text)};
    log_.push_back(op);
    // Printing the same text in the same colour at the same place again keeps one item, now on
    // top of whatever was drawn since (a fill over part of it, for instance).
    std::erase(items_, op);
    items_.push_back(std::move(op));
    Changed();
  }
  if (endLine) {
    y_ += metrics_->TextHeight("sample");
    x_ = 0;
  } else {
    x_ += width;
  }
}

void Surface::Fill(Twips x1, Twips y1, Twips x2, Twips y2, Rgb colour) {
  const Twips left = std::min(x1, x2), right = std::max(x1, x2);
  const Twips top = std::min(y1, y2), bottom = std::max(y1, y2);
  // A fill hides every earlier fill inside it, and every text that starts inside it: the dump
  // rows of the main window reach a few twips below the area it clears, and keeping them would let
  // the list grow with every redraw.
  std::erase_if(items_, [&](const DrawOp& op) {
    const auto inside = [&](Twips x, Twips y) {
      return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (op.kind == DrawOp::Kind::Text) return inside(op.x, op.y);
    return inside(op.x, op.y) && inside(op.x2, op.y2);
  });
  DrawOp op{DrawOp::Kind::Fill, x1, y1, x2, y2, colour, {}};
  items_.push_back(op);
  log_.push_back(std::move(op));
  x_ = x2;
  y_ = y2;
  Changed();
}

std::vector<DrawOp> Surface::TakeLog() {
  std::vector<DrawOp> out;
  out.swap(log_);
  return out;
}

}  // namespace m1
