// Which of the program's own windows is the active one. A window's Form_Activate runs only when
// this changes: the first showing of a window counts, while coming back from the program's own
// message box or Open dialog, or from another application, finds the same window and does not.
#pragma once

namespace m1::qt {

class FormWindow;

class ActivationTracker {
 public:
  struct Change {
    bool changed = false;        // the active form of the program is now another one
    FormWindow* left = nullptr;  // the form that was active before, if any
  };
  // The window system made window, one of the program's forms, active.
  Change Enter(FormWindow* window) {
    if (window == active_) return {};
    Change change{true, active_};
    active_ = window;
    return change;
  }
  // The window is going away.
  void Forget(const FormWindow* window) {
    if (active_ == window) active_ = nullptr;
  }
  const FormWindow* Active() const { return active_; }

 private:
  FormWindow* active_ = nullptr;
};

}  // namespace m1::qt
