#include "platform/qt/form_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/qt/qt_metrics.h"

namespace m1::qt {

namespace {

void Name(QWidget* w, const char* name, const char* accessible) {
  w->setObjectName(QString::fromLatin1(name));
  w->setAccessibleName(QString::fromLatin1(accessible).trimmed());
}

void FillWith(QWidget* w, Rgb background) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, ToQColor(background));
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

}  // namespace

QLineEdit* MakeTextBox(QWidget* parent, const char* name, TwipsRect place, const char* role) {
  auto* box = new QLineEdit(parent);
  Name(box, name, role);
  // The program writes its boxes and never reads them back, so the user cannot type into them;
  // the text can still be selected and copied.
  box->setReadOnly(true);
  box->setTextMargins(0, 0, 0, 0);
  box->setGeometry(PxRect(place));
  return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, TwipsRect place) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  Name(label, name, caption);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setContentsMargins(0, 0, 0, 0);
  label->setGeometry(PxRect(place));
  return label;
}

QString WrapCaption(const QString& caption, const QFontMetricsF& metrics, double width) {
  const QStringList words = caption.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (metrics.horizontalAdvance(caption) <= width || words.size() < 2) return caption;
  QStringList lines;
  for (const QString& word : words) {
    if (!lines.isEmpty() &&
        metrics.horizontalAdvance(lines.back() + QLatin1Char(' ') + word) <= width) {
      lines.back() += QLatin1Char(' ') + word;
    } else {
      lines << word;
    }
  }
  return lines.join(QLatin1Char('\n'));
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, TwipsRect place) {
  auto* button = new QPushButton(parent);
  Name(button, name, *caption ? caption : name);
  button->setFont(WindowFont());
  // A caption wider than its button goes on two lines, as on the desktop the layout was made for.
  constexpr double kButtonPadding = 8;  // the frame and margin of a button, in pixels
  button->setText(WrapCaption(QString::fromLatin1(caption), QFontMetricsF(button->font()),
                              Px(place.width) - kButtonPadding));
  button->setAutoDefault(false);
  button->setGeometry(PxRect(place));
  return button;
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const char* caption, TwipsRect place,
                     Rgb background) {
  auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
  Name(frame, name, *caption ? caption : name);
  frame->setFocusPolicy(Qt::NoFocus);
  FillWith(frame, background);
  frame->setGeometry(PxRect(place));
  return frame;
}

QRadioButton* MakeOption(QWidget* parent, const char* name, TwipsRect place, const char* role) {
  auto* option = new QRadioButton(parent);
  Name(option, name, role);
  option->setGeometry(PxRect(place));
  return option;
}

QWidget* MakeLine(QWidget* parent, const char* name, Twips x1, Twips y1, Twips x2, Twips y2,
                  int width) {
  auto* line = new QWidget(parent);
  line->setObjectName(QString::fromLatin1(name));
  FillWith(line, colour::kBlack);
  line->setAttribute(Qt::WA_TransparentForMouseEvents);
  const int half = width / 2;
  if (y1 == y2) {
    const int left = Px(std::min(x1, x2));
    line->setGeometry(left, Px(y1) - half, Px(std::max(x1, x2)) - left + 1, width);
  } else {
    const int top = Px(std::min(y1, y2));
    line->setGeometry(Px(x1) - half, top, width, Px(std::max(y1, y2)) - top + 1);
  }
  line->lower();
  return line;
}

QWidget* ControlWidgets::Find(std::string_view name) const {
  for (const auto& [n, w] : widgets_) {
    if (n == name) return w;
  }
  return nullptr;
}

namespace {

// The widget of one control other than a frame, named and at its place.
QWidget* MakeControl(QWidget* parent, const ControlPlace& c) {
  if (c.kind == ControlKind::TextBox) return MakeTextBox(parent, c.name, c.place, c.text);
  if (c.kind == ControlKind::Label) return MakeLabel(parent, c.name, c.text, c.place);
  if (c.kind == ControlKind::Button) return MakeButton(parent, c.name, c.text, c.place);
  if (c.kind == ControlKind::Option) return MakeOption(parent, c.name, c.place, c.text);
  QWidget* w = nullptr;
  if (c.kind == ControlKind::Combo) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The typing goes to the list's own edit box, which a screen reader names on its own.
    combo->lineEdit()->setAccessibleName(QString::fromLatin1(c.text).trimmed());
    w = combo;
  } else if (c.kind == ControlKind::List) {
    w = new QListWidget(parent);
  } else {
    w = new QScrollBar(Qt::Vertical, parent);
  }
  Name(w, c.name, c.text);
  w->setGeometry(PxRect(c.place));
  return w;
}

}  // namespace

ControlWidgets MakeControls(QWidget* parent, std::span<const ControlPlace> controls,
                            std::span<const LinePlace> lines, Rgb background) {
  ControlWidgets made;
  // Frames first: they lie under the controls they frame.
  for (const ControlPlace& c : controls) {
    if (c.kind == ControlKind::Frame) {
      made.Add(c.name, MakeFrame(parent, c.name, c.text, c.place, background));
    }
  }
  for (const ControlPlace& c : controls) {
    if (c.kind != ControlKind::Frame) made.Add(c.name, MakeControl(parent, c));
  }
  for (const LinePlace& l : lines) MakeLine(parent, l.name, l.x1, l.y1, l.x2, l.y2, l.width);
  return made;
}

void ShowTextBox(QLineEdit* box, const TextBox& value) {
  const QSignalBlocker block(box);
  const QString text = FromText(value.text);
  if (box->text() != text) {
    box->setText(text);
    box->setCursorPosition(0);  // long paths show from their start
  }
  QPalette pal = box->palette();
  pal.setColor(QPalette::Base, ToQColor(value.bg));
  pal.setColor(QPalette::Text, ToQColor(value.fg));
  if (pal != box->palette()) box->setPalette(pal);
}

void ShowList(QListWidget* list, const ListBox& value) {
  const QSignalBlocker block(list);
  bool same = list->count() == static_cast<int>(value.items.size());
  for (int i = 0; same && i < list->count(); ++i) {
    same = list->item(i)->text() == FromText(value.items[static_cast<std::size_t>(i)]);
  }
  if (same) return;
  list->clear();
  for (const std::string& line : value.items) list->addItem(FromText(line));
}

void ShowCombo(QComboBox* combo, const ComboBox& value) {
  const QSignalBlocker block(combo);
  bool same = combo->count() == static_cast<int>(value.items.size());
  for (int i = 0; same && i < combo->count(); ++i) {
    same = combo->itemText(i) == FromText(value.items[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    combo->clear();
    for (const std::string& line : value.items) combo->addItem(FromText(line));
  }
  const QString text = FromText(value.text);
  if (combo->currentText() != text) combo->setEditText(text);
}

void ShowScrollBar(QScrollBar* bar, const ScrollBar& value) {
  const QSignalBlocker block(bar);
  bar->setRange(value.min, std::max(value.min, value.max));
  bar->setSingleStep(std::max(1, value.smallChange));
  bar->setPageStep(std::max(1, value.largeChange));
  bar->setValue(value.value);
}

void ShowOption(QRadioButton* option, const OptionButton& value) {
  const QSignalBlocker block(option);
  if (option->isChecked() == value.value) return;
  // An exclusive button cannot be unchecked on its own; neither option is chosen before a window
  // has loaded.
  const bool exclusive = option->autoExclusive();
  option->setAutoExclusive(false);
  option->setChecked(value.value);
  option->setAutoExclusive(exclusive);
}

FormWindow::FormWindow(Surface& surface, Twips width, Twips height, ActivationTracker& tracker)
    : tracker_(tracker), client_(Px(width), Px(height)) {
  setFont(WindowFont());
  page_ = new SurfaceWidget(surface, WindowFont(), this);
  page_->setObjectName(QStringLiteral("surface"));
  setCentralWidget(page_);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(surface.Background()));
  setPalette(pal);
  // The menus keep the desktop's own font.
  menuBar()->setFont(QFont());
  resize(client_);
}

FormWindow::~FormWindow() {
  tracker_.Forget(this);
}

void FormWindow::FitToClient() {
  resize(client_.width(), client_.height() + menuBar()->sizeHint().height());
}

void FormWindow::KeepClientArea() {
  const auto* bar = findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
  const int bars = menuBar()->sizeHint().height() + (bar ? bar->sizeHint().height() : 0);
  setMinimumSize(client_.width(), client_.height() + bars);
}

void FormWindow::AddFileMenu(QAction*& open, QAction*& exit) {
  QMenu* file = menuBar()->addMenu(QStringLiteral("    &File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  open = file->addAction(QStringLiteral("&Open..."));
  open->setObjectName(QStringLiteral("mnuFileItem1"));
  open->setShortcut(QKeySequence::Open);
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileItem3"));
  exit = file->addAction(QStringLiteral("E&xit"));
  exit->setObjectName(QStringLiteral("mnuFileItem4"));
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void FormWindow::SortTabOrder() {
  std::vector<QWidget*> stops;
  for (QWidget* w : page_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->focusPolicy() & Qt::TabFocus) stops.push_back(w);
  }
  std::stable_sort(stops.begin(), stops.end(),
                   [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
  // Controls of one row need not share their top edge (a taller button stands a little higher
  // than its neighbours): a control whose top is above the middle of the row's first control
  // belongs to that row. Each row is then taken from left to right.
  std::vector<std::pair<std::size_t, QWidget*>> rows;
  int rowMiddle = 0;
  for (QWidget* w : stops) {
    if (rows.empty() || w->y() >= rowMiddle) {
      rowMiddle = w->y() + w->height() / 2;
      rows.emplace_back(rows.empty() ? 0 : rows.back().first + 1, w);
    } else {
      rows.emplace_back(rows.back().first, w);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second->x() < b.second->x();
  });
  for (std::size_t i = 1; i < rows.size(); ++i) setTabOrder(rows[i - 1].second, rows[i].second);
}

bool FormWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !ending_) {
    const ActivationTracker::Change change = tracker_.Enter(this);
    if (change.changed) {
      // Run after the window system has finished activating, so that a message box shown by the
      // handler opens over a window that is already active.
      QPointer<FormWindow> left(change.left);
      QTimer::singleShot(0, this, [this, left] {
        if (ending_) return;
        if (left) left->Deactivated();
        Activated();
      });
    }
  }
  return QMainWindow::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (ending_) {
    event->accept();
    return;
  }
  // The program closes its windows only by ending, so every close that reaches here is the
  // user's: the close box, the window menu or the desktop's close command (reason 0).
  int cancel = 0;
  QueryUnload(cancel, 0);
  if (cancel != 0) {
    event->ignore();
  } else {
    event->accept();
  }
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!ending_) Resized();
}

}  // namespace m1::qt
