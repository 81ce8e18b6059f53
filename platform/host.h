// What a window asks of the program around it: show another window, end the program, let pending
// window events run. The one program-wide variable, SharedFilename, lives in Module1.
#pragma once

#include <cstdint>
#include <string>

namespace m1 {

enum class FormId { Main, Map, Hex };

// The code module shared by the three windows.
struct Module1 {
  std::string SharedFilename;  // the path a window hands to the next window it shows
};

class Host {
 public:
  virtual ~Host() = default;
  // Creates the window on first use (its Form_Load runs), shows it without blocking, brings it to
  // the front and makes it the active window (its Form_Activate runs when that changes the active
  // window of the program).
  virtual void ShowForm(FormId form) = 0;
  // Ends the program at once, every window with it.
  virtual void EndProgram() = 0;
  // Lets pending window events run once (user input excepted).
  virtual void DoEvents() = 0;
  // Makes the folder of the running program the current directory.
  virtual void ChangeToProgramFolder() = 0;
  // Shows the hex window with the file at path (read anew when it shows another file or none),
  // scrolled so that the line holding offset is its first. A program without a hex window ignores
  // it.
  virtual void ShowFileBytes(const std::string& path, std::int64_t offset) {
    static_cast<void>(path);
    static_cast<void>(offset);
  }
};

}  // namespace m1
