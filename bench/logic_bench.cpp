// m1view-bench: the window logic against the floor of reading the file. Reading an image into
// memory through DiskFiles beside the analysis of the same bytes, for a 1 MB DMK, a JV3 and a JV1;
// one sector display of the main window, one sector map page and one hex page at the start and at
// the end of the 1 MB image, all into the recording surface. The physical listing with every CRC,
// and m1view-info run on the 1 MB DMK as a whole process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "bench/images.h"
#include "bench/report.h"
#include "core/container/listing.h"
#include "core/design/analysis.h"
#include "core/dos/filesystem.h"
#include "hexview/form2.h"
#include "platform/files.h"
#include "platform/recording.h"
#include "sectormap/form1.h"
#include "viewer/mainform.h"

namespace m1::bench {
namespace {

// The recording platform over the machine's files, as the probe drives the windows.
using Harness = RecordingPlatform;

// The floor: open the file, read it whole into a new buffer (with the one spare byte the main
// window asks for), close. The window keeps each buffer until the next open replaces it, so a new
// one is read every time.
void ReadFile(benchmark::State& state, Kind kind) {
  const BenchImage& image = Images().Get(kind);
  DiskFiles files;
  for (auto _ : state) {
    std::vector<std::uint8_t> bytes;
    files.Open(image.path.string());
    files.ReadAll(bytes, 1);
    files.CloseAll();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.bytes.size()));
}

// What the main window does after the Open dialog: open, let the image shown so far go, read,
// close, analyse.
void OpenAndAnalyse(benchmark::State& state, Kind kind) {
  const BenchImage& image = Images().Get(kind);
  DiskFiles files;
  DiskImage img;
  for (auto _ : state) {
    files.Open(image.path.string());
    const std::int64_t length = files.Length();
    ReleaseImageBytes(img);
    std::vector<std::uint8_t> bytes;
    files.ReadAll(bytes, 1);
    files.CloseAll();
    AnalysisOutcome outcome = AnalyseImage(img, std::move(bytes), length);
    benchmark::DoNotOptimize(outcome);
    if (outcome.refusal) state.SkipWithError("the image was refused");
  }
}

// The analysis alone, on bytes already in memory (the copy it consumes is made outside the clock).
void Analyse(benchmark::State& state, Kind kind) {
  const BenchImage& image = Images().Get(kind);
  DiskImage img;
  std::vector<std::uint8_t> bytes;
  for (auto _ : state) {
    state.PauseTiming();
    bytes.assign(image.bytes.begin(), image.bytes.end());
    bytes.push_back(0);
    state.ResumeTiming();
    AnalysisOutcome outcome =
        AnalyseImage(img, std::move(bytes), static_cast<std::int64_t>(image.bytes.size()));
    benchmark::DoNotOptimize(outcome);
    if (outcome.refusal) state.SkipWithError("the image was refused");
  }
}

// The whole File menu Open of the main window: dialog answer, open, read, analyse, first display.
void MainOpenCommand(benchmark::State& state, Kind kind) {
  const BenchImage& image = Images().Get(kind);
  Harness h;
  Mainform main(h.platform);
  main.Form_Load();
  main.surface.KeepLog(false);
  for (auto _ : state) {
    h.dialogs.answers.push_back(image.path.string());
    main.mnuFileItem_Click(1);
    benchmark::DoNotOptimize(main.surface.Items().data());
    main.Combo1.items.clear();  // the track list grows with every open, as it does in the window
  }
  if (main.Refused()) state.SkipWithError("the image was refused");
}

// One GetDispSector: at sector index 0, or at the third directory sector (every entry coloured).
void DispSector(benchmark::State& state, Kind kind, bool directory) {
  const BenchImage& image = Images().Get(kind);
  Harness h;
  Mainform main(h.platform);
  main.Form_Load();
  h.dialogs.answers.push_back(image.path.string());
  main.mnuFileItem_Click(1);
  if (main.Refused() || (directory && main.img.dirstartsecfnd != 1)) {
    state.SkipWithError("no directory on the image");
    return;
  }
  main.img.PresSecnum = directory ? main.img.dirstartsec + 2 : 0;
  main.surface.KeepLog(false);  // as on screen, where nothing takes the log
  for (auto _ : state) {
    main.GetDispSector();
    benchmark::DoNotOptimize(main.surface.Items().data());
  }
}

// What is on the disk: the directory with its files, the owner of every record and the free
// space, read from the physical listing (made once, outside the clock); and with the listing.
void ReadFiles(benchmark::State& state, Kind kind, bool withListing) {
  const BenchImage& image = Images().Get(kind);
  const Listing listing = ListSectors(image.bytes);
  std::size_t files = 0;
  const auto read = [&](const Listing& from) {
    const std::optional<FileSystem> fs = ReadFileSystem(image.bytes, from);
    files = fs ? fs->files.size() : 0;
    benchmark::DoNotOptimize(fs);
  };
  for (auto _ : state) {
    if (withListing) {
      read(ListSectors(image.bytes));
    } else {
      read(listing);
    }
  }
  if (files == 0) state.SkipWithError("no files read");
  state.counters["files"] = static_cast<double>(files);
}

// One sector map page: the page on show drawn again from its start (as a resize does).
void MapPage(benchmark::State& state, Kind kind) {
  const BenchImage& image = Images().Get(kind);
  Harness h;
  form1 map(h.platform);
  map.Form_Load();
  h.module.SharedFilename = image.path.string();
  map.Form_Activate();
  map.surface.KeepLog(false);  // as on screen, where nothing takes the log
  for (auto _ : state) {
    map.Form_Resize();
    benchmark::DoNotOptimize(map.surface.Items().data());
  }
  if (map.surface.Items().empty()) state.SkipWithError("the map drew nothing");
}

// One hex page through the scroll bar, at the first or the last position of the file.
void HexPage(benchmark::State& state, Kind kind, bool atEnd) {
  const BenchImage& image = Images().Get(kind);
  Harness h;
  form2 hex(h.platform);
  hex.Form_Load();
  h.module.SharedFilename = image.path.string();
  hex.Form_Activate();
  const int position = atEnd ? hex.VScroll1.max : 0;
  hex.surface.KeepLog(false);  // as on screen, where nothing takes the log
  for (auto _ : state) {
    hex.VScroll1_Change(position);
    benchmark::DoNotOptimize(hex.surface.Items().data());
  }
  state.counters["offset"] = 16.0 * position;
}

// The physical listing of the bytes in memory: every record, every CRC.
void List(benchmark::State& state, Kind kind) {
  const BenchImage& image = Images().Get(kind);
  std::size_t records = 0;
  for (auto _ : state) {
    const Listing listing = ListSectors(image.bytes);
    records = listing.records.size();
    benchmark::DoNotOptimize(listing.records.data());
  }
  state.counters["records"] = static_cast<double>(records);
}

// m1view-info --json --sectors IMAGE as a program: started, run to its end, its output thrown
// away; the wall time from start to exit.
void InfoProgram(benchmark::State& state, Kind kind) {
  const BenchImage& image = Images().Get(kind);
  const std::string program = M1VIEW_INFO;
  const std::string path = image.path.string();
  std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>("--json"),
                             const_cast<char*>("--sectors"), const_cast<char*>(path.c_str()),
                             nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("cannot start m1view-info");
      break;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("m1view-info failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

void Register() {
  const struct { Kind kind; } kinds[] = {{Kind::Dmk}, {Kind::Jv3}, {Kind::Jv1}};
  for (const auto& k : kinds) {
    const std::string name = Images().Get(k.kind).name;
    benchmark::RegisterBenchmark(("ReadFile/" + name).c_str(), ReadFile, k.kind);
    benchmark::RegisterBenchmark(("OpenAndAnalyse/" + name).c_str(), OpenAndAnalyse, k.kind);
    benchmark::RegisterBenchmark(("Analyse/" + name).c_str(), Analyse, k.kind);
  }
  benchmark::RegisterBenchmark("MainOpenCommand/DMK_80x2_DD", MainOpenCommand, Kind::Dmk);
  benchmark::RegisterBenchmark("GetDispSector/DMK_80x2_DD/sector0", DispSector, Kind::Dmk, false);
  benchmark::RegisterBenchmark("GetDispSector/DMK_80x2_DD/directory", DispSector, Kind::Dmk, true);
  benchmark::RegisterBenchmark("GetDispSector/JV3_80x2_DD/directory", DispSector, Kind::Jv3, true);
  for (const auto& k : kinds) {
    benchmark::RegisterBenchmark(("ShowSecPage/" + std::string(Images().Get(k.kind).name)).c_str(),
                                 MapPage, k.kind);
  }
  benchmark::RegisterBenchmark("ShowHexPage/DMK_80x2_DD/start", HexPage, Kind::Dmk, false);
  benchmark::RegisterBenchmark("ShowHexPage/DMK_80x2_DD/end", HexPage, Kind::Dmk, true);
  benchmark::RegisterBenchmark("ShowHexPage/JV1_35/end", HexPage, Kind::Jv1, true);
  benchmark::RegisterBenchmark("ListSectors/DMK_80x2_DD", List, Kind::Dmk);
  benchmark::RegisterBenchmark("ListSectors/JV3_80x2_DD", List, Kind::Jv3);
  benchmark::RegisterBenchmark("ReadFile/JV1_80", ReadFile, Kind::Jv1Of80);
  benchmark::RegisterBenchmark("ListSectors/JV1_80", List, Kind::Jv1Of80);
  benchmark::RegisterBenchmark("InfoProgram/DMK_80x2_DD", InfoProgram, Kind::Dmk)->UseRealTime();
  benchmark::RegisterBenchmark("ReadFiles/DMK_80x2_DD", ReadFiles, Kind::Dmk, false);
  benchmark::RegisterBenchmark("ListAndReadFiles/DMK_80x2_DD", ReadFiles, Kind::Dmk, true);
}

}  // namespace
}  // namespace m1::bench

int main(int argc, char** argv) {
  using m1::bench::Row;
  m1::bench::Register();
  const std::vector<Row> rows = {
      {"read 1 MB DMK into memory (the floor)", "ReadFile/DMK_80x2_DD", "", 0},
      {"open + read + analyse 1 MB DMK", "OpenAndAnalyse/DMK_80x2_DD", "", 0},
      {"open + analyse DMK / read DMK", "OpenAndAnalyse/DMK_80x2_DD", "ReadFile/DMK_80x2_DD", 2.5},
      {"analyse DMK (bytes in memory)", "Analyse/DMK_80x2_DD", "", 0},
      {"read 730 KB JV3", "ReadFile/JV3_80x2_DD", "", 0},
      {"open + analyse JV3 / read JV3", "OpenAndAnalyse/JV3_80x2_DD", "ReadFile/JV3_80x2_DD", 1.5},
      {"read 88 KB JV1", "ReadFile/JV1_35", "", 0},
      {"open + analyse JV1 / read JV1", "OpenAndAnalyse/JV1_35", "ReadFile/JV1_35", 1.5},
      {"main window Open command on the DMK (analysis + first display)",
       "MainOpenCommand/DMK_80x2_DD", "", 0},
      {"GetDispSector, DMK sector 0", "GetDispSector/DMK_80x2_DD/sector0", "", 50},
      {"GetDispSector, DMK directory sector", "GetDispSector/DMK_80x2_DD/directory", "", 50},
      {"GetDispSector, JV3 directory sector", "GetDispSector/JV3_80x2_DD/directory", "", 50},
      {"sector map page, DMK", "ShowSecPage/DMK_80x2_DD", "", 50},
      {"sector map page, JV3", "ShowSecPage/JV3_80x2_DD", "", 50},
      {"sector map page, JV1", "ShowSecPage/JV1_35", "", 50},
      {"hex page at the start of the 1 MB DMK", "ShowHexPage/DMK_80x2_DD/start", "", 50},
      {"hex page at the end of the 1 MB DMK", "ShowHexPage/DMK_80x2_DD/end", "", 50},
      {"hex page end / start (independent of size)", "ShowHexPage/DMK_80x2_DD/end",
       "ShowHexPage/DMK_80x2_DD/start", 1.25},
      {"hex page at the end of the 88 KB JV1", "ShowHexPage/JV1_35/end", "", 50},
      {"physical listing of the 1 MB DMK, every CRC (2880 records)", "ListSectors/DMK_80x2_DD", "",
       2000},
      {"physical listing of the JV3 (2880 records)", "ListSectors/JV3_80x2_DD", "", 0},
      {"listing of the JV3 / read JV3 (no CRC to compute)", "ListSectors/JV3_80x2_DD",
       "ReadFile/JV3_80x2_DD", 5},
      {"read 200 KB JV1 of 80 tracks", "ReadFile/JV1_80", "", 0},
      {"physical listing of the 80-track JV1 (800 records)", "ListSectors/JV1_80", "", 0},
      {"listing of the JV1 / read JV1 (no CRC to compute)", "ListSectors/JV1_80", "ReadFile/JV1_80",
       5},
      {"m1view-info --json --sectors on the 1 MB DMK (whole process, wall)",
       "InfoProgram/DMK_80x2_DD/real_time", "", 20000},
      {"files, owners of every record, free space: 1 MB Newdos/80 DMK", "ReadFiles/DMK_80x2_DD", "",
       1000},
      {"the same with the physical listing", "ListAndReadFiles/DMK_80x2_DD", "", 0},
  };
  return m1::bench::RunAndReport(argc, argv, rows);
}
