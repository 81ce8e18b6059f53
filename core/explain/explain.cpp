// What every byte of an image file is. The constructor lays the fields of every sector record of
// the listing (and the data space of every free JV3 entry) over the file once, as a sorted list of
// disjoint pieces; where fields overlap, ID fields win, then data marks, data, CRCs and the gaps
// between ID and data fields, so a stray field never hides a real one. Explain finds the piece of
// an offset by binary search and writes its text. What no piece covers is read from the
// container's layout: the DMK header and pointer tables, the JV3 header tables and write-protect
// byte, and the gaps.
#include "core/explain/explain.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>

#include "core/container/byte_reader.h"
#include "core/container/dmk_format.h"
#include "core/container/jv1_format.h"
#include "core/container/jv3_format.h"
#include "core/container/record_text.h"
#include "core/text/number_text.h"

namespace m1 {

namespace {

// The verdict with the value a good CRC has, and what a JV3 flag means.
std::string CrcText(const char* what, const CrcCheck& crc) {
  std::string text = std::string(what) + " " + CrcVerdict(crc);
  if (crc.ok && crc.written) {
    text += " (" + HexText(*crc.written, 4) + ")";
  } else if (!crc.ok && !crc.written) {
    text += " (the sector was read with a CRC error)";
  }
  return text;
}

std::string MarkName(std::uint8_t mark) {
  switch (mark) {
    case 0xFB:
      return "FB, data";
    case 0xFA:
      return "FA, user-defined (the directory mark of single density)";
    case 0xF9:
      return "F9, user-defined";
    case 0xF8:
      return "F8, deleted data (the directory mark of double density)";
    default:
      return HexText(mark, 2);
  }
}

// The flags byte of a JV3 sector header, bit by bit.
std::string Jv3Flags(const jv3::Entry& e) {
  std::string text = e.DoubleDensity() ? "double density" : "single density";
  text += ", data mark " + HexText(e.DataMark(), 2);
  text += e.Side1() ? ", side 1" : ", side 0";
  if (e.CrcError()) text += ", read with a CRC error";
  if (e.NonIbm()) text += ", non-IBM";
  text += ", " + PlainText(e.Size()) + " bytes";
  return text;
}

}  // namespace

ByteExplainer::ByteExplainer(std::span<const std::uint8_t> file, const Listing& listing,
                             const FileSystem* fs)
    : file_(file), listing_(listing), fs_(fs) {
  const ByteReader reader(file_);
  const auto fileSize = static_cast<std::int64_t>(file_.size());

  // The fields of the file, in the order they win where they overlap.
  struct Span {
    std::int64_t start, end;
    int priority;
    Piece piece;
  };
  std::vector<Span> spans;
  spans.reserve(listing_.records.size() * 5);

  if (listing_.format == ImageFormat::Dmk) {
    const dmk::Header h = dmk::ReadHeader(reader);
    if (h.trackLength >= dmk::kPointerTableBytes) {
      trackLength_ = h.trackLength;
      namedImages_ = std::int64_t{h.tracks} * (h.SingleSided() ? 1 : 2);
      // The end of each track image's pointer table: the first entry of 0, or 64.
      for (std::int64_t start = dmk::kHeaderBytes; start < fileSize; start += trackLength_) {
        int end = 0;
        while (end < dmk::kPointerEntries) {
          const auto p = dmk::ReadPointer(reader, start, end);
          if (!p || p->End()) break;
          ++end;
        }
        tableEnds_.push_back(end);
      }
    }
  } else if (listing_.format == ImageFormat::Jv3) {
    // Entry k of the second table is listed as entry 2901 + k.
    for (const SectorRecord& r : listing_.records) {
      if (r.idOffset && r.image >= jv3::kEntries) {
        secondTable_ = *r.idOffset - jv3::kEntryBytes * (r.image - jv3::kEntries);
        break;
      }
    }
    // A free entry keeps its data space in the file, in table order with the others.
    for (const std::int64_t table : {std::int64_t{0}, secondTable_.value_or(-1)}) {
      if (table < 0) continue;
      std::int64_t data = table + jv3::kTableBytes;
      for (std::int64_t k = 0; k < jv3::kEntries && data < fileSize; ++k) {
        const auto e = jv3::ReadEntry(reader, table, k);
        if (!e) break;
        const std::int64_t end = std::min(data + e->DataBytes(), fileSize);
        if (e->Free()) {
          const auto entry = static_cast<std::size_t>(table == 0 ? k : jv3::kEntries + k);
          spans.push_back({data, end, 2, Piece{PieceKind::FreeSpace, entry, 0, data}});
        }
        data += e->DataBytes();
      }
    }
  }

  // The fields of every record.
  for (std::size_t i = 0; i < listing_.records.size(); ++i) {
    const SectorRecord& r = listing_.records[i];
    const std::int64_t step = r.Step();
    // A DMK field ends with its track image; every field ends with the file.
    std::int64_t limit = fileSize;
    if (trackLength_ > 0 && r.idOffset) {
      const std::int64_t image = (*r.idOffset - dmk::kHeaderBytes) / trackLength_;
      limit = std::min(limit, dmk::kHeaderBytes + (image + 1) * trackLength_);
    }
    auto add = [&](int priority, PieceKind kind, std::int64_t start, std::int64_t end) {
      start = std::max<std::int64_t>(start, 0);
      end = std::min(end, limit);
      if (start < end) spans.push_back({start, end, priority, Piece{kind, i, 0, 0}});
    };
    // A JV3 record's ID offset is its sector header, which the table explains from the bytes.
    const bool dmkRecord = listing_.format == ImageFormat::Dmk;
    if (r.idOffset && dmkRecord) {
      add(0, PieceKind::IdField, *r.idOffset, *r.idOffset + dmk::kIdLogicalBytes * step);
    }
    if (r.dataOffset) {
      const std::int64_t data = *r.dataOffset;
      const std::int64_t crc = data + std::int64_t{r.size} * step;
      if (dmkRecord && r.dam) add(1, PieceKind::DataMark, data - step, data);
      add(2, PieceKind::Data, data, crc);
      if (dmkRecord && r.dataCrc) add(3, PieceKind::DataCrc, crc, crc + 2 * step);
      if (dmkRecord && r.idOffset) {
        add(4, PieceKind::IdGap, *r.idOffset + dmk::kIdLogicalBytes * step, data - step);
      }
    }
  }
  // The fields of a sound image do not overlap: in file order they are the pieces as they stand.
  auto byStart = [](const Span& x, const Span& y) { return x.start < y.start; };
  if (!std::is_sorted(spans.begin(), spans.end(), byStart)) {
    std::stable_sort(spans.begin(), spans.end(), byStart);
  }
  const bool disjoint =
      std::adjacent_find(spans.begin(), spans.end(), [](const Span& x, const Span& y) {
        return y.start < x.end;
      }) == spans.end();
  starts_.reserve(spans.size());
  pieces_.reserve(spans.size());
  if (disjoint) {
    for (const Span& sp : spans) {
      starts_.push_back(sp.start);
      pieces_.push_back(sp.piece);
      pieces_.back().length = sp.end - sp.start;
    }
    return;
  }

  // Where fields overlap, each span in the order of its kind, then of its record, is painted over
  // what is not yet covered.
  std::stable_sort(spans.begin(), spans.end(), [](const Span& x, const Span& y) {
    return x.priority != y.priority ? x.priority < y.priority : x.piece.record < y.piece.record;
  });
  std::map<std::int64_t, Piece> painted;  // start -> piece, disjoint
  for (const Span& sp : spans) {
    std::int64_t at = sp.start;
    auto next = painted.upper_bound(at);
    if (next != painted.begin()) {
      const auto before = std::prev(next);
      at = std::max(at, before->first + before->second.length);
    }
    while (at < sp.end) {
      const std::int64_t stop = next == painted.end() ? sp.end : std::min(sp.end, next->first);
      if (at < stop) {
        Piece p = sp.piece;
        p.length = stop - at;
        painted.emplace(at, p);
      }
      if (next == painted.end() || next->first >= sp.end) break;
      at = std::max(at, next->first + next->second.length);
      ++next;
    }
  }
  for (const auto& [start, piece] : painted) {
    starts_.push_back(start);
    pieces_.push_back(piece);
  }
}

std::string ByteExplainer::Explain(std::int64_t offset) const {
  if (offset < 0 || offset >= static_cast<std::int64_t>(file_.size())) {
    return "past the end of the file";
  }
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  if (after != starts_.begin()) {
    const auto k = static_cast<std::size_t>(std::distance(starts_.begin(), after) - 1);
    if (offset < starts_[k] + pieces_[k].length) return ExplainPiece(pieces_[k], offset);
  }
  switch (listing_.format.value_or(ImageFormat::Jv1)) {
    case ImageFormat::Dmk:
      return ExplainDmk(offset);
    case ImageFormat::Jv3:
      return ExplainJv3(offset);
    case ImageFormat::Jv1:
      break;
  }
  if (!listing_.format) {
    return "not a disk image" + (listing_.error ? " (" + *listing_.error + ")" : std::string());
  }
  return "JV1: after the last whole sector";
}

std::string ByteExplainer::ExplainPiece(const Piece& p, std::int64_t offset) const {
  if (p.kind == PieceKind::FreeSpace) {
    // p.record is the entry over both tables.
    const bool second = p.record >= static_cast<std::size_t>(jv3::kEntries);
    const std::size_t entry = second ? p.record - jv3::kEntries : p.record;
    return "JV3 " + std::string(second ? "second table, " : "") +
           "data space of free sector header " + PlainText(static_cast<long long>(entry)) +
           " (byte " + PlainText(offset - p.origin) + ")";
  }
  const SectorRecord& r = listing_.records[p.record];
  const std::int64_t step = r.Step();
  // Where the piece's field starts (a piece may begin later, where an earlier field covers the
  // field's first bytes), the logical byte of the field and whether this is its second copy.
  std::int64_t field = 0;
  switch (p.kind) {
    case PieceKind::IdField:
    case PieceKind::IdGap:
      field = *r.idOffset;
      break;
    case PieceKind::DataMark:
      field = *r.dataOffset - step;
      break;
    case PieceKind::Data:
      field = *r.dataOffset;
      break;
    case PieceKind::DataCrc:
      field = *r.dataOffset + std::int64_t{r.size} * step;
      break;
    case PieceKind::FreeSpace:
      break;
  }
  const std::int64_t k = (offset - field) / step;
  const std::string copy =
      (offset - field) % step != 0 ? " (second copy of a doubled single-density byte)" : "";
  const std::string sector = SectorName(r);

  switch (p.kind) {
    case PieceKind::IdField: {
      std::string text = "ID field of " + sector;
      if (r.Has(kRemarkNoIdMark)) {
        // The pointer points at something else: the bytes are read as an ID field all the same.
        text += " (no ID address mark: the pointer points at " +
                HexText(ByteReader(file_).byte(*r.idOffset).value_or(0), 2) + ")";
      }
      text += ": " + std::string(dmk::kIdByteNames[k]);
      if (k == 0) text += r.doubleDensity ? ", double density" : ", single density";
      if (k == dmk::kIdSizeCode) text += " (" + PlainText(128 << (r.sizeCode & 3)) + " bytes)";
      text += copy;
      if (r.idCrc) {
        text += "; " + CrcText("ID CRC", *r.idCrc);
      } else {
        text += "; " + CutText(r, "ID field");
      }
      return text;
    }
    case PieceKind::IdGap:
      return "gap between the ID field and the data field of " + sector;
    case PieceKind::DataMark:
      return "data address mark " + MarkName(r.dam.value_or(0)) + " of " + sector + copy;
    case PieceKind::Data: {
      std::string text = "data byte " + PlainText(k) + " of " + sector;
      if (fs_ != nullptr && p.record < fs_->owners.size()) {
        const std::string owner = fs_->OwnerText(p.record);
        if (!owner.empty()) text += " (" + owner + ")";
      }
      text += copy;
      if (listing_.format == ImageFormat::Jv3 && r.dataCrc && !r.dataCrc->ok) {
        text += "; read with a CRC error";
      }
      if (listing_.format == ImageFormat::Dmk && !r.dataCrc)
        text += "; " + CutText(r, "data field");
      return text;
    }
    case PieceKind::DataCrc:
      return std::string(k == 0 ? "data CRC, high byte, of " : "data CRC, low byte, of ") + sector +
             copy + "; " + CrcText("data CRC", *r.dataCrc);
    case PieceKind::FreeSpace:  // explained above
      break;
  }
  return "gap";
}

std::string ByteExplainer::CutText(const SectorRecord& r, const char* field) {
  return std::string(field) + (r.Has(kRemarkCutByFile) ? " cut by the end of the file"
                                                       : " cut by the end of the track image");
}

std::string ByteExplainer::ExplainDmk(std::int64_t offset) const {
  if (offset < dmk::kHeaderBytes) {
    const ByteReader reader(file_);
    const dmk::Header h = dmk::ReadHeader(reader);
    const std::uint8_t b = reader.byte(offset).value_or(0);
    const dmk::HeaderFieldPlace* f = &dmk::HeaderFieldAt(offset);
    // The signature's bytes are reserved bytes on an image that is not for a real drive.
    if (f->field == dmk::HeaderField::RealDrive && !h.realDrive) {
      f = &dmk::HeaderFieldOf(dmk::HeaderField::Reserved);
    }
    const std::string name = "DMK header: " + std::string(f->name);
    switch (f->field) {
      case dmk::HeaderField::WriteProtect:
        return name + " (" + HexText(b, 2) +
               (b == 0xFF ? ", protected)"
                : b == 0  ? ", writable)"
                          : ", neither 00 nor FF)");
      case dmk::HeaderField::Tracks:
        return name + " (" + PlainText(h.tracks) + ")";
      case dmk::HeaderField::TrackLength:
        return name + " (2 bytes, " + PlainText(h.trackLength) + ")";
      case dmk::HeaderField::Options: {
        std::string text = name + " (" + HexText(b, 2);
        if (b & dmk::kOptionSingleSided) text += ", single-sided";
        if (b & dmk::kOptionSingleByteSd) text += ", single density stored once";
        if (b & dmk::kOptionIgnoreDensity) text += ", density ignored: every byte stored once";
        if (b == 0) text += ", none: double-sided, single density recorded twice";
        return text + ")";
      }
      case dmk::HeaderField::RealDrive:
        return name + " (78 56 34 12)";
      case dmk::HeaderField::Reserved:
        break;
    }
    return name + " (byte " + PlainText(offset) + ", " + HexText(b, 2) + ")";
  }
  if (trackLength_ == 0) {
    return "DMK: no track images (the header's track length is too short to hold a pointer table)";
  }
  const std::int64_t image = (offset - dmk::kHeaderBytes) / trackLength_;
  const std::int64_t start = dmk::kHeaderBytes + image * trackLength_;
  const std::int64_t within = offset - start;
  std::string name = "track image " + PlainText(image);
  if (namedImages_ > 0 && image >= namedImages_) {
    name += " (past the " + PlainText(namedImages_) + " the header names)";
  }
  if (within >= dmk::kPointerTableBytes) {
    return "gap (" + name + ", +0x" + HexText(static_cast<unsigned>(within), 4) + ")";
  }
  const int slot = static_cast<int>(within / 2);
  const std::string pointer = name + ", pointer " + PlainText(slot) + ": ";
  const int end = tableEnds_[static_cast<std::size_t>(image)];
  if (slot > end) return pointer + "unused (after the end of the table)";
  const auto p = dmk::ReadPointer(ByteReader(file_), start, slot);
  if (!p) return pointer + "cut by the end of the file";
  if (p->End()) return pointer + "0000, the end of the table";
  std::string text = pointer + "ID address mark at +0x" +
                     HexText(static_cast<unsigned>(p->Offset()), 4) +
                     (p->DoubleDensity() ? ", double density" : ", single density");
  if (p->Offset() >= trackLength_) text += " (outside the track image)";
  return text;
}

std::string ByteExplainer::ExplainJv3(std::int64_t offset) const {
  for (const std::int64_t table : {std::int64_t{0}, secondTable_.value_or(-1)}) {
    if (table < 0 || offset < table || offset >= table + jv3::kTableBytes) continue;
    const std::int64_t within = offset - table;
    const std::string which = table == 0 ? "JV3 " : "JV3 second table, ";
    if (within == jv3::kWriteProtectAt) {
      const std::uint8_t b = ByteReader(file_).byte(offset).value_or(0);
      if (table != 0) return which + "padding byte (" + HexText(b, 2) + ")";
      return which + "write-protect byte (" + HexText(b, 2) +
             (b == 0xFF ? ", not protected)" : ", protected)");
    }
    return ExplainJv3Entry(table, within / jv3::kEntryBytes, within % jv3::kEntryBytes);
  }
  return "JV3: after the data space of every sector header";
}

std::string ByteExplainer::ExplainJv3Entry(std::int64_t table, std::int64_t entry,
                                           std::int64_t byte) const {
  const std::string which = table == 0 ? "JV3 " : "JV3 second table, ";
  const std::string head = which + "sector header " + PlainText(entry);
  const auto e = jv3::ReadEntry(ByteReader(file_), table, entry);
  if (!e) return head + ": cut by the end of the file";
  if (e->Free()) return head + ": free entry";
  const std::string sector = " (track " + PlainText(e->track) + " side " +
                             PlainText(e->Side1() ? 1 : 0) + " sector " + PlainText(e->sector) +
                             ")";
  const std::string field = head + sector + ": " + jv3::kEntryByteNames[byte];
  if (byte != jv3::kEntryFlags) return field;
  return field + " " + HexText(e->flags, 2) + ": " + Jv3Flags(*e);
}

}  // namespace m1
