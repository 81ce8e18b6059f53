// A status bar line that keeps where a thing is and whose it is: of its three parts (a lead such as
// "track 1 side 0 sector 1: ", a body, a trail such as "; SYS0/SYS, record 3 of 18") only the body
// is shortened, at its end, when the bar is too narrow. The whole line is the tooltip. Its height
// never depends on its text, so the designed area above the bar keeps its size.
#pragma once

#include <QLabel>
#include <QString>

class QFontMetrics;

namespace m1::qt {

// The line lead + body + trail as it fits in width pixels: whole where it fits, else with the body
// shortened to an ellipsis at its end; where even lead and trail do not fit, the line cut at its
// end.
QString FitStatus(const QString& lead, const QString& body, const QString& trail,
                  const QFontMetrics& metrics, int width);

class StatusLine final : public QLabel {
 public:
  explicit StatusLine(QWidget* parent);

  // Shows a line in three parts; an empty line clears it.
  void Show(const QString& lead, const QString& body, const QString& trail);
  QString Whole() const { return lead_ + body_ + trail_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();

  QString lead_, body_, trail_;
};

}  // namespace m1::qt
