// The directory reading every DOS shares: the GAT, the HIT, the entry slots, the extents followed
// through extended entries, and the owner of every record of the listing. The layout of the disk
// comes from the DOS's recogniser (see core/dos_layout.h for the structures).
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "core/container/byte_reader.h"
#include "core/dos/dos_layout.h"
#include "core/text/number_text.h"

namespace m1::dos {

std::optional<std::vector<std::uint8_t>> DiskView::Sector(int cylinder, int head,
                                                          int sector) const {
  const auto record = listing_.Find(cylinder, head, sector);
  if (!record) return std::nullopt;
  std::vector<std::uint8_t> data = SectorData(file_, listing_.records[*record]);
  if (data.size() < static_cast<std::size_t>(kSectorBytes)) return std::nullopt;
  data.resize(kSectorBytes);
  return data;
}

DiskView::TrackShape DiskView::Shape(int cylinder, int head) const {
  const std::size_t at = static_cast<std::size_t>(cylinder) * 2 + static_cast<std::size_t>(head);
  if (cylinder < 0 || head < 0 || head > 1 || at >= listing_.byTrack.size()) return {};
  std::vector<int> numbers;
  for (const std::size_t r : listing_.byTrack[at]) numbers.push_back(listing_.records[r].sector);
  if (numbers.empty()) return {};
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return {numbers.front(), static_cast<int>(numbers.size())};
}

std::uint8_t NameHash(std::span<const std::uint8_t> name11) {
  std::uint8_t hash = 0;
  for (const std::uint8_t c : name11) {
    hash ^= c;
    hash = static_cast<std::uint8_t>((hash << 1) | (hash >> 7));
  }
  return hash == 0 ? 1 : hash;
}

namespace {

constexpr std::size_t kEofAt = 3;   // offset of the end of file in the last sector
constexpr std::size_t kNameAt = 5;  // 8 bytes of name, then 3 of extension
constexpr std::size_t kNameBytes = 11;
constexpr std::size_t kErnAt = 20;  // ending record number, little-endian
constexpr std::size_t kExtentsAt = 22;
constexpr std::uint8_t kEndOfExtents = 0xFF;
constexpr std::uint8_t kLinkMark = 0xFE;  // FE xx: the list goes on in the extended entry xx
constexpr int kHitSlots = 256;

// A sector's 256 bytes, every read checked.
class Bytes256 {
 public:
  explicit Bytes256(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::uint8_t at(std::size_t i) const {
    return ByteReader(bytes_).byte(static_cast<std::int64_t>(i)).value_or(0);
  }
  std::span<const std::uint8_t> span(std::size_t from, std::size_t count) const {
    return ByteReader(bytes_)
        .bytes(static_cast<std::int64_t>(from), static_cast<std::int64_t>(count))
        .value_or(std::span<const std::uint8_t>());
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

struct Address {
  int cylinder = 0;
  int head = 0;
  int sector = 0;
};

Address At(const DosLayout& l, int rel) {
  const int spc = l.SectorsPerCylinder();
  const int k = rel % spc;
  return {l.firstCylinder + rel / spc, k / l.sectorsPerSide, l.firstSector + k % l.sectorsPerSide};
}

std::optional<int> RelativeOf(const DosLayout& l, const SectorRecord& r) {
  const int c = r.cylinder - l.firstCylinder;
  const int s = r.sector - l.firstSector;
  if (c < 0 || r.head < 0 || r.head >= l.sides || s < 0 || s >= l.sectorsPerSide) {
    return std::nullopt;
  }
  const std::int64_t rel =
      std::int64_t{c} * l.SectorsPerCylinder() + std::int64_t{r.head} * l.sectorsPerSide + s;
  if (rel >= l.totalSectors) return std::nullopt;
  return static_cast<int>(rel);
}

std::optional<Bytes256> ReadRelative(const DiskView& disk, const DosLayout& l, int rel) {
  if (rel < 0 || rel >= l.totalSectors) return std::nullopt;
  const Address a = At(l, rel);
  auto data = disk.Sector(a.cylinder, a.head, a.sector);
  if (!data) return std::nullopt;
  return Bytes256(std::move(*data));
}

// Printable ASCII as it is, anything else as '?'; trailing spaces dropped.
std::string Text(std::span<const std::uint8_t> bytes) {
  std::string s;
  for (const std::uint8_t c : bytes) s += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// A GAT text field (disk name, date), or nothing when it holds anything but printable ASCII.
std::optional<std::string> GatText(const Bytes256& gat, std::size_t at) {
  const auto bytes = gat.span(at, 8);
  for (const std::uint8_t c : bytes) {
    if (c < 0x20 || c >= 0x7F) return std::nullopt;
  }
  std::string s = Text(bytes);
  if (s.empty()) return std::nullopt;
  return s;
}

std::string Hex(int v) {
  return "0x" + TwoDigitHex(v & 0xFF);
}

std::optional<std::string> EntryDate(const DosLayout& l, std::uint8_t b1, std::uint8_t b2) {
  char buf[16];
  switch (l.date) {
    case DateRule::None:
      return std::nullopt;
    case DateRule::LdosPacked: {
      const int month = b1 & 0x0F, day = b2 >> 3, year = 80 + (b2 & 0x07);
      if (month < 1 || month > 12 || day < 1) return std::nullopt;
      std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", month, day, year);
      return buf;
    }
    case DateRule::MonthYear:
      if (b1 < 1 || b1 > 12) return std::nullopt;
      std::snprintf(buf, sizeof buf, "%02d/%02d", b1, b2 % 100);
      return buf;
  }
  return std::nullopt;
}

// The whole directory in memory: the HIT and the entry sectors that could be read.
class Directory {
 public:
  Directory(const DiskView& disk, const DosLayout& l) : l_(l) {
    hit_ = ReadRelative(disk, l, l.directorySector + 1);
    for (int s = 0; s < l.entrySectors; ++s) {
      sectors_.push_back(ReadRelative(disk, l, l.directorySector + 2 + s));
    }
  }
  int Slots() const { return l_.entrySectors * l_.entriesPerSector; }
  bool HasHit() const { return hit_.has_value(); }
  bool HasSector(int s) const { return sectors_[static_cast<std::size_t>(s)].has_value(); }

  std::optional<int> HitPosition(int slot) const {
    const int s = slot / l_.entriesPerSector, e = slot % l_.entriesPerSector;
    const int at =
        l_.hit == HitRule::EntryTimes32 ? e * kHitSectors + s : s * l_.entriesPerSector + e;
    if (at >= kHitSlots || (l_.hit == HitRule::EntryTimes32 && s >= kHitSectors)) {
      return std::nullopt;
    }
    return at;
  }
  std::uint8_t HitByte(int slot) const {
    const auto at = HitPosition(slot);
    return (hit_ && at) ? hit_->at(static_cast<std::size_t>(*at)) : 0;
  }
  // The slot a link's HIT position names.
  std::optional<int> SlotOfPosition(int position) const {
    int s = 0, e = 0;
    if (l_.hit == HitRule::EntryTimes32) {
      s = position % kHitSectors;
      e = position / kHitSectors;
    } else {
      s = position / l_.entriesPerSector;
      e = position % l_.entriesPerSector;
    }
    if (s >= l_.entrySectors || e >= l_.entriesPerSector) return std::nullopt;
    return s * l_.entriesPerSector + e;
  }
  // The entry's bytes, or nothing when its sector could not be read.
  std::optional<std::span<const std::uint8_t>> Entry(int slot) const {
    const auto& sector = sectors_[static_cast<std::size_t>(slot / l_.entriesPerSector)];
    if (!sector) return std::nullopt;
    const auto at = static_cast<std::size_t>((slot % l_.entriesPerSector) * l_.entryBytes);
    const auto bytes = sector->span(at, static_cast<std::size_t>(l_.entryBytes));
    if (bytes.size() != static_cast<std::size_t>(l_.entryBytes)) return std::nullopt;
    return bytes;
  }

 private:
  const DosLayout& l_;
  std::optional<Bytes256> hit_;
  std::vector<std::optional<Bytes256>> sectors_;
};

// A run of granules the GAT marks allocated that no file, and not the DOS, uses, within one track
// (lump): the first granule (counted over the disk) and the number of granules.
struct IdleRun {
  int first = 0;
  int count = 0;
};

// What each relative sector holds for the owners: the file and its record (0 past its end).
struct FileSectorMark {
  int file = -1;
  int record = 0;
};

class Reader {
 public:
  Reader(const DiskView& disk, const DosLayout& l)
      : disk_(disk), l_(l), dir_(disk, l), gat_(ReadRelative(disk, l, l.directorySector)) {
    granules_ = std::min(l.Granules(), std::min(l.units, l.gatUnits) * l.granulesPerUnit);
    users_.resize(static_cast<std::size_t>(std::max(granules_, 0)));
    dosGranule_.assign(users_.size(), false);
    marks_.resize(static_cast<std::size_t>(std::max(l.totalSectors, 0)));
    records_.resize(marks_.size());
    for (int rel = 0; rel < l.totalSectors; ++rel) {
      const Address a = At(l, rel);
      records_[static_cast<std::size_t>(rel)] = disk.Record(a.cylinder, a.head, a.sector);
    }
  }

  FileSystem Read() {
    fs_.dos = l_.dos;
    fs_.version = l_.version;
    fs_.sectorsPerGranule = l_.sectorsPerGranule;
    fs_.entriesPerSector = l_.entriesPerSector;
    if (gat_) {
      fs_.diskName = GatText(*gat_, kDiskNameAt);
      fs_.date = GatText(*gat_, kDiskDateAt);
    } else {
      fs_.problems.push_back("the GAT cannot be read");
    }
    if (!dir_.HasHit()) fs_.problems.push_back("the HIT cannot be read");
    for (int s = 0; s < l_.entrySectors; ++s) {
      if (!dir_.HasSector(s)) {
        fs_.problems.push_back("directory sector " + std::to_string(s + 2) + " cannot be read");
      }
    }
    MarkDosGranules();
    ReadEntries();
    CheckGranules();
    FindDeleted();
    FindUnowned();
    FindOwners();
    return std::move(fs_);
  }

 private:
  bool Allocated(int granule) const {
    if (!gat_) return true;
    const int unit = granule / l_.granulesPerUnit, bit = granule % l_.granulesPerUnit;
    return (gat_->at(static_cast<std::size_t>(unit)) >> bit) & 1;
  }

  // The granules holding the boot and system sectors and the directory belong to the DOS.
  void MarkDosGranules() {
    auto mark = [&](int rel) {
      const int g = rel / l_.sectorsPerGranule;
      if (rel >= 0 && g < granules_) dosGranule_[static_cast<std::size_t>(g)] = true;
    };
    for (const int rel : l_.bootSectors) mark(rel);
    for (const int rel : l_.systemSectors) mark(rel);
    for (int k = 0; k < l_.entrySectors + 2; ++k) mark(l_.directorySector + k);
    for (const FileExtent& x : l_.systemExtents) {
      for (int k = 0; k < x.count; ++k) {
        const int g = x.track * l_.granulesPerUnit + x.granule + k;
        if (g < granules_) {
          dosGranule_[static_cast<std::size_t>(g)] = true;
          systemGranules_.insert(g);
        }
      }
    }
  }

  // An entry as the DOS numbers it in messages and links: its directory entry code (DEC), the
  // entry's HIT position ("entry 0x61").
  std::string EntryName(int slot) const {
    const auto dec = dir_.HitPosition(slot);
    return dec ? "entry " + Hex(*dec) : "entry slot " + std::to_string(slot);
  }

  void ReadEntries() {
    for (int slot = 0; slot < dir_.Slots(); ++slot) {
      const std::uint8_t hit = dir_.HitByte(slot);
      const auto entry = dir_.Entry(slot);
      if (hit == 0 || !entry) continue;
      const std::uint8_t attributes = (*entry)[0];
      // A HIT byte names a file whose entry is gone: overwritten with FF or zeros, or killed
      // without the HIT being cleared. The file's granules may still hold it.
      const auto all = [&](std::uint8_t b) {
        return std::all_of(entry->begin(), entry->end(), [b](std::uint8_t c) { return c == b; });
      };
      const bool ff = all(0xFF), zeros = all(0x00);
      if (ff || zeros || !(attributes & kAttrInUse)) {
        fs_.problems.push_back(EntryName(slot) + ": the HIT names a file (" + Hex(hit) +
                               "), but the entry is " +
                               (ff      ? "empty (FF)"
                                : zeros ? "empty (zeros)"
                                        : "not in use"));
        continue;
      }
      if (attributes & kAttrExtended) continue;  // reached through its primary entry
      const std::uint8_t hash = NameHash(entry->subspan(kNameAt, kNameBytes));
      if (hash != hit) {
        fs_.problems.push_back(EntryName(slot) + " (" + Text(entry->subspan(kNameAt, 8)) + "/" +
                               Text(entry->subspan(kNameAt + 8, 3)) + "): HIT byte " + Hex(hit) +
                               ", the name's hash is " + Hex(hash));
      }
      ReadFile(slot, *entry);
    }
  }

  // The fields of an entry but its extents: name, attributes, date and size.
  DosFile EntryFields(int slot, std::span<const std::uint8_t> entry) const {
    DosFile f;
    f.name = Text(entry.subspan(kNameAt, 8));
    f.ext = Text(entry.subspan(kNameAt + 8, 3));
    f.attributes = entry[0];
    f.system = (entry[0] & kAttrSystem) != 0;
    f.invisible = (entry[0] & kAttrInvisible) != 0;
    f.protection = entry[0] & kAttrProtection;
    f.entrySlot = slot;
    f.date = EntryDate(l_, entry[1], entry[2]);
    const int eof = entry[kEofAt];
    const int ern = entry[kErnAt] | (entry[kErnAt + 1] << 8);
    if (l_.size == SizeRule::RecordsPlusEof) {
      f.size = std::int64_t{ern} * kSectorBytes + eof;
    } else {
      f.size = eof == 0 ? std::int64_t{ern} * kSectorBytes
                        : std::int64_t{std::max(ern - 1, 0)} * kSectorBytes + eof;
    }
    return f;
  }

  // "extent 2 (track 9, granule 0, 2 granules)"
  std::string ExtentText(const DosFile& f, std::size_t k) const {
    const FileExtent& x = f.extents[k];
    return "extent " + std::to_string(k + 1) + " (" + l_.unitName + " " + std::to_string(x.track) +
           ", granule " + std::to_string(x.granule) + ", " + std::to_string(x.count) +
           (x.count == 1 ? " granule)" : " granules)");
  }

  void ReadFile(int slot, std::span<const std::uint8_t> entry) {
    DosFile f = EntryFields(slot, entry);
    const int index = static_cast<int>(fs_.files.size());
    FollowExtents(slot, entry, f);

    // The granules in extent order, and the relative sectors they hold.
    std::vector<int> rels;
    for (std::size_t k = 0; k < f.extents.size(); ++k) {
      const FileExtent& x = f.extents[k];
      const std::string which = ExtentText(f, k);
      if (x.granule >= l_.granulesPerUnit) {
        f.problems.push_back(which + " starts past the " + std::to_string(l_.granulesPerUnit) +
                             " granules of a " + l_.unitName);
        continue;
      }
      const int first = x.track * l_.granulesPerUnit + x.granule;
      if (first + x.count > granules_) f.problems.push_back(which + " lies outside the disk");
      bool free = false;
      for (int g = first; g < first + x.count && g < granules_; ++g) {
        auto& users = users_[static_cast<std::size_t>(g)];
        if (std::find(users.begin(), users.end(), index) == users.end()) users.push_back(index);
        free = free || !Allocated(g);
        for (int j = 0; j < l_.sectorsPerGranule; ++j) rels.push_back(g * l_.sectorsPerGranule + j);
      }
      if (free) f.problems.push_back(which + " lies on granules the GAT marks free");
    }

    const std::int64_t records = Records(f);
    if (static_cast<std::int64_t>(rels.size()) < records) {
      f.problems.push_back("its extents hold " + std::to_string(rels.size()) +
                           " sectors, its size needs " + std::to_string(records));
    }
    for (std::size_t k = 0; k < rels.size(); ++k) {
      const int rel = rels[k];
      const bool data = static_cast<std::int64_t>(k) < records;
      FileSectorMark& mark = marks_[static_cast<std::size_t>(rel)];
      if (mark.file < 0) mark = {index, data ? static_cast<int>(k) + 1 : 0};
      if (!data) continue;
      const Address a = At(l_, rel);
      f.sectors.push_back({a.cylinder, a.head, a.sector, records_[static_cast<std::size_t>(rel)]});
    }
    fs_.files.push_back(std::move(f));
  }

  static std::int64_t Records(const DosFile& f) {
    return (f.size + kSectorBytes - 1) / kSectorBytes;
  }

  // The extents of the entry and of the extended entries its links lead to. A killed file's
  // extended entries have lost their in-use bit with it.
  void FollowExtents(int slot, std::span<const std::uint8_t> entry, DosFile& f,
                     bool killed = false) const {
    std::set<int> visited = {slot};
    for (;;) {
      std::optional<int> next;
      for (int p = 0; p < l_.extentPairs; ++p) {
        const std::size_t at = kExtentsAt + 2 * static_cast<std::size_t>(p);
        const std::uint8_t a = entry[at], b = entry[at + 1];
        if (a == kEndOfExtents) break;
        if (a == kLinkMark && l_.linkedEntries) {
          next = dir_.SlotOfPosition(b);
          if (!next) {
            f.problems.push_back("the link FE " + Hex(b) + " points outside the directory");
          } else if (visited.count(*next)) {
            f.problems.push_back("the extended entries loop back to " + EntryName(*next));
            next.reset();
          }
          break;
        }
        const int count = (b & 0x1F) + (l_.countLessOne ? 1 : 0);
        if (count > 0) f.extents.push_back({a, b >> 5, count});
      }
      if (!next) return;
      const auto extended = dir_.Entry(*next);
      if (!extended) {
        f.problems.push_back("its extended " + EntryName(*next) + " cannot be read");
        return;
      }
      const std::uint8_t want = killed ? kAttrExtended : kAttrInUse | kAttrExtended;
      if (((*extended)[0] & want) != want) {
        f.problems.push_back("its link leads to " + EntryName(*next) +
                             ", which is not an extended entry in use");
        return;
      }
      visited.insert(*next);
      entry = *extended;
    }
  }

  // "track 12 granules 0-1", "lump 30 granule 0"
  std::string RunText(const IdleRun& r) const {
    const int unit = r.first / l_.granulesPerUnit, from = r.first % l_.granulesPerUnit;
    const int to = from + r.count - 1;
    return l_.unitName + " " + std::to_string(unit) +
           (from == to ? " granule " + std::to_string(from)
                       : " granules " + std::to_string(from) + "-" + std::to_string(to));
  }

  void CheckGranules() {
    int freeCount = 0;
    std::map<std::pair<int, int>, std::vector<int>> shared;  // the granules two files share
    for (int g = 0; g < granules_; ++g) {
      const auto& users = users_[static_cast<std::size_t>(g)];
      const bool allocated = Allocated(g);
      if (!allocated) ++freeCount;
      if (allocated && users.empty() && !dosGranule_[static_cast<std::size_t>(g)]) {
        const bool goesOn = !idle_.empty() && idle_.back().first + idle_.back().count == g &&
                            idle_.back().first / l_.granulesPerUnit == g / l_.granulesPerUnit;
        if (goesOn) {
          ++idle_.back().count;
        } else {
          idle_.push_back({g, 1});
        }
      }
      for (std::size_t i = 0; i < users.size(); ++i) {
        for (std::size_t j = i + 1; j < users.size(); ++j) {
          shared[{users[i], users[j]}].push_back(g);
        }
      }
    }
    if (gat_) fs_.freeGranules = freeCount;
    std::vector<bool> runNamed(idle_.size(), false);
    std::set<std::pair<int, int>> pairsNamed;
    NameDamagedExtents(shared, runNamed, pairsNamed);
    for (const auto& [pair, granules] : shared) {
      if (pairsNamed.count(pair)) continue;
      const auto [a, b] = pair;
      const std::string text = fs_.files[static_cast<std::size_t>(a)].FullName() + " and " +
                               fs_.files[static_cast<std::size_t>(b)].FullName() +
                               " lie on the same granules";
      fs_.problems.push_back(text);
      fs_.files[static_cast<std::size_t>(a)].problems.push_back(text);
      fs_.files[static_cast<std::size_t>(b)].problems.push_back(text);
    }
    for (std::size_t k = 0; k < idle_.size(); ++k) {
      if (!runNamed[k]) {
        fs_.problems.push_back(RunText(idle_[k]) + ": allocated in the GAT, used by no file");
      }
    }
  }

  // An extent whose track byte (or granule byte) was damaged reads as two faults: the file lies
  // on another file's granules, and the granules the extent named are left allocated to no file.
  // They are named once, on the file, where the signs agree: an extent of the file lies on other
  // files' granules, a run of idle granules has exactly its length, and no other such extent fits
  // that run as well (the same first granule within its track breaks a tie; a tie left is not
  // guessed at). The other files are taken to be the sound ones, and their pair problem with it
  // goes when all the granules they share lie in that extent. Anything else is named as found.
  void NameDamagedExtents(const std::map<std::pair<int, int>, std::vector<int>>& shared,
                          std::vector<bool>& runNamed, std::set<std::pair<int, int>>& pairsNamed) {
    struct Overlap {
      int file = 0;
      std::size_t extent = 0;
      int first = 0;  // granule
      int count = 0;
      std::set<int> others;  // the files whose granules it lies on
    };
    std::vector<Overlap> overlaps;
    for (std::size_t i = 0; i < fs_.files.size() && !shared.empty(); ++i) {
      const DosFile& f = fs_.files[i];
      for (std::size_t k = 0; k < f.extents.size(); ++k) {
        const FileExtent& x = f.extents[k];
        if (x.granule >= l_.granulesPerUnit) continue;
        Overlap o{static_cast<int>(i), k, x.track * l_.granulesPerUnit + x.granule, x.count, {}};
        for (int g = o.first; g < o.first + o.count && g < granules_; ++g) {
          for (const int u : users_[static_cast<std::size_t>(g)]) {
            if (u != o.file) o.others.insert(u);
          }
        }
        if (!o.others.empty()) overlaps.push_back(std::move(o));
      }
    }
    std::vector<bool> taken(overlaps.size(), false);
    for (std::size_t r = 0; r < idle_.size(); ++r) {
      std::vector<std::size_t> fit, sameGranule;
      for (std::size_t k = 0; k < overlaps.size(); ++k) {
        if (taken[k] || overlaps[k].count != idle_[r].count) continue;
        fit.push_back(k);
        if (overlaps[k].first % l_.granulesPerUnit == idle_[r].first % l_.granulesPerUnit) {
          sameGranule.push_back(k);
        }
      }
      const std::vector<std::size_t>& pick = fit.size() == 1 ? fit : sameGranule;
      if (pick.size() != 1) continue;
      taken[pick[0]] = true;
      runNamed[r] = true;
      const Overlap& o = overlaps[pick[0]];
      DosFile& f = fs_.files[static_cast<std::size_t>(o.file)];
      std::string others;
      for (const int j : o.others) {
        others +=
            (others.empty() ? "" : " and ") + fs_.files[static_cast<std::size_t>(j)].FullName();
        const auto pair = std::minmax(o.file, j);
        const std::vector<int>& granules = shared.at(pair);
        if (std::all_of(granules.begin(), granules.end(),
                        [&](int g) { return g >= o.first && g < o.first + o.count; })) {
          pairsNamed.insert(pair);
        }
      }
      f.problems.push_back(ExtentText(f, o.extent) + " lies on granules of " + others +
                           ", while the GAT allocates " + RunText(idle_[r]) +
                           " to no file: the extent seems damaged, and to have named those");
    }
  }

  // A name as the DOS writes one: a letter, then letters and digits, padded with spaces; an
  // extension likewise, or all spaces. By it the entries of killed files are told from the
  // leftovers of a directory sector and the program code some hold past the directory's end.
  static bool DosName(std::span<const std::uint8_t> field, bool mayBeBlank) {
    bool padding = false;
    for (std::size_t k = 0; k < field.size(); ++k) {
      const std::uint8_t c = field[k];
      const bool letter = c >= 'A' && c <= 'Z', digit = c >= '0' && c <= '9';
      if (c == ' ') {
        padding = true;
      } else if (padding || !(letter || (digit && k > 0))) {
        return false;
      }
    }
    return mayBeBlank || (!field.empty() && field[0] != ' ');
  }

  // The bytes of a file's sectors up to its size, or nothing when one cannot be read.
  std::optional<std::vector<std::uint8_t>> Contents(const DosFile& f) const {
    std::vector<std::uint8_t> bytes;
    for (const FileSector& s : f.sectors) {
      const auto data = disk_.Sector(s.cylinder, s.head, s.sector);
      if (!data) return std::nullopt;
      bytes.insert(bytes.end(), data->begin(), data->end());
    }
    bytes.resize(static_cast<std::size_t>(
        std::min<std::int64_t>(f.size, static_cast<std::int64_t>(bytes.size()))));
    return bytes;
  }

  // Entries the DOS killed (in-use bit clear, HIT byte zero or not) whose name and extents are
  // whole: a name as the DOS writes one, extents on the disk that hold the size's records, links
  // to extended entries that lead to some.
  void FindDeleted() {
    std::vector<std::vector<int>> granulesOf;   // of each killed file, in extent order
    std::vector<int> claims(users_.size(), 0);  // how many killed files name each granule
    for (int slot = 0; slot < dir_.Slots(); ++slot) {
      const auto entry = dir_.Entry(slot);
      if (!entry || ((*entry)[0] & (kAttrInUse | kAttrExtended))) continue;
      if (!DosName(entry->subspan(kNameAt, 8), false) ||
          !DosName(entry->subspan(kNameAt + 8, 3), true)) {
        continue;
      }
      DosFile f = EntryFields(slot, *entry);
      FollowExtents(slot, *entry, f, true);
      if (!f.problems.empty() || f.extents.empty()) continue;
      std::vector<int> granules;
      bool whole = true;
      for (const FileExtent& x : f.extents) {
        const int first = x.track * l_.granulesPerUnit + x.granule;
        whole = whole && x.granule < l_.granulesPerUnit && first + x.count <= granules_;
        for (int g = first; whole && g < first + x.count; ++g) granules.push_back(g);
      }
      const std::int64_t records = Records(f);
      if (!whole || static_cast<std::int64_t>(granules.size()) * l_.sectorsPerGranule < records) {
        continue;
      }
      for (std::int64_t k = 0; k < records; ++k) {
        const int rel =
            granules[static_cast<std::size_t>(k / l_.sectorsPerGranule)] * l_.sectorsPerGranule +
            static_cast<int>(k % l_.sectorsPerGranule);
        const Address a = At(l_, rel);
        f.sectors.push_back(
            {a.cylinder, a.head, a.sector, records_[static_cast<std::size_t>(rel)]});
      }
      for (const int g : std::set<int>(granules.begin(), granules.end())) {
        ++claims[static_cast<std::size_t>(g)];
      }
      fs_.deleted.push_back({std::move(f), ""});
      granulesOf.push_back(std::move(granules));
    }
    for (std::size_t k = 0; k < fs_.deleted.size(); ++k) {
      const std::vector<int>& granules = granulesOf[k];
      std::size_t taken = 0;
      bool freeAlone = true;  // every granule free and named by no other killed file
      for (const int g : granules) {
        const auto at = static_cast<std::size_t>(g);
        if (!users_[at].empty() || dosGranule_[at]) ++taken;
        freeAlone = freeAlone && !Allocated(g) && claims[at] == 1;
      }
      DeletedFile& d = fs_.deleted[k];
      if (taken == granules.size()) {
        d.state = "overwritten";
      } else if (taken > 0) {
        d.state = "partly overwritten";
      } else {
        const auto bytes = freeAlone ? Contents(d.file) : std::nullopt;
        d.state = bytes && disk_.Guess(*bytes) ? "recoverable" : "unverified";
      }
    }
  }

  // The idle runs, each with its sectors and what its bytes seem to hold (read up to the first
  // sector that cannot be).
  void FindUnowned() {
    for (const IdleRun& r : idle_) {
      UnownedRun u;
      u.extent = {r.first / l_.granulesPerUnit, r.first % l_.granulesPerUnit, r.count};
      std::vector<std::uint8_t> bytes;
      bool readable = true;
      for (int rel = r.first * l_.sectorsPerGranule;
           rel < (r.first + r.count) * l_.sectorsPerGranule; ++rel) {
        const Address a = At(l_, rel);
        u.sectors.push_back(
            {a.cylinder, a.head, a.sector, records_[static_cast<std::size_t>(rel)]});
        const auto data = readable ? disk_.Sector(a.cylinder, a.head, a.sector) : std::nullopt;
        readable = data.has_value();
        if (data) bytes.insert(bytes.end(), data->begin(), data->end());
      }
      u.holds = disk_.Guess(bytes);
      fs_.unowned.push_back(std::move(u));
    }
  }

  void FindOwners() {
    const Listing& listing = disk_.listing();
    fs_.owners.assign(listing.records.size(), SectorOwner{});
    const int gatRel = l_.directorySector;
    const int directoryFile = (gatRel >= 0 && gatRel < l_.totalSectors)
                                  ? marks_[static_cast<std::size_t>(gatRel)].file
                                  : -1;
    auto contains = [](const std::vector<int>& v, int x) {
      return std::find(v.begin(), v.end(), x) != v.end();
    };
    for (std::size_t i = 0; i < listing.records.size(); ++i) {
      const SectorRecord& r = listing.records[i];
      SectorOwner& owner = fs_.owners[i];
      if (contains(l_.bootCylinders, r.cylinder)) {
        owner.kind = OwnerKind::Boot;
        continue;
      }
      const auto rel = RelativeOf(l_, r);
      if (!rel || records_[static_cast<std::size_t>(*rel)] != i)
        continue;  // not what the DOS reads
      const FileSectorMark mark = marks_[static_cast<std::size_t>(*rel)];
      const int entrySector = *rel - gatRel - 2;
      const int granule = *rel / l_.sectorsPerGranule;
      if (contains(l_.bootSectors, *rel)) {
        owner.kind = OwnerKind::Boot;
      } else if (contains(l_.systemSectors, *rel)) {
        owner.kind = OwnerKind::System;
      } else if (*rel == gatRel) {
        owner.kind = OwnerKind::Gat;
      } else if (*rel == gatRel + 1) {
        owner.kind = OwnerKind::Hit;
      } else if (entrySector >= 0 && entrySector < l_.entrySectors &&
                 (mark.file < 0 || mark.file == directoryFile)) {
        owner.kind = OwnerKind::DirectorySlot;
        owner.firstSlot = entrySector * l_.entriesPerSector;
      } else if (mark.file >= 0) {
        owner.kind = OwnerKind::File;
        owner.file = mark.file;
        owner.record = mark.record;
      } else if (granule >= granules_) {
        continue;
      } else if (systemGranules_.count(granule)) {
        owner.kind = OwnerKind::System;
      } else if (Allocated(granule)) {
        owner.kind = OwnerKind::AllocatedNoFile;
      } else {
        owner.kind = OwnerKind::Free;
      }
    }
  }

  const DiskView& disk_;
  const DosLayout& l_;
  Directory dir_;
  std::optional<Bytes256> gat_;
  int granules_ = 0;
  std::vector<std::vector<int>> users_;  // per granule, the files on it
  std::vector<bool> dosGranule_;
  std::vector<IdleRun> idle_;  // in granule order
  std::set<int> systemGranules_;
  std::vector<FileSectorMark> marks_;                // per relative sector
  std::vector<std::optional<std::size_t>> records_;  // per relative sector: its record
  FileSystem fs_;
};

}  // namespace

FileSystem ReadDirectory(const DiskView& disk, const DosLayout& layout) {
  return Reader(disk, layout).Read();
}

HitAgreement CheckHit(const DiskView& disk, const DosLayout& layout) {
  const Directory dir(disk, layout);
  HitAgreement agreement;
  for (int slot = 0; slot < dir.Slots(); ++slot) {
    const std::uint8_t hit = dir.HitByte(slot);
    const auto entry = dir.Entry(slot);
    if (hit == 0 || !entry) continue;
    ++agreement.used;
    if (((*entry)[0] & kAttrInUse) && NameHash(entry->subspan(kNameAt, kNameBytes)) == hit) {
      ++agreement.matching;
    }
  }
  return agreement;
}

}  // namespace m1::dos
