// The drawing surface of a window: a pen position in twips, a text colour, prints that start at the
// pen, filled rectangles and a clear. Everything drawn is kept as a list of items, so the Qt layer
// can repaint the window from it at any time (after being covered, for instance), and a log of the
// operations since it was last taken, which is what the probe reports.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"

namespace m1 {

// Measures text in the window font, in twips.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual Twips TextWidth(std::string_view text) const = 0;
  virtual Twips TextHeight(std::string_view text) const = 0;
};

// The metrics of the recording platform: every character 105 twips wide, a line 195 twips high,
// which is Courier New 8.25 point bold at 96 dots per inch.
class FixedMetrics final : public TextMetrics {
 public:
  static constexpr Twips kCharWidth = 105;
  static constexpr Twips kLineHeight = 195;
  Twips TextWidth(std::string_view text) const override {
    return static_cast<Twips>(text.size()) * kCharWidth;
  }
  Twips TextHeight(std::string_view) const override { return kLineHeight; }
};

struct DrawOp {
  enum class Kind { Clear, Fill, Text };
  Kind kind = Kind::Text;
  Twips x = 0;  // Text: pen position where the text starts. Fill: first corner.
  Twips y = 0;
  Twips x2 = 0;  // Fill: second corner.
  Twips y2 = 0;
  Rgb colour;        // Text: text colour. Fill: fill colour.
  std::string text;  // Text only.
  friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

class Surface {
 public:
  Surface(const TextMetrics& metrics, Rgb background)
      : metrics_(&metrics), background_(background) {}

  // Clears everything drawn; the pen goes to (0, 0).
  void Cls();
  void SetPos(Twips x, Twips y) {
    x_ = x;
    y_ = y;
  }
  void SetX(Twips x) { x_ = x; }
  void SetY(Twips y) { y_ = y; }
  Twips CurrentX() const { return x_; }
  Twips CurrentY() const { return y_; }
  void SetForeColor(Rgb c) { fore_ = c; }
  Rgb ForeColor() const { return fore_; }
  Rgb Background() const { return background_; }

  // Prints text at the pen in the fore colour. Without a line end the pen moves just past the text;
  // with one it goes to the start of the next line (x = 0, y + one line height).
  void Print(std::string_view text, bool endLine = false);
  Twips TextHeight(std::string_view text) const { return metrics_->TextHeight(text); }
  Twips TextWidth(std::string_view text) const { return metrics_->TextWidth(text); }
  // Fills the rectangle between two corners (both included) with a colour; the pen ends at the
  // second corner, as a drawn box leaves it.
  void Fill(Twips x1, Twips y1, Twips x2, Twips y2, Rgb colour);

  // What a repaint draws, in order. Items wholly covered by a later fill are dropped, and a repeat
  // of an item already on show replaces it at the end, so the list stays as small as the picture
  // and a repeated print stays on top of what was drawn after its first print.
  const std::vector<DrawOp>& Items() const;
  // The operations since the previous call, in order (the probe's "draw").
  std::vector<DrawOp> TakeLog();
  // Whether operations are logged for TakeLog (on at first). A window on screen, which never takes
  // the log, turns it off so that it does not grow with every page.
  void KeepLog(bool keep) {
    keepLog_ = keep;
    if (!keep) log_.clear();
  }
  // Called after every change of the items (the Qt widget schedules a repaint).
  void SetOnChange(std::function<void()> f) { onChange_ = std::move(f); }

 private:
  void Changed() {
    if (onChange_) onChange_();
  }
  const TextMetrics* metrics_;
  Rgb background_;
  Rgb fore_ = colour::kBlack;
  Twips x_ = 0;
  Twips y_ = 0;
  void Log(const DrawOp& op) {
    if (keepLog_) log_.push_back(op);
  }
  // Drops the items a fill covered or a repeat replaced, and indexes the rest anew.
  void Compact() const;
  static std::uint64_t KeyOf(const DrawOp& op);
  // The slot of the table that holds the item with this key, or the empty slot it would take.
  std::size_t SlotOf(std::uint64_t key) const;
  // Enters text item i into the table (growing it when half full).
  void Index(std::size_t i) const;
  void Rebuild(std::size_t size) const;

  // The items in painting order; a repeated print leaves a dead entry where its first copy was,
  // which Compact() removes. slots_ is an open-addressing table (a power of two long, 0 for an
  // empty slot, else the item's index + 1) that finds the latest copy of a text by its key.
  mutable std::vector<DrawOp> items_;
  mutable std::vector<std::uint64_t> keys_;
  mutable std::vector<bool> live_;
  mutable std::size_t dead_ = 0;
  mutable std::vector<std::uint32_t> slots_;
  mutable std::size_t indexed_ = 0;
  std::vector<DrawOp> log_;
  bool keepLog_ = true;
  std::function<void()> onChange_;
};

}  // namespace m1
