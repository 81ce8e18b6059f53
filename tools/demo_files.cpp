// The files of the demonstration disks. The BASIC programs are kept as typed and tokenised here
// the way the BASIC interpreter does it; the Z80 program is kept as its source, each line with the
// bytes it assembles to, so that DEMO/CMD and DEMO/ASM come from one table.
#include "tools/demo_files.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "core/content/basic.h"

namespace m1::samples {
namespace {

void PutLe16(Bytes& out, int v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void PutText(Bytes& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

// ---------------------------------------------------------------------------------------------
// Tokenised BASIC. The interpreter tokenises a typed line from left to right: at each place outside
// quotes it takes the first keyword of its table (in token order) that the text starts with, and
// stores everything else as typed, spaces included. Three keywords change what follows or what is
// stored: after REM and ' the rest of the line is text, after DATA the text up to a ':' outside
// quotes; ELSE is stored as ':' ELSE and ' as ':' REM '.
std::optional<std::uint8_t> KeywordAt(std::string_view text) {
  for (int t = basic::kFirstToken; t <= basic::kLastToken; ++t) {
    const char* keyword = BasicKeyword(static_cast<std::uint8_t>(t));
    if (keyword != nullptr && text.substr(0, std::strlen(keyword)) == keyword) {
      return static_cast<std::uint8_t>(t);
    }
  }
  return std::nullopt;
}

Bytes Tokenise(std::string_view text) {
  Bytes out;
  bool quoted = false;
  bool remark = false;
  bool data = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    if (remark || quoted || c == '"' || (data && c != ':')) {
      if (c == '"' && !remark) quoted = !quoted;
      out.push_back(c);
      ++i;
      continue;
    }
    data = false;
    const std::optional<std::uint8_t> token = KeywordAt(text.substr(i));
    if (!token) {
      out.push_back(c);
      ++i;
      continue;
    }
    if (*token == basic::kElse) out.push_back(':');
    if (*token == basic::kApostrophe) {
      out.push_back(':');
      out.push_back(basic::kRem);
    }
    out.push_back(*token);
    i += std::strlen(BasicKeyword(*token));
    remark = *token == basic::kRem || *token == basic::kApostrophe;
    data = *token == basic::kData;
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// DEMO/CMD and DEMO/ASM. Each source line: label, operation, operand, comment (a line of a comment
// alone has it as its label), and the bytes it assembles to at its address.
struct SourceLine {
  const char* label;
  const char* op;
  const char* operand;
  const char* comment;
  Bytes code;
};

constexpr int kOrigin = 0x5200;   // where /CMD programs usually load
constexpr int kMessageAt = 0x1F;  // MSG, from the origin: the operand of LD HL,MSG
constexpr const char* kMessage = "HELLO FROM THE M1VIEW DEMONSTRATION DISK";

const std::vector<SourceLine>& DemoSource() {
  static const std::vector<SourceLine> lines = {
      {"; DEMO/CMD: CLEARS THE SCREEN, WRITES A MESSAGE", "", "", "", {}},
      {"; IN ITS MIDDLE AND RETURNS TO THE DOS.", "", "", "", {}},
      {"VIDEO", "EQU", "3C00H", "", {}},
      {"DOS", "EQU", "402DH", "THE DOS'S RETURN", {}},
      {"", "ORG", "5200H", "", {}},
      {"START", "LD", "HL,VIDEO", "", {0x21, 0x00, 0x3C}},
      {"", "LD", "DE,VIDEO+1", "", {0x11, 0x01, 0x3C}},
      {"", "LD", "BC,1023", "", {0x01, 0xFF, 0x03}},
      {"", "LD", "(HL),' '", "", {0x36, 0x20}},
      {"", "LDIR", "", "SPACES ALL OVER", {0xED, 0xB0}},
      {"", "LD", "HL,MSG", "", {0x21, 0x1F, 0x52}},
      {"", "LD", "DE,VIDEO+460", "ROW 7, COLUMN 12", {0x11, 0xCC, 0x3D}},
      {"LOOP", "LD", "A,(HL)", "", {0x7E}},
      {"", "OR", "A", "", {0xB7}},
      {"", "JR", "Z,DONE", "", {0x28, 0x05}},
      {"", "LD", "(DE),A", "", {0x12}},
      {"", "INC", "HL", "", {0x23}},
      {"", "INC", "DE", "", {0x13}},
      {"", "JR", "LOOP", "", {0x18, 0xF7}},
      {"DONE", "JP", "DOS", "", {0xC3, 0x2D, 0x40}},
      {"MSG", "DEFM", "'HELLO FROM THE M1VIEW DEMONSTRATION DISK'", "", {}},
      {"", "DEFB", "0", "", {0x00}},
      {"", "END", "START", "", {}},
  };
  return lines;
}

// The bytes from ORG on: the code, the message (DEFM) and its end.
Bytes DemoCode() {
  Bytes code;
  for (const SourceLine& line : DemoSource()) {
    if (std::string_view(line.op) == "DEFM") {
      if (code.size() != kMessageAt)
        throw std::logic_error("DEMO/CMD: MSG is not where LD HL says");
      PutText(code, kMessage);
    }
    code.insert(code.end(), line.code.begin(), line.code.end());
  }
  return code;
}

// Load-module record types.
constexpr std::uint8_t kLoadBlock = 0x01;
constexpr std::uint8_t kTransfer = 0x02;
constexpr std::uint8_t kModuleName = 0x05;
constexpr std::uint8_t kCopyright = 0x1F;

void PutRecord(Bytes& out, std::uint8_t type, const Bytes& body) {
  out.push_back(type);
  out.push_back(static_cast<std::uint8_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

Bytes Named(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// A load block at address: its length counts the two address bytes.
void PutLoadBlock(Bytes& out, int address, const Bytes& data) {
  if (data.size() + 2 > 0xFF) throw std::logic_error("a load block of more than 253 bytes");
  Bytes body;
  PutLe16(body, address);
  body.insert(body.end(), data.begin(), data.end());
  PutRecord(out, kLoadBlock, body);
}

void PutTransfer(Bytes& out, int address) {
  Bytes body;
  PutLe16(body, address);
  PutRecord(out, kTransfer, body);
}

// The boot sectors end in the message, which their code copies to the top line of the screen.
constexpr const char* kNoBoot = "THIS DEMONSTRATION DISK HOLDS NO DOS: IT DOES NOT BOOT";
constexpr std::size_t kSectorBytes = 256;

// The code, loaded at `load`, then the message, which the code expects at `message`.
Bytes BootSector(Bytes code, int load, int message) {
  if (load + static_cast<int>(code.size()) != message) {
    throw std::logic_error("boot sector: the message is not where its code looks for it");
  }
  PutText(code, kNoBoot);
  code.resize(kSectorBytes, 0x00);
  return code;
}

}  // namespace

Bytes TokenisedBasic(const std::vector<std::string>& lines, int start) {
  Bytes out = {basic::kProgramMark};
  int address = start;
  for (const std::string& typed : lines) {
    const std::size_t space = typed.find(' ');
    const int number = std::stoi(typed.substr(0, space));
    const Bytes text = Tokenise(std::string_view(typed).substr(space + 1));
    const int next = address + 4 + static_cast<int>(text.size()) + 1;
    PutLe16(out, next);
    PutLe16(out, number);
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0x00);
    address = next;
  }
  PutLe16(out, 0x0000);
  return out;
}

// Where Disk BASIC keeps the first line of a program, with its buffers and the DOS below it.
constexpr int kBasicStart = 0x6A00;

Bytes SquaresBasic() {
  return TokenisedBasic(
      {
          "10 REM SQUARES AND CUBES - M1VIEW DEMONSTRATION",
          "20 CLS",
          "30 PRINT \"SQUARES AND CUBES OF 1 TO 10\"",
          "40 PRINT",
          "50 FOR I=1 TO 10",
          "60 PRINT I,I*I,I*I*I",
          "70 NEXT I",
          "80 INPUT \"DRAW A BOX (Y/N)\";A$",
          "90 IF A$=\"Y\" THEN GOSUB 200 ELSE PRINT \"GOODBYE\"",
          "100 END",
          "200 ' A LINE OF GRAPHICS CHARACTERS, THEN A BOX DRAWN WITH SET",
          "210 CLS:PRINT \"\xBF\xBF\xBF\xBF M1VIEW \xBF\xBF\xBF\xBF\"",
          "220 FOR X=0 TO 127:SET(X,12):SET(X,40):NEXT X",
          "230 FOR Y=12 TO 40:SET(0,Y):SET(127,Y):NEXT Y",
          "240 RETURN",
      },
      kBasicStart);
}

Bytes GuessBasic() {
  return TokenisedBasic(
      {
          "10 REM GUESS THE NUMBER - M1VIEW DEMONSTRATION",
          "20 CLS:RANDOM",
          "30 N=RND(100):T=0",
          "40 PRINT \"I AM THINKING OF A NUMBER FROM 1 TO 100.\"",
          "50 INPUT \"YOUR GUESS\";G",
          "60 T=T+1",
          "70 IF G<N THEN PRINT \"TOO SMALL.\":GOTO 50",
          "80 IF G>N THEN PRINT \"TOO LARGE.\":GOTO 50",
          "90 PRINT \"RIGHT! YOU TOOK\";T;\"GUESSES.\"",
          "100 IF T<8 THEN PRINT \"WELL DONE.\" ELSE PRINT \"TRY HALVING THE RANGE EACH TIME.\"",
          "110 ' THE LAST WORDS, BETWEEN TWO BARS OF GRAPHICS",
          "120 FOR I=1 TO 3:READ A$:PRINT A$;:NEXT I:PRINT",
          "130 DATA \"\x8C\x8C\x8C \",THANKS FOR PLAYING,\" \x8C\x8C\x8C\"",
          "140 END",
      },
      kBasicStart);
}

Bytes DemoCmd() {
  Bytes out;
  PutRecord(out, kModuleName, Named("DEMO"));
  PutLoadBlock(out, kOrigin, DemoCode());
  PutTransfer(out, kOrigin);
  return out;
}

Bytes DemoAsm() {
  constexpr std::uint8_t kHeaderMark = 0xD3;
  constexpr std::uint8_t kDigitBit = 0x80;
  constexpr std::uint8_t kEndMark = 0x1A;
  constexpr int kFirstNumber = 100;
  constexpr int kStep = 10;
  Bytes out = {kHeaderMark};
  PutText(out, "DEMO  ");
  int number = kFirstNumber;
  for (const SourceLine& line : DemoSource()) {
    // Five digits, the highest first, each with bit 7 set.
    for (int power = 10000; power > 0; power /= 10) {
      out.push_back(static_cast<std::uint8_t>(('0' + number / power % 10) | kDigitBit));
    }
    out.push_back('\t');
    std::string text = line.label;
    if (*line.op != '\0') text += std::string("\t") + line.op;
    if (*line.operand != '\0') text += std::string("\t") + line.operand;
    if (*line.comment != '\0') text += std::string("\t; ") + line.comment;
    PutText(out, text);
    out.push_back(0x0D);
    number += kStep;
  }
  out.push_back(kEndMark);
  return out;
}

Bytes SystemStandIn(const std::string& name, int address) {
  constexpr std::uint8_t kXorA = 0xAF;
  constexpr std::uint8_t kRet = 0xC9;
  Bytes out;
  const std::size_t slash = name.find('/');
  PutRecord(out, kModuleName, Named(name.substr(0, slash)));
  PutRecord(out, kCopyright,
            Named("STAND-IN FOR THE DOS'S " + name + ", WRITTEN BY M1VIEW-MAKE-SAMPLES"));
  PutLoadBlock(out, address, {kXorA, kRet});  // returns with Z set: no error
  PutTransfer(out, address);
  return out;
}

Bytes TextFile(const std::vector<std::string>& lines) {
  constexpr std::size_t kScreenWidth = 64;
  Bytes out;
  for (const std::string& line : lines) {
    if (line.size() > kScreenWidth) throw std::logic_error("a text line wider than the screen");
    PutText(out, line);
    out.push_back(0x0D);
  }
  return out;
}

Bytes Model1BootSector(std::uint8_t directoryCylinder) {
  const auto length = static_cast<std::uint8_t>(std::strlen(kNoBoot));
  return BootSector({0x00,                     // NOP
                     0xFE, directoryCylinder,  // CP n: byte 2, the directory cylinder
                     0xF3,                     // DI
                     0x21, 0x11, 0x42,         // LD HL,4211H: the message
                     0x11, 0x00, 0x3C,         // LD DE,3C00H: the top line of the screen
                     0x01, length, 0x00,       // LD BC,length
                     0xED, 0xB0,               // LDIR
                     0x18, 0xFE},              // JR $
                    0x4200, 0x4211);
}

Bytes Model3BootSector() {
  const auto length = static_cast<std::uint8_t>(std::strlen(kNoBoot));
  return BootSector({0x00,                // NOP
                     0x11, 0x00, 0x3C,    // LD DE,3C00H: byte 1, 11H, is also the
                                          // directory cylinder, 17
                     0xF3,                // DI
                     0x21, 0x0F, 0x43,    // LD HL,430FH: the message
                     0x01, length, 0x00,  // LD BC,length
                     0xED, 0xB0,          // LDIR
                     0x18, 0xFE},         // JR $
                    0x4300, 0x430F);
}

}  // namespace m1::samples
