// m1view-bench-survey: m1view-info --summary -r over a folder of 1000 images against the floor of
// reading the same files with cat, both timed in this one run with the page cache warm. The images
// are the benchmarks' Newdos/80 disks with their directories (bench/images.h), in ten folders of
// a hundred, in every ten 8 JV1 (35 tracks), a JV3 and a DMK (80 tracks, both sides), every other
// DMK with a bad data CRC; made by the image builder in a temporary folder that is removed at the
// end (unless --keep).
// Usage: m1view-bench-survey [--info=PATH] [--runs=N] [--markdown=FILE] [--keep]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/images.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr int kImages = 1000;
constexpr double kLimit = 3.0;  // the survey may take at most three times the reading

// Runs argv with its standard output thrown away (or kept in `out` when given); returns the wall
// time in milliseconds.
double Run(const std::vector<std::string>& args, std::string* out = nullptr) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const fs::path capture =
      fs::temp_directory_path() / ("m1view-bench-out-" + std::to_string(::getpid()));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out ? capture.c_str() : "/dev/null",
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot start " + args[0]);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  const auto stop = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
  if (out) {
    std::ifstream in(capture);
    *out = std::string(std::istreambuf_iterator<char>(in), {});
    fs::remove(capture);
  }
  return std::chrono::duration<double, std::milli>(stop - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  fs::path info = fs::absolute(fs::path(argv[0])).parent_path() / "m1view-info";
  int runs = 7;
  bool keep = false;  // --keep: leave the images for a closer look
  std::string markdown;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.rfind("--info=", 0) == 0)
      info = a.substr(7);
    else if (a == "--keep")
      keep = true;
    else if (a.rfind("--runs=", 0) == 0)
      runs = std::max(1, std::stoi(a.substr(7)));
    else if (a.rfind("--markdown=", 0) == 0)
      markdown = a.substr(11);
    else {
      std::cerr
          << "usage: m1view-bench-survey [--info=PATH] [--runs=N] [--markdown=FILE] [--keep]\n";
      return 2;
    }
  }

  std::string pattern = (fs::temp_directory_path() / "m1view-survey-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::cerr << "cannot make a temporary folder\n";
    return 1;
  }
  const fs::path folder = pattern;
  int status = 0;
  try {
    using m1::bench::Kind;
    Bytes damaged = m1::bench::MakeImage(Kind::Dmk);
    // Track image 40 (cylinder 20, side 0), its third sector's data (204 + 2 x 342 on): one byte
    // changed, so the data CRC no longer matches.
    damaged[16 + 40 * 6400 + 1000] ^= 0x01;
    const Bytes kinds[] = {m1::bench::MakeImage(Kind::Jv1), m1::bench::MakeImage(Kind::Jv3),
                           m1::bench::MakeImage(Kind::Dmk), damaged};
    static const char* const kExt[] = {".dsk", ".jv3", ".dmk", ".dmk"};
    std::vector<std::string> cat = {"cat"};
    std::uintmax_t total = 0;
    for (int n = 0; n < kImages; ++n) {
      const int kind = n % 10 < 8 ? 0 : n % 10 == 8 ? 1 : (n / 10) % 2 == 0 ? 2 : 3;
      const fs::path sub = folder / ("set" + std::to_string(n / 100));
      fs::create_directories(sub);
      const fs::path path = sub / ("disk" + std::to_string(n) + kExt[kind]);
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(kinds[kind].data()),
                 static_cast<std::streamsize>(kinds[kind].size()));
      total += kinds[kind].size();
      cat.push_back(path.string());
    }
    const std::vector<std::string> survey = {info.string(), "--summary", "-r", folder.string()};

    // Warm the page cache and check the survey's answer once.
    Run(cat);
    std::string out;
    Run(survey, &out);
    const std::string closing = out.substr(out.rfind('\n', out.size() - 2) + 1);
    std::cout << "survey closing line: " << closing;
    if (closing.find("1000 files: 1000 read") != 0) throw std::runtime_error("unexpected survey");

    std::vector<double> catMs, surveyMs;
    for (int r = 0; r < runs; ++r) {
      catMs.push_back(Run(cat));
      surveyMs.push_back(Run(survey));
    }
    const double c = Median(catMs), s = Median(surveyMs), ratio = s / c;
    char table[1024];
    std::snprintf(table, sizeof table,
                  "| measurement | median | target | met |\n"
                  "| --- | ---: | ---: | :---: |\n"
                  "| cat of %d images (%.1f MB) to /dev/null (the floor) | %.1f ms | – | – |\n"
                  "| m1view-info --summary -r over the same images | %.1f ms | – | – |\n"
                  "| survey / cat | %.2fx | ≤ %.2fx | %s |\n",
                  kImages, static_cast<double>(total) / 1e6, c, s, ratio, kLimit,
                  ratio <= kLimit ? "yes" : "no");
    std::cout << "medians of " << runs << " runs each\n" << table;
    if (!markdown.empty()) std::ofstream(markdown) << table;
  } catch (const std::exception& e) {
    std::cerr << "m1view-bench-survey: " << e.what() << "\n";
    status = 1;
  }
  std::error_code ignored;
  if (keep) {
    std::cout << "images kept in " << folder.string() << "\n";
  } else {
    fs::remove_all(folder, ignored);
  }
  return status;
}
