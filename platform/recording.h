// The recording platform used by the tests and the probe: message boxes are recorded and answered
// OK, the Open dialog answers from a script, windows are created and activated by a simple host.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/platform.h"
#include "platform/surface.h"

namespace m1 {

struct RecordedMessage {
  std::string title;
  std::string text;
  MsgIcon icon = MsgIcon::None;
  friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

struct RecordedOpen {
  std::string filter;
  int filterIndex = 0;
};

class RecordingDialogs final : public Dialogs {
 public:
  void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) override {
    messages.push_back({title, text, icon});
  }
  // Answers with the next scripted answer (nothing = Cancel); cancels when the script is empty.
  std::optional<std::string> ShowOpen(const std::string& filter, int filterIndex) override {
    opens.push_back({filter, filterIndex});
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<RecordedMessage> TakeMessages() {
    std::vector<RecordedMessage> out;
    out.swap(messages);
    return out;
  }

  std::deque<std::optional<std::string>> answers;
  std::vector<RecordedMessage> messages;
  std::vector<RecordedOpen> opens;
};

// A host whose windows are whatever the owner wires in: showForm is called for ShowForm, and
// EndProgram sets ended.
class RecordingHost final : public Host {
 public:
  void ShowForm(FormId form) override {
    shown.push_back(form);
    if (showForm) showForm(form);
  }
  void EndProgram() override { ended = true; }
  void DoEvents() override { ++doEvents; }
  void ChangeToProgramFolder() override {}
  void ShowFileBytes(const std::string& path, std::int64_t offset) override {
    bytesShown.emplace_back(path, offset);
  }

  std::function<void(FormId)> showForm;
  std::vector<FormId> shown;
  bool ended = false;
  int doEvents = 0;
  std::vector<std::pair<std::string, std::int64_t>> bytesShown;
};

// The recording platform in one piece, as the tests, the benchmarks, the fuzz drivers and the
// probe drive the windows: the fixed metrics, the recorded dialogs, the recording host and the
// module the windows share, over the machine's files or over the files given.
struct RecordingPlatform {
  RecordingPlatform() : platform{metrics, dialogs, files, host, module} {}
  explicit RecordingPlatform(Files& over) : platform{metrics, dialogs, over, host, module} {}
  // Measuring text with other metrics than the fixed ones (the Qt window font's).
  explicit RecordingPlatform(const TextMetrics& measure)
      : platform{measure, dialogs, files, host, module} {}
  RecordingPlatform(const RecordingPlatform&) = delete;
  RecordingPlatform& operator=(const RecordingPlatform&) = delete;

  FixedMetrics metrics;  // unused when other metrics were given
  RecordingDialogs dialogs;
  DiskFiles files;  // unused when other files were given
  RecordingHost host;
  Module1 module;
  Platform platform;
};

}  // namespace m1
