// A sector map window on the recording platform, with image files written to a temporary folder,
// and small builders for the images the tests need.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/platform.h"
#include "platform/recording.h"
#include "sectormap/form1.h"

namespace m1::maptest {

using Bytes = std::vector<std::uint8_t>;

// One drawn text, as the page states it: pen position, colour, text.
struct Item {
  Twips x = 0;
  Twips y = 0;
  Rgb colour;
  std::string text;
  friend bool operator==(const Item&, const Item&) = default;
};

inline void PrintTo(const Item& i, std::ostream* os) {
  *os << "(" << i.x << "," << i.y << ",[" << i.colour.r << "," << i.colour.g << "," << i.colour.b
      << "],\"" << i.text << "\")";
}

inline constexpr Rgb kLabel0{192, 64, 0};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kJv3DirDouble{255, 240, 240};
inline constexpr Rgb kKeyPeach{255, 224, 192};

// The key of a JV1 or JV3 page with h = 195: lines at 975 and 1170, the second text of each line
// after the 16 characters of the first (200 + 16 x 105 = 1880).
inline std::vector<Item> JvKey() {
  return {{200, 975, kBlue, "  Single Density"},
          {1880, 975, kCyan, "       Dir.Secs. S/D"},
          {200, 1170, kRed, "  Double Density"},
          {1880, 1170, kKeyPeach, "       Dir.Secs. D/D"}};
}

inline std::vector<Item> DmkKey(const std::string& markText) {
  return {{200, 975, kBlue, "  Single Density"},
          {1880, 975, kCyan, "       Dir.Secs. S/D"},
          {200, 1170, kRed, "  Double Density"},
          {1880, 1170, kWhite, "      Possible Dir.Secs. D/D    " + markText}};
}

inline const Item kDoubleByteNote{
    200, 1365, kBlack, " A  *  in front of the Sector shows a Model 1 Double Byte Sector"};

inline const RecordedMessage kNoHeader{"Error",
                                       "** ERROR **\r"
                                       " This file does not have an EMULATOR Disk format HEADER\r"
                                       "    It may be a Disk file for use with a dedicated program",
                                       MsgIcon::None};

class MapHarness : public ::testing::Test, public RecordingPlatform {
 protected:
  MapHarness() {
    dir_ = std::filesystem::temp_directory_path() /
           ("m1sectormap_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    form.Form_Load();
  }
  ~MapHarness() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  std::string Write(const std::string& name, const Bytes& bytes) {
    const auto path = dir_ / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // Hands the file over as the main window does and activates the window.
  void Show(const std::string& name, const Bytes& bytes) {
    module.SharedFilename = Write(name, bytes);
    form.Form_Activate();
  }
  // Opens the file through the window's own File menu.
  void OpenFromMenu(const std::string& path) {
    dialogs.answers.push_back(path);
    form.mnuFileItem_Click(1);
  }

  // The operations since the last call: "clear" for a clear, the texts as items.
  std::vector<Item> Drawn() {
    std::vector<Item> out;
    for (const DrawOp& op : form.surface.TakeLog()) {
      if (op.kind == DrawOp::Kind::Clear) out.push_back({-1, -1, {}, "clear"});
      if (op.kind == DrawOp::Kind::Text) out.push_back({op.x, op.y, op.colour, op.text});
    }
    return out;
  }
  // Paging, resizing and both orders draw nothing and say nothing (a refused or absent file).
  void ExpectInert() {
    form.Cmndnext_Click();
    form.Cmndprev_Click();
    form.Form_Resize();
    form.Option2_Click();
    form.Option1_Click();
    EXPECT_TRUE(Drawn().empty());
    EXPECT_TRUE(dialogs.messages.empty());
  }
  // The texts drawn since the last call on one line position.
  static std::vector<Item> OnLine(const std::vector<Item>& items, Twips y) {
    std::vector<Item> out;
    for (const Item& i : items)
      if (i.y == y) out.push_back(i);
    return out;
  }

  form1 form{platform};

 private:
  std::filesystem::path dir_;
};

// JV1: 00 FE 11 opens the boot sector; the rest is sector data.
inline Bytes Jv1Image(std::size_t length) {
  Bytes b(length, 0xE5);
  b[0] = 0x00;
  b[1] = 0xFE;
  b[2] = 0x11;
  return b;
}

// JV3: the 2901-entry table (free entries 0xFF), the write-protect byte, then extra bytes.
struct Jv3Entry {
  std::uint8_t track, sector, flags;
};
inline Bytes Jv3Image(const std::vector<Jv3Entry>& entries, std::size_t extra = 0) {
  Bytes b(2901 * 3 + 1, 0xFF);
  for (std::size_t i = 0; i < entries.size() && i < 2901; ++i) {
    b[3 * i] = entries[i].track;
    b[3 * i + 1] = entries[i].sector;
    b[3 * i + 2] = entries[i].flags;
  }
  b.resize(b.size() + extra, 0x00);
  return b;
}

// DMK: a 16-byte header and track images of trackLength bytes, with ID fields placed by hand.
class DmkImage {
 public:
  DmkImage(int trackLength, int images, std::uint8_t tracks = 40) : length_(trackLength) {
    bytes.assign(16 + static_cast<std::size_t>(trackLength) * images, 0x4E);
    bytes[0] = 0x00;
    bytes[1] = tracks;
    bytes[2] = static_cast<std::uint8_t>(trackLength & 0xFF);
    bytes[3] = static_cast<std::uint8_t>(trackLength >> 8);
    for (int i = 4; i < 16; ++i) bytes[static_cast<std::size_t>(i)] = 0;
    for (int t = 0; t < images; ++t)
      for (int p = 0; p < 128; ++p) bytes[Start(t) + static_cast<std::size_t>(p)] = 0;
  }
  std::size_t Start(int image) const { return 16 + static_cast<std::size_t>(length_) * image; }
  void Pointer(int image, int slot, unsigned word) {
    bytes[Start(image) + 2 * slot] = static_cast<std::uint8_t>(word & 0xFF);
    bytes[Start(image) + 2 * slot + 1] = static_cast<std::uint8_t>(word >> 8);
  }
  // An ID field at offset in the image, its pointer in slot, and the data mark markAt bytes on.
  void Sector(int image, int slot, unsigned offset, std::uint8_t track, std::uint8_t side,
              std::uint8_t sector, bool doubleDensity, std::uint8_t mark = 0xFB, int markAt = 44,
              bool doubledBytes = false) {
    Pointer(image, slot, offset | (doubleDensity ? 0x8000u : 0u));
    const std::size_t a = Start(image) + offset;
    const std::uint8_t id[] = {0xFE, track, side, sector, 0x01};
    for (std::size_t i = 0; i < 5; ++i) {
      if (doubledBytes) {
        Set(a + 2 * i, id[i]);
        Set(a + 2 * i + 1, id[i]);
      } else {
        Set(a + i, id[i]);
      }
    }
    Set(a + static_cast<std::size_t>(markAt), mark);
  }
  void Set(std::size_t at, std::uint8_t v) {
    if (at < bytes.size()) bytes[at] = v;
  }

  Bytes bytes;

 private:
  int length_;
};

}  // namespace m1::maptest
