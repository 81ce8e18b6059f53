// What the three Qt forms share: the window itself (client area in twips, the window font, the
// drawing surface under the controls, the File menu), builders that place the standard controls
// at their twips positions, and the functions that show the logic's control values in widgets.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/qt/activation.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/surface_widget.h"

class QAction;
class QComboBox;
class QFontMetricsF;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace m1::qt {

// Builders. Every control is a child of parent, named after the control it stands for (so tests
// and screen readers find it), at its place in twips, and accessible by its caption or role.
QLineEdit* MakeTextBox(QWidget* parent, const char* name, TwipsRect place, const char* role);
// Labels are transparent: the window's colour, and the lines under them, show through.
QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, TwipsRect place);
// A caption too wide for width pixels, broken at its spaces into lines that fit.
QString WrapCaption(const QString& caption, const QFontMetricsF& metrics, double width);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, TwipsRect place);
// A frame only draws its box (and caption) around the controls laid over it.
QGroupBox* MakeFrame(QWidget* parent, const char* name, const char* caption, TwipsRect place,
                     Rgb background);
QRadioButton* MakeOption(QWidget* parent, const char* name, TwipsRect place, const char* role);
// A straight line from (x1, y1) to (x2, y2), horizontal or vertical, width pixels wide, in the
// window text colour (black).
QWidget* MakeLine(QWidget* parent, const char* name, Twips x1, Twips y1, Twips x2, Twips y2,
                  int width);

// The widgets built from a window's layout table, found by their control names.
class ControlWidgets {
 public:
  void Add(std::string_view name, QWidget* widget) { widgets_.emplace_back(name, widget); }
  QWidget* Find(std::string_view name) const;
  // The widget of the named control as its Qt class; the table says what each control is.
  template <class W>
  W* Get(std::string_view name) const {
    return static_cast<W*>(Find(name));
  }

 private:
  std::vector<std::pair<std::string_view, QWidget*>> widgets_;
};

// Builds every control of a layout table on parent, at its place and with its caption or role
// (frames first, then the rest in table order), and the separator lines. Frames are filled with
// the window's background; a combo box is editable, and a scroll bar vertical.
ControlWidgets MakeControls(QWidget* parent, std::span<const ControlPlace> controls,
                            std::span<const LinePlace> lines, Rgb background);

// Showing the logic's values. Signals are blocked while a widget is set, so showing a value never
// raises the widget's change signal back into the logic.
void ShowTextBox(QLineEdit* box, const TextBox& value);
void ShowList(QListWidget* list, const ListBox& value);
void ShowCombo(QComboBox* combo, const ComboBox& value);
void ShowScrollBar(QScrollBar* bar, const ScrollBar& value);
void ShowOption(QRadioButton* option, const OptionButton& value);

// A top-level form: the surface widget is its central widget, so the controls (its children) lie
// over everything printed. The window events go to the virtual handlers below.
class FormWindow : public QMainWindow {
  Q_OBJECT

 public:
  FormWindow(Surface& surface, Twips width, Twips height, ActivationTracker& tracker);
  ~FormWindow() override;

  SurfaceWidget* Page() const { return page_; }
  // Runs the logic's Form_Load and shows its values.
  virtual void Load() = 0;
  // Copies every control value of the logic into its widget.
  virtual void Sync() = 0;
  // Stops the close, resize and activation handling: the program is ending.
  void SetEnding() { ending_ = true; }
  // The client area of the layout, in pixels.
  QSize ClientSize() const { return client_; }
  // Sizes the window so that its client area, below the menu bar, is the layout's.
  void FitToClient();
  // The window cannot be made smaller than the layout's client area with the menu bar above it
  // and, where the window has one, the status bar below: the designed controls never go out of
  // sight.
  void KeepClientArea();

 protected:
  virtual void Activated() = 0;
  // Another of the program's windows became the active one.
  virtual void Deactivated() {}
  virtual void Resized() = 0;
  virtual void QueryUnload(int& cancel, int unloadMode) = 0;

  // The menu "    &File" with "&Open..." (Ctrl+O), a separator and "E&xit" (Ctrl+Q).
  void AddFileMenu(QAction*& open, QAction*& exit);
  // The tab order follows the layout: row by row from the top, each row from left to right.
  void SortTabOrder();

  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  SurfaceWidget* page_ = nullptr;
  ActivationTracker& tracker_;
  QSize client_;
  bool ending_ = false;
};

// A form over the logic of one window, whose handlers have the program's names: the window events
// go to Form_Load, Form_Activate, Form_Resize and Form_QueryUnload, the File menu to
// mnuFileItem_Click, and every handler is followed by Sync, which shows what the logic produced.
template <class Logic>
class LogicWindow : public FormWindow {
 public:
  LogicWindow(Logic& logic, ActivationTracker& tracker)
      : FormWindow(logic.surface, Logic::kWidth, Logic::kHeight, tracker), logic_(logic) {
    QAction* open = nullptr;
    QAction* exit = nullptr;
    AddFileMenu(open, exit);
    QObject::connect(open, &QAction::triggered, this,
                     [this] { Run(&Logic::mnuFileItem_Click, 1); });
    QObject::connect(exit, &QAction::triggered, this,
                     [this] { Run(&Logic::mnuFileItem_Click, 4); });
  }

  void Load() override { Run(&Logic::Form_Load); }

 protected:
  void Activated() override { Run(&Logic::Form_Activate); }
  void Resized() override { Run(&Logic::Form_Resize); }
  void QueryUnload(int& cancel, int unloadMode) override {
    logic_.Form_QueryUnload(cancel, unloadMode);
  }

  // Runs a handler of the logic, then shows the control values.
  template <class... Params, class... Args>
  void Run(void (Logic::*handler)(Params...), Args&&... args) {
    (logic_.*handler)(std::forward<Args>(args)...);
    Sync();
  }
  // What a signal without arguments connects to: the handler, then Sync.
  auto Slot(void (Logic::*handler)()) {
    return [this, handler] { Run(handler); };
  }
  // The menu "&Help" beside the File menu, on the handler Help_Click.
  void AddHelpMenu();
  // Shows the value of each text box of the logic in its line edit.
  void ShowTextBoxes() {
    for (const auto& [widget, box] : boxes_) ShowTextBox(widget, logic_.*box);
  }

  Logic& logic_;
  // The form's line edits, each with the text box of the logic it shows.
  std::vector<std::pair<QLineEdit*, TextBox Logic::*>> boxes_;
};

template <class Logic>
void LogicWindow<Logic>::AddHelpMenu() {
  QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help"));
  QObject::connect(help, &QAction::triggered, this, Slot(&Logic::Help_Click));
}

}  // namespace m1::qt
