#include "platform/surface.h"

#include <algorithm>

namespace m1 {

void Surface::Cls() {
  items_.clear();
  keys_.clear();
  live_.clear();
  std::fill(slots_.begin(), slots_.end(), 0u);
  indexed_ = 0;
  dead_ = 0;
  Log(DrawOp{DrawOp::Kind::Clear, 0, 0, 0, 0, {}, {}});
  x_ = 0;
  y_ = 0;
  Changed();
}

void Surface::Print(std::string_view text, bool endLine) {
  const Twips width = metrics_->TextWidth(text);
  if (!text.empty()) {
    DrawOp op{DrawOp::Kind::Text, x_, y_, x_ + width, y_ + metrics_->TextHeight(text), fore_,
              std::string(text)};
    Log(op);
    // Printing the same text in the same colour at the same place again keeps one item, now on
    // top of whatever was drawn since (a fill over part of it, for instance).
    const std::uint64_t key = KeyOf(op);
    if (const std::uint32_t found = slots_.empty() ? 0 : slots_[SlotOf(key)]; found != 0) {
      const std::size_t at = found - 1;
      if (live_[at] && items_[at] == op) {
        live_[at] = false;
        ++dead_;
      }
    }
    items_.push_back(std::move(op));
    keys_.push_back(key);
    live_.push_back(true);
    Index(items_.size() - 1);
    if (dead_ > 64 && dead_ * 2 > items_.size()) Compact();
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
  const auto inside = [&](Twips x, Twips y) {
    return x >= left && x <= right && y >= top && y <= bottom;
  };
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const DrawOp& op = items_[i];
    const bool covered = op.kind == DrawOp::Kind::Text ? inside(op.x, op.y)
                                                       : inside(op.x, op.y) && inside(op.x2, op.y2);
    if (covered && live_[i]) {
      live_[i] = false;
      ++dead_;
    }
  }
  DrawOp op{DrawOp::Kind::Fill, x1, y1, x2, y2, colour, {}};
  Log(op);
  items_.push_back(std::move(op));
  keys_.push_back(0);
  live_.push_back(true);
  Compact();
  x_ = x2;
  y_ = y2;
  Changed();
}

const std::vector<DrawOp>& Surface::Items() const {
  if (dead_ > 0) Compact();
  return items_;
}

void Surface::Compact() const {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (!live_[i]) continue;
    if (kept != i) {
      items_[kept] = std::move(items_[i]);
      keys_[kept] = keys_[i];
    }
    ++kept;
  }
  items_.resize(kept);
  keys_.resize(kept);
  live_.assign(kept, true);
  dead_ = 0;
  Rebuild(slots_.size());
}

std::size_t Surface::SlotOf(std::uint64_t key) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t s = key & mask;; s = (s + 1) & mask) {
    const std::uint32_t v = slots_[s];
    if (v == 0 || keys_[v - 1] == key) return s;
  }
}

void Surface::Index(std::size_t i) const {
  if (items_[i].kind != DrawOp::Kind::Text) return;
  if ((indexed_ + 1) * 2 > slots_.size()) Rebuild(std::max<std::size_t>(1024, 4 * items_.size()));
  std::uint32_t& slot = slots_[SlotOf(keys_[i])];
  if (slot == 0) ++indexed_;
  slot = static_cast<std::uint32_t>(i + 1);
}

void Surface::Rebuild(std::size_t size) const {
  std::size_t n = 1024;
  while (n < size) n *= 2;
  slots_.assign(n, 0u);
  indexed_ = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (live_[i]) Index(i);
  }
}

std::uint64_t Surface::KeyOf(const DrawOp& op) {
  // FNV-1a over the text, then the place and the colour.
  std::uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](std::uint64_t v) {
    h ^= v;
    h *= 1099511628211ull;
  };
  for (unsigned char c : op.text) mix(c);
  mix(static_cast<std::uint32_t>(op.x));
  mix(static_cast<std::uint32_t>(op.y));
  mix(static_cast<std::uint64_t>(op.colour.r) << 16 | static_cast<std::uint64_t>(op.colour.g) << 8 |
      static_cast<std::uint64_t>(op.colour.b));
  return h;
}

std::vector<DrawOp> Surface::TakeLog() {
  std::vector<DrawOp> out;
  out.swap(log_);
  return out;
}

}  // namespace m1
