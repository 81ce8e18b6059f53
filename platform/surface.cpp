#include "platform/surface.h"

#include <algorithm>

namespace m1 {

void Surface::Cls() {
  items_.clear();
  log_.push_back(DrawOp{DrawOp::Kind::Clear});
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
    // Printing the same text in the same colour at the same place changes nothing on screen.
    if (std::find(items_.begin(), items_.end(), op) == items_.end()) items_.push_back(std::move(op));
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
  std::erase_if(items_, [&](const DrawOp& op) {
    const Twips opRight = op.kind == DrawOp::Kind::Fill ? std::max(op.x, op.x2) : op.x2;
    const Twips opBottom = op.kind == DrawOp::Kind::Fill ? std::max(op.y, op.y2) : op.y2;
    const Twips opLeft = op.kind == DrawOp::Kind::Fill ? std::min(op.x, op.x2) : op.x;
    const Twips opTop = op.kind == DrawOp::Kind::Fill ? std::min(op.y, op.y2) : op.y;
    return opLeft >= left && opRight <= right && opTop >= top && opBottom <= bottom;
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
