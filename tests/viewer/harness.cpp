#include "tests/viewer/harness.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace m1::testing {

MainHarness::MainHarness() {
  std::string pattern = (std::filesystem::temp_directory_path() / "m1viewer-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  dir = pattern;
}

MainHarness::~MainHarness() {
  files.CloseAll();
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

std::string MainHarness::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path path = dir / name;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

std::string MainHarness::WriteSparse(const std::string& name, std::uintmax_t length) {
  const std::filesystem::path path = dir / name;
  { std::ofstream out(path, std::ios::binary); }
  std::filesystem::resize_file(path, length);
  return path.string();
}

void MainHarness::Open(const std::string& path) {
  dialogs.answers.push_back(path);
  form.mnuFileItem_Click(1);
}

void MainHarness::Cancel() {
  dialogs.answers.push_back(std::nullopt);
  form.mnuFileItem_Click(1);
}

void MainHarness::OpenQuietly(const std::string& path) {
  Open(path);
  dialogs.TakeMessages();
  form.surface.TakeLog();
}

const DrawOp* TextAt(const std::vector<DrawOp>& log, Twips x, Twips y) {
  const DrawOp* found = nullptr;
  for (const DrawOp& op : log) {
    if (op.kind == DrawOp::Kind::Text && op.x == x && op.y == y) found = &op;
  }
  return found;
}

std::vector<const DrawOp*> Texts(const std::vector<DrawOp>& log) {
  std::vector<const DrawOp*> out;
  for (const DrawOp& op : log) {
    if (op.kind == DrawOp::Kind::Text) out.push_back(&op);
  }
  return out;
}

DrawOp HexItem(const std::vector<DrawOp>& log, int r, int c) {
  const DrawOp* op = TextAt(log, kHexX[c - 1], RowY(r));
  return op ? *op : DrawOp{};
}

DrawOp CharItem(const std::vector<DrawOp>& log, int r, int c) {
  const DrawOp* op = TextAt(log, kCharX[c - 1], RowY(r));
  return op ? *op : DrawOp{};
}

std::string HexRow(const std::vector<DrawOp>& log, int r) {
  std::string out;
  for (int c = 1; c <= 16; ++c) {
    if (c > 1) out += ' ';
    out += HexItem(log, r, c).text;
  }
  return out;
}

}  // namespace m1::testing
