// m1view-bench-startup: how long the program takes to show its main window, and its peak memory
// with all three windows open on the 1 MB DMK image. It starts itself again as a child that runs
// the program's own windows and host (as m1view does, on the offscreen platform unless another is
// chosen), opens the image in the main window through the File menu, presses "Sector Display" and
// "Hex Editor", and reports back; the parent takes the time from just before it started the child
// and the child's peak resident memory from the system (wait4), and prints the medians.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/qt_host.h"
#include "bench/images.h"
#include "platform/recording.h"

namespace {

constexpr int kRuns = 7;
constexpr int kHexPagesScrolled = 2000;  // pages stepped through in the hex window afterwards

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Lets the window system's events run for a while (shows, activations, paints).
void RunEvents(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

// Notes the first paint of the main window; the moment is taken once that paint is done.
class FirstPaint final : public QObject {
 public:
  explicit FirstPaint(std::int64_t started) : started_(started) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
      seen_ = true;
      QTimer::singleShot(0, [this] {
        shownNs = NowNs() - started_;
        QCoreApplication::exit(0);
      });
    }
    return false;
  }
  std::int64_t shownNs = -1;

 private:
  std::int64_t started_;
  bool seen_ = false;
};

// The child: the program's start-up, then the three windows on the image. Prints
// "shown NS", then "windows MAIN MAP HEX", "rss KB" and "rss-scrolled KB".
int Child(std::int64_t started, const std::string& image, bool scroll) {
  // The offscreen platform's notes (no raise(), no size hints) are no concern here.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      std::fprintf(stderr, "%s\n", qPrintable(message));
  });
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "m1view";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  FirstPaint firstPaint(started);
  app.installEventFilter(&firstPaint);

  auto dialogs = std::make_unique<m1::RecordingDialogs>();
  m1::RecordingDialogs& answers = *dialogs;
  m1::qt::QtHost host(std::move(dialogs));
  host.ShowForm(m1::FormId::Main);
  QApplication::exec();
  app.removeEventFilter(&firstPaint);
  std::printf("shown %lld\n", static_cast<long long>(firstPaint.shownNs));

  // File menu "&Open..." with the image, then the two window buttons.
  answers.answers.push_back(image);
  if (auto* open = host.MainWin()->findChild<QAction*>(QStringLiteral("mnuFileItem1")))
    open->trigger();
  RunEvents(100);
  for (const char* button : {"Cmndsecdisp", "Cmndhexedit"}) {
    if (auto* b = host.MainWin()->findChild<QPushButton*>(QString::fromLatin1(button))) b->click();
    RunEvents(150);
  }
  const auto opened = [](auto* logic) { return logic != nullptr && logic->openflag == 1; };
  const m1::Mainform* main = host.MainLogic();
  const bool mainOpen = main != nullptr && main->img.openflag == 1 && !main->Refused();
  std::printf("windows %d %d %d\n", mainOpen, opened(host.MapLogic()), opened(host.HexLogic()));
  std::printf("rss %ld\n", PeakRssKb());

  // Paging through the hex window, as a reader of the whole file does.
  if (m1::form2* hex = host.HexLogic(); scroll && hex != nullptr && hex->openflag == 1) {
    for (int page = 0; page < kHexPagesScrolled; ++page) {
      hex->VScroll1_Change(std::min(hex->VScroll1.max, page * 16));
      if (host.HexWin() != nullptr) host.HexWin()->Sync();
      if (page % 50 == 0) QCoreApplication::processEvents();
    }
    RunEvents(50);
  }
  std::printf("rss-scrolled %ld\n", PeakRssKb());
  std::fflush(stdout);
  host.EndProgram();
  return 0;
}

struct ChildResult {
  double shownMs = -1;
  bool allOpen = false;
  long rssKb = 0;          // peak with the three windows open
  long rssScrolledKb = 0;  // peak after paging through the hex window
  long maxRssKb = 0;       // from wait4: the child's peak over its whole life
};

ChildResult RunChild(const char* self, const std::string& image, bool scroll) {
  int pipefd[2];
  if (pipe(pipefd) != 0) std::exit(1);
  const std::int64_t started = NowNs();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipefd[1], STDOUT_FILENO);
    close(pipefd[0]);
    close(pipefd[1]);
    const std::string start = std::to_string(started);
    execl(self, self, "--child", start.c_str(), image.c_str(), scroll ? "scroll" : "-",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipefd[1]);
  std::string out;
  char buf[512];
  for (;;) {
    const ssize_t n = read(pipefd[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  close(pipefd[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);

  ChildResult r;
  r.maxRssKb = usage.ru_maxrss;
  std::istringstream lines(out);
  std::string key;
  while (lines >> key) {
    if (key == "shown") {
      long long ns = 0;
      lines >> ns;
      r.shownMs = static_cast<double>(ns) / 1e6;
    } else if (key == "windows") {
      int a = 0, b = 0, c = 0;
      lines >> a >> b >> c;
      r.allOpen = a == 1 && b == 1 && c == 1;
    } else if (key == "rss") {
      lines >> r.rssKb;
    } else if (key == "rss-scrolled") {
      lines >> r.rssScrolledKb;
    }
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "m1view-bench-startup: the child failed:\n" << out;
    std::exit(1);
  }
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string_view(argv[1]) == "--child") {
    return Child(std::strtoll(argv[2], nullptr, 10), argv[3],
                 std::string_view(argv[4]) == "scroll");
  }
  std::string markdown;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--markdown=")) {
      markdown = std::string(arg.substr(11));
    } else {
      std::cerr << "usage: m1view-bench-startup [--markdown=FILE]\n";
      return 2;
    }
  }

  const std::string image = m1::bench::Images().Get(m1::bench::Kind::Dmk).path.string();
  std::vector<double> shown, rss, rssScrolled;
  bool allOpen = true;
  for (int run = 0; run < kRuns; ++run) {
    // The first run also pages through the hex window afterwards.
    const bool scroll = run == 0;
    const ChildResult r = RunChild("/proc/self/exe", image, scroll);
    std::printf("run %d: main window shown after %.1f ms; peak %.1f MB with the three windows",
                run + 1, r.shownMs, r.rssKb / 1024.0);
    if (scroll)
      std::printf(", %.1f MB after %d hex pages", r.rssScrolledKb / 1024.0, kHexPagesScrolled);
    std::printf("%s\n", r.allOpen ? "" : " (a window did not load the image)");
    shown.push_back(r.shownMs);
    rss.push_back(r.rssKb / 1024.0);
    if (scroll) rssScrolled.push_back(r.rssScrolledKb / 1024.0);
    allOpen = allOpen && r.allOpen;
  }

  char text[1024];
  const double s = Median(shown), m = Median(rss), ms = Median(rssScrolled);
  std::snprintf(text, sizeof text,
                "| start-up to the main window shown (median of %d) | %.1f ms | ≤ 300 ms | %s |\n"
                "| peak memory, three windows open on the 1 MB DMK%s | %.1f MB | < 60 MB | %s |\n"
                "| peak memory after paging through %d hex pages | %.1f MB | – | – |\n",
                kRuns, s, s <= 300 ? "yes" : "**no**", allOpen ? "" : " (not all loaded!)", m,
                m < 60 && allOpen ? "yes" : "**no**", kHexPagesScrolled, ms);
  std::cout << "\n" << text;
  if (!markdown.empty()) {
    std::ofstream file(markdown);
    file << text;
    if (!file) return 1;
  }
  return 0;
}
