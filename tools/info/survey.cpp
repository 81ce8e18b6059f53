#include "tools/info/survey.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "core/disk_facts.h"
#include "core/text/number_text.h"

namespace m1::info {

namespace fs = std::filesystem;

std::vector<fs::path> CollectFiles(const std::vector<std::string>& paths, bool recursive) {
  std::vector<fs::path> files;
  for (const std::string& given : paths) {
    const fs::path path(given);
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
      files.push_back(path);
      continue;
    }
    std::vector<fs::path> inside;
    auto take = [&](const fs::directory_entry& entry) {
      std::error_code e;
      // Folders inside are walked (or, without recursion, left out); everything else is
      // examined, so a pipe or a broken link is reported rather than passed over.
      if (!entry.is_directory(e)) inside.push_back(entry.path());
    };
    if (recursive) {
      fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, ec);
      for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) take(*it);
    } else {
      fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec);
      for (; !ec && it != fs::directory_iterator(); it.increment(ec)) take(*it);
    }
    if (ec && inside.empty()) {
      files.push_back(path);  // reported as unreadable when examined
      continue;
    }
    std::sort(inside.begin(), inside.end());
    files.insert(files.end(), inside.begin(), inside.end());
  }
  return files;
}

std::vector<Outcome> ExamineInOrder(std::size_t count, unsigned threads,
                                    const std::function<Outcome(std::size_t)>& examine,
                                    std::ostream& out, std::ostream* progress) {
  std::vector<Outcome> outcomes(count);
  std::vector<char> done(count, 0);
  std::mutex mutex;
  std::condition_variable ready;
  std::atomic<std::size_t> next{0};

  auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      Outcome o = examine(i);
      const std::lock_guard lock(mutex);
      outcomes[i] = std::move(o);
      done[i] = 1;
      ready.notify_one();
    }
  };
  const unsigned n =
      std::clamp<unsigned>(threads, 1, static_cast<unsigned>(std::max<std::size_t>(count, 1)));
  std::vector<std::thread> pool;
  pool.reserve(n);
  for (unsigned t = 0; t < n; ++t) pool.emplace_back(work);

  // The calling thread prints: each outcome once it and all before it are there.
  for (std::size_t i = 0; i < count; ++i) {
    std::string text;
    {
      std::unique_lock lock(mutex);
      ready.wait(lock, [&] { return done[i] != 0; });
      text = std::move(outcomes[i].text);
      outcomes[i].text.clear();
    }
    if (progress != nullptr) *progress << "\r\033[K" << std::flush;  // the line goes first
    out << text << std::flush;
    if (progress != nullptr && i + 1 < count) {
      *progress << "m1view-info: " << i + 1 << " of " << count << " files" << std::flush;
    }
  }
  for (std::thread& t : pool) t.join();
  return outcomes;
}

Outcome SummaryLine(const std::string& path, const ImageFile& file) {
  Outcome o;
  if (file.error) {
    o.text = path + "\terror: " + *file.error + "\n";
    return o;
  }
  // Which records the main window reaches is no health problem, and the line never shows it.
  const auto facts = DiskFacts::Read(file.bytes);
  const Listing& listing = facts->listing;
  if (!listing.format) {
    o.text = path + "\terror: " + listing.error.value_or("not a disk image") + "\n";
    return o;
  }
  o.read = true;
  const std::optional<FileSystem>& dos = facts->fs;
  const std::string density = listing.singleDensity && listing.doubleDensity ? "SD+DD"
                              : listing.doubleDensity                        ? "DD"
                              : listing.singleDensity                        ? "SD"
                                                                             : "no sectors";
  std::string line = path + "\t" + FormatName(*listing.format) + "\t" +
                     std::to_string(listing.cylinders) + "x" + std::to_string(listing.sides) + " " +
                     density + "\t";
  if (dos) {
    line += dos->dos + (dos->version ? " " + *dos->version : "") + "\t" +
            Plural(static_cast<long long>(dos->files.size()), "file", "files");
  } else {
    line += "no DOS\t-";
  }
  // The health: how many records have a problem, then the kinds the summary counts.
  const HealthSummary h = listing.Summary();
  const auto damaged = std::count_if(listing.records.begin(), listing.records.end(), IsProblem);
  std::string health;
  if (damaged > 0) {
    health = Plural(damaged, "record", "records") + " with problems";
    std::string kinds;
    auto kind = [&](int n, const char* one, const char* many) {
      if (n > 0) kinds += (kinds.empty() ? "" : ", ") + Plural(n, one, many);
    };
    kind(h.idCrcBad, "bad ID CRC", "bad ID CRCs");
    kind(h.dataCrcBad, "bad data CRC", "bad data CRCs");
    kind(h.noDataMark, "without data mark", "without data mark");
    kind(h.duplicates, "duplicate", "duplicates");
    kind(h.pastHeader, "past the header's track count", "past the header's track count");
    if (!kinds.empty()) health += " (" + kinds + ")";
  }
  if (dos) {
    // A file's problems, but those the directory names too (two files on one granule).
    long long fileProblems = 0;
    for (const DosFile& f : dos->files) {
      fileProblems += std::count_if(f.problems.begin(), f.problems.end(), [&](const auto& p) {
        return std::find(dos->problems.begin(), dos->problems.end(), p) == dos->problems.end();
      });
    }
    std::string named;
    if (!dos->problems.empty()) {
      named = Plural(static_cast<long long>(dos->problems.size()), "directory problem",
                     "directory problems");
    }
    if (fileProblems > 0) {
      named += (named.empty() ? "" : ", ") + Plural(fileProblems, "file problem", "file problems");
    }
    if (!named.empty()) health += (health.empty() ? "" : "; ") + named;
  }
  o.problems = !health.empty();
  line += "\t" + (health.empty() ? std::string("ok") : health);
  o.text = line + "\n";
  return o;
}

std::string SummaryClosing(const std::vector<Outcome>& outcomes) {
  const auto read =
      std::count_if(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return o.read; });
  const auto problems =
      std::count_if(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return o.problems; });
  return Plural(static_cast<long long>(outcomes.size()), "file", "files") + ": " +
         std::to_string(read) + " read (" + std::to_string(problems) + " with problems), " +
         std::to_string(static_cast<long long>(outcomes.size()) - read) + " not read";
}

std::optional<std::int64_t> ParseOffset(const std::string& text) {
  int base = 10;
  std::size_t skip = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    skip = 2;
  }
  std::int64_t value = 0;
  const char* first = text.data() + skip;
  const char* last = text.data() + text.size();
  const auto r = std::from_chars(first, last, value, base);
  if (first == last || r.ec != std::errc{} || r.ptr != last || value < 0) return std::nullopt;
  return value;
}

Outcome ExplainAt(std::span<const std::uint8_t> file, std::int64_t offset) {
  const auto facts = DiskFacts::Read(file);
  return Outcome{facts->Explain(offset) + "\n", facts->listing.format.has_value(), false};
}

}  // namespace m1::info
