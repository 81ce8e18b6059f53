// A tokenised BASIC program as Disk BASIC saves it:
//   byte 0     0xFF, the mark of a tokenised program (a cassette program starts D3 D3 D3)
//   then lines, each
//     2 bytes  the link: the RAM address of the next line, little-endian; 0x0000 ends the program
//     2 bytes  the line number, little-endian
//     n bytes  the text: ASCII, and keywords as one-byte tokens 0x80-0xFB
//     1 byte   0x00, the end of the line
// Bytes after the 0x0000 link are not part of the program.
//
// The lines are read by their 0x00 ends, as the loaders do (they rebuild the links); the links are
// a check. The first link tells where the program lay in memory; a link that then steps back to
// an earlier line (the chain would loop) or points past the end of the file ends the listing.
//
// LIST spells each token and copies every other byte, with three exceptions the tokeniser made:
// ELSE is stored as ':' 0x95 and listed without the colon; ' is stored as ':' REM 0xFB and listed
// as ' alone. And, as the Model III ROM does, bytes inside quotes, after REM or ' and in DATA (up
// to a ':' outside quotes) are characters, not tokens. LIST stops a line at 255 characters; the
// listing here keeps the whole line, since a longer one only comes from a tool, not from BASIC.
#include "core/content/basic.h"

#include <array>

#include "core/container/byte_reader.h"
#include "core/content/visible_char.h"
#include "core/text/number_text.h"

namespace m1 {
namespace {

constexpr std::int64_t kFirstLine = 1;
constexpr std::uint8_t kLineEnd = 0x00;
constexpr int kLineHeader = 4;  // link and line number
constexpr std::uint8_t kQuote = '"';
constexpr std::uint8_t kColon = ':';

// The keywords of tokens 0x80 to 0xFB, in the order of the ROM's table (Level II with the disk
// keywords; Model III BASIC has the same). The power operator 0xD1 is held in the ROM as 0x5B,
// which the Model I and III show as an up arrow; it is written ^ as it is typed today.
constexpr std::array<const char*, 124> kKeywords = {
    "END",     "FOR",    "RESET",  "SET",    "CLS",     "CMD",   "RANDOM", "NEXT",    // 80
    "DATA",    "INPUT",  "DIM",    "READ",   "LET",     "GOTO",  "RUN",    "IF",      // 88
    "RESTORE", "GOSUB",  "RETURN", "REM",    "STOP",    "ELSE",  "TRON",   "TROFF",   // 90
    "DEFSTR",  "DEFINT", "DEFSNG", "DEFDBL", "LINE",    "EDIT",  "ERROR",  "RESUME",  // 98
    "OUT",     "ON",     "OPEN",   "FIELD",  "GET",     "PUT",   "CLOSE",  "LOAD",    // A0
    "MERGE",   "NAME",   "KILL",   "LSET",   "RSET",    "SAVE",  "SYSTEM", "LPRINT",  // A8
    "DEF",     "POKE",   "PRINT",  "CONT",   "LIST",    "LLIST", "DELETE", "AUTO",    // B0
    "CLEAR",   "CLOAD",  "CSAVE",  "NEW",    "TAB(",    "TO",    "FN",     "USING",   // B8
    "VARPTR",  "USR",    "ERL",    "ERR",    "STRING$", "INSTR", "POINT",  "TIME$",   // C0
    "MEM",     "INKEY$", "THEN",   "NOT",    "STEP",    "+",     "-",      "*",       // C8
    "/",       "^",      "AND",    "OR",     ">",       "=",     "<",      "SGN",     // D0
    "INT",     "ABS",    "FRE",    "INP",    "POS",     "SQR",   "RND",    "LOG",     // D8
    "EXP",     "COS",    "SIN",    "TAN",    "ATN",     "PEEK",  "CVI",    "CVS",     // E0
    "CVD",     "EOF",    "LOC",    "LOF",    "MKI$",    "MKS$",  "MKD$",   "CINT",    // E8
    "CSNG",    "CDBL",   "FIX",    "LEN",    "STR$",    "VAL",   "ASC",    "CHR$",    // F0
    "LEFT$",   "RIGHT$", "MID$",   "'",                                               // F8
};

// The first address of RAM on the Model I and III: a program lies at or above it.
constexpr int kRamStart = 0x4000;
constexpr int kAddressSpace = 0x10000;
// The largest line number BASIC accepts.
constexpr int kLastLineNumber = 65529;
// A line BASIC made holds at most 255 bytes of text with its end.
constexpr std::int64_t kLongestLine = 256;

std::string Hex4(int v) {
  return HexText(static_cast<unsigned>(v), 4);
}

// The text LIST prints for the bytes of one line (without the line number).
std::string Detokenise(std::span<const std::uint8_t> text) {
  const ByteReader in(text);
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  bool remark = false;  // after REM or ': every byte is a character
  bool quoted = false;
  bool data = false;  // in DATA, up to a ':' outside quotes
  for (std::int64_t i = 0; const auto b = in.byte(i); ++i) {
    if (remark || quoted) {
      AppendVisible(out, *b);
      if (*b == kQuote) quoted = false;
      continue;
    }
    if (*b == kQuote) {
      quoted = true;
      out += '"';
      continue;
    }
    if (data && *b != kColon) {
      AppendVisible(out, *b);
      continue;
    }
    data = false;
    if (*b == kColon) {
      if (in.byte(i + 1) == basic::kElse) {
        out += "ELSE";
        i += 1;
        continue;
      }
      if (in.byte(i + 1) == basic::kRem && in.byte(i + 2) == basic::kApostrophe) {
        out += '\'';
        i += 2;
        remark = true;
        continue;
      }
    }
    if (const char* keyword = BasicKeyword(*b)) {
      out += keyword;
      remark = *b == basic::kRem || *b == basic::kApostrophe;
      data = *b == basic::kData;
      continue;
    }
    AppendVisible(out, *b);
  }
  return out;
}

}  // namespace

const char* BasicKeyword(std::uint8_t b) {
  if (b < basic::kFirstToken || b > basic::kLastToken) return nullptr;
  return kKeywords[b - basic::kFirstToken];
}

bool LooksLikeBasic(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  if (in.byte(0) != basic::kProgramMark) return false;
  const auto link = in.le16(kFirstLine);
  if (!link) return false;
  if (*link == 0) return bytes.size() == 3;  // an empty program: the mark and the end link
  const auto number = in.le16(kFirstLine + 2);
  if (!number || *number > kLastLineNumber) return false;
  std::int64_t end = kFirstLine + kLineHeader;
  while (in.byte(end) && in.byte(end) != kLineEnd) ++end;
  if (!in.byte(end) || end - kFirstLine - kLineHeader >= kLongestLine) return false;
  // The address of the file's first byte, were the link right, lies in RAM with the whole file.
  const std::int64_t base = *link - (end + 1);
  if (base < kRamStart || base + static_cast<std::int64_t>(bytes.size()) > kAddressSpace) {
    return false;
  }
  const auto next = in.le16(end + 1);
  return !next || *next == 0 || *next > *link;
}

BasicListing ListBasic(std::span<const std::uint8_t> bytes) {
  BasicListing listing;
  const ByteReader in(bytes);
  const auto mark = in.byte(0);
  if (mark != basic::kProgramMark) {
    listing.problems.push_back(mark ? "the first byte is " + TwoDigitHex(*mark) +
                                          ", not FF: this is not a tokenised BASIC program"
                                    : "the file is empty");
    return listing;
  }
  std::int64_t at = kFirstLine;
  std::int64_t base = 0;  // the RAM address of the file's first byte, from the first link
  int previousLink = -1;
  bool linked = true;
  while (true) {
    const auto link = in.le16(at);
    if (!link) {
      listing.problems.push_back("the file ends at " + HexText(bytes.size()) +
                                 " without the program's end (a 0000 link)");
      break;
    }
    if (*link == 0) {
      listing.ended = true;
      break;
    }
    BasicLine line;
    line.offset = at;
    const auto number = in.le16(at + 2);
    if (!number) {
      listing.problems.push_back("the file ends inside the line at " + HexText(at));
      break;
    }
    line.number = *number;
    const std::int64_t textAt = at + kLineHeader;
    std::int64_t end = textAt;
    while (in.byte(end) && in.byte(end) != kLineEnd) ++end;
    line.text = Detokenise(*in.bytes(textAt, end - textAt));
    const bool whole = in.byte(end).has_value();
    const std::int64_t next = end + 1;
    const int lineNumber = line.number;
    const bool ascending = listing.lines.empty() || lineNumber > listing.lines.back().number;
    listing.lines.push_back(std::move(line));
    if (!whole) {
      listing.problems.push_back("line " + PlainText(lineNumber) +
                                 " has no end (00) before the end of the file");
      break;
    }
    if (previousLink < 0) base = *link - next;
    linked = linked && ascending && *link - base == next;
    if (linked) ++listing.linkedLines;
    if (*link <= previousLink) {
      listing.problems.push_back("line " + PlainText(lineNumber) + " links back to " + Hex4(*link) +
                                 ", not past " + Hex4(previousLink) +
                                 ": the chain of lines loops; the listing ends here");
      break;
    }
    // A last line whose link is right but whose file was cut short is told at the next turn.
    if (*link - base != next && *link - base + 2 > static_cast<std::int64_t>(bytes.size())) {
      listing.problems.push_back("line " + PlainText(lineNumber) + " links to " + Hex4(*link) +
                                 ", past the end of the file; the listing ends here");
      break;
    }
    previousLink = *link;
    at = next;
  }
  return listing;
}

}  // namespace m1
