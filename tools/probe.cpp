#include "tools/probe.h"

#include <cmath>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>
#include <vector>

namespace m1 {
namespace {

using Json = nlohmann::ordered_json;

// Whole numbers held in doubles print as integers.
Json Number(double v) {
  if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9.0e15) {
    return static_cast<std::int64_t>(v);
  }
  return v;
}

Json Colour(Rgb c) {
  return Json::array({c.r, c.g, c.b});
}

Json Box(const TextBox& box) {
  Json j;
  j["text"] = box.text;
  j["fg"] = Colour(box.fg);
  j["bg"] = Colour(box.bg);
  return j;
}

Json Draw(Surface& surface) {
  Json ops = Json::array();
  for (const DrawOp& op : surface.TakeLog()) {
    switch (op.kind) {
      case DrawOp::Kind::Clear:
        ops.push_back(Json::array({"clear"}));
        break;
      case DrawOp::Kind::Fill:
        ops.push_back(Json::array({"fill", op.x, op.y, op.x2, op.y2}));
        break;
      case DrawOp::Kind::Text:
        ops.push_back(Json::array({"text", op.x, op.y, Colour(op.colour), op.text}));
        break;
    }
  }
  return ops;
}

std::string Line(const Json& j) {
  // File names need not be UTF-8; what is not comes out as the replacement character.
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Splits off the next word (up to one space); the rest follows the single separating space.
std::string_view NextWord(std::string_view& rest) {
  const auto space = rest.find(' ');
  std::string_view word = rest.substr(0, space);
  rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
  return word;
}

std::optional<FormId> WindowNamed(std::string_view name) {
  if (name == "main") return FormId::Main;
  if (name == "map") return FormId::Map;
  if (name == "hex") return FormId::Hex;
  return std::nullopt;
}

Json Messages(RecordingDialogs& dialogs) {
  Json messages = Json::array();
  for (const RecordedMessage& msg : dialogs.TakeMessages()) {
    Json one;
    one["title"] = msg.title;
    one["text"] = msg.text;
    one["icon"] = msg.icon == MsgIcon::Exclamation ? "exclamation" : "none";
    messages.push_back(one);
  }
  return messages;
}

template <class Form, std::size_t N>
Json Boxes(const Form& form, const NamedBox<Form> (&named)[N]) {
  Json boxes;
  for (const NamedBox<Form>& b : named) boxes[b.name] = Box(form.*b.box);
  return boxes;
}

// The state of each window, field by field, by the names the program uses.
Json MainState(const Mainform& m, const Module1& module) {
  const DiskImage& d = m.img;
  return Json{{"dirstartsecfnd", d.dirstartsecfnd},
              {"datamarkDmk", d.datamarkDmk},
              {"datamarkjv", d.datamarkjv},
              {"dd", d.dd},
              {"dens", d.dens},
              {"disktrk", d.disktrk},
              {"dirstartsec", d.dirstartsec},
              {"jv3flag", d.jv3flag},
              {"dmkflag", d.dmkflag},
              {"Emtype", d.Emtype},
              {"errflg", d.errflg},
              {"fpa", Number(d.fpa)},
              {"fileend", d.fileend},
              {"firstsecnum", d.firstsecnum},
              {"jv1", d.jv1},
              {"newdosflag", d.newdosflag},
              {"openflag", d.openflag},
              {"pdrive", d.pdrive},
              {"SecToFind", d.SecToFind},
              {"SideToFind", d.SideToFind},
              {"sda", d.sda},
              {"sptab", d.sptab},
              {"spgaa", d.spgaa},
              {"spg", d.spg},
              {"spl", d.spl},
              {"spt", d.spt},
              {"trklength", d.trklength},
              {"trkdens", d.trkdens},
              {"Totalsecs", d.Totalsecs},
              {"track", d.track},
              {"TrkToFind", d.TrkToFind},
              {"tracks", d.tracks},
              {"sides", d.sides},
              {"PresSecnum", Number(d.PresSecnum)},
              {"Filename", d.Filename},
              {"SharedFilename", module.SharedFilename}};
}

Json MapState(const form1& f) {
  Json pages = Json::array();
  for (double p : f.pagepsn) pages.push_back(Number(p));
  return Json{{"Filename", f.Filename},
              {"fileend", f.fileend},
              {"openflag", f.openflag},
              {"jv1", f.jv1},
              {"dmkflag", f.dmkflag},
              {"trkindex", f.trkindex},
              {"damindx", f.damindx},
              {"Pagenum", f.Pagenum},
              {"filepsn", Number(f.filepsn)},
              {"fpa", Number(f.fpa)},
              {"pagepsn", pages},
              {"secnum", f.secnum},
              {"endflag", f.endflag},
              {"startchk", f.startchk},
              {"dirstartsec", f.dirstartsec},
              {"direndsec", f.direndsec},
              {"order", f.Option2.value ? "interleave" : "numeric"}};
}

Json HexState(const form2& f) {
  return Json{
      {"Filename", f.Filename},    {"fileend", f.fileend},       {"fpa", Number(f.fpa)},
      {"fpasave2", f.fpasave2},    {"stepval", f.stepval},       {"trklength", Number(f.trklength)},
      {"idamflag", f.idamflag},    {"doublebyte", f.doublebyte}, {"fpasave1", f.fpasave1},
      {"fpasave", f.fpasave},      {"clrsave", f.clrsave},       {"openflag", f.openflag},
      {"scroll", f.VScroll1.value}};
}

// A whole number from 0 to 0x7FFFFFFF, the whole of the text.
std::optional<int> ScrollValue(std::string_view text) {
  if (text.empty()) return std::nullopt;
  long long value = 0;
  try {
    std::size_t used = 0;
    value = std::stoll(std::string(text), &used);
    if (used != text.size()) return std::nullopt;
  } catch (...) {
    return std::nullopt;
  }
  if (value < 0 || value > 0x7FFFFFFF) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

Probe::Probe() : main_(std::make_unique<Mainform>(rec_.platform)) {
  rec_.host.showForm = [this](FormId form) { Show(form); };
  // The main window is the start-up window: loaded, shown and active.
  main_->Form_Load();
  main_->Form_Activate();
}

form1& Probe::map() {
  if (!map_) {
    map_ = std::make_unique<form1>(rec_.platform);
    map_->Form_Load();
  }
  return *map_;
}

form2& Probe::hex() {
  if (!hex_) {
    hex_ = std::make_unique<form2>(rec_.platform);
    hex_->Form_Load();
  }
  return *hex_;
}

void Probe::Show(FormId form) {
  switch (form) {
    case FormId::Main:
      main_->Form_Activate();
      break;
    case FormId::Map:
      map().Form_Activate();
      break;
    case FormId::Hex:
      ActivateHex();
      break;
  }
}

void Probe::ActivateHex() {
  // An activation follows the window's losing the activation to another window; the hex window
  // keeps a failed load from being retried until then.
  hex().Form_Deactivate();
  hex().Form_Activate();
}

int Probe::RunScript(std::istream& in, std::ostream& out, std::ostream& err) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (auto error = Run(line, out)) {
      err << "m1view-probe: line " << number << ": " << *error << "\n";
      return 2;
    }
    out.flush();
  }
  return 0;
}

const Probe::Command Probe::kCommands[] = {
    {"open", &Probe::OpenCommand},     {"cancel", &Probe::CancelCommand},
    {"exit", &Probe::ExitCommand},     {"activate", &Probe::ActivateCommand},
    {"resize", &Probe::ResizeCommand}, {"click", &Probe::ClickCommand},
    {"text", &Probe::TextCommand},     {"option", &Probe::OptionCommand},
    {"scroll", &Probe::ScrollCommand}, {"dump", &Probe::DumpCommand},
    {"tables", &Probe::TablesCommand},
};

std::optional<std::string> Probe::Run(std::string line, std::ostream& out) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty() || line.front() == '#' || line.find_first_not_of(" \t") == std::string::npos) {
    return std::nullopt;
  }
  if (rec_.host.ended) return std::nullopt;  // the program has ended: later commands are ignored

  std::string_view rest = line;
  const std::string_view command = NextWord(rest);
  const auto window = WindowNamed(NextWord(rest));
  if (window) {
    for (const Command& c : kCommands) {
      if (c.name == command) {
        if ((this->*c.run)(*window, rest, out)) return std::nullopt;
        break;
      }
    }
  }
  return "not understood: " + line;
}

void Probe::FileMenu(FormId window, int item) {
  switch (window) {
    case FormId::Main:
      main_->mnuFileItem_Click(item);
      break;
    case FormId::Map:
      map().mnuFileItem_Click(item);
      break;
    case FormId::Hex:
      hex().mnuFileItem_Click(item);
      break;
  }
}

void Probe::FileOpen(FormId window, std::optional<std::string> answer) {
  rec_.dialogs.answers.push_back(std::move(answer));
  FileMenu(window, 1);
  rec_.dialogs.answers.clear();
}

bool Probe::OpenCommand(FormId window, std::string_view path, std::ostream&) {
  if (path.empty()) return false;
  FileOpen(window, std::string(path));
  return true;
}

bool Probe::CancelCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  FileOpen(window, std::nullopt);
  return true;
}

bool Probe::ExitCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  FileMenu(window, 4);
  return true;
}

bool Probe::ActivateCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  Show(window);  // as a window button does, once the window exists
  return true;
}

bool Probe::ResizeCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  if (window == FormId::Hex) {
    hex().Form_Resize();
  } else {
    window == FormId::Main ? main_->Form_Resize() : map().Form_Resize();
  }
  return true;
}

bool Probe::ClickCommand(FormId window, std::string_view control, std::ostream&) {
  using MainButton = void (Mainform::*)();
  static constexpr std::pair<std::string_view, MainButton> kMain[] = {
      {"CmndNextsec", &Mainform::CmndNextsec_Click},
      {"CmndPrevsec", &Mainform::CmndPrevsec_Click},
      {"CmndNexTrack", &Mainform::CmndNexTrack_Click},
      {"CmndPrevTrk", &Mainform::CmndPrevTrk_Click},
      {"CmndGotoTrk", &Mainform::CmndGotoTrk_Click},
      {"CmndDirFind", &Mainform::CmndDirFind_Click},
      {"Cmndsecdisp", &Mainform::Cmndsecdisp_Click},
      {"Cmndhexedit", &Mainform::Cmndhexedit_Click},
  };
  using MapButton = void (form1::*)();
  static constexpr std::pair<std::string_view, MapButton> kMap[] = {
      {"Cmndnext", &form1::Cmndnext_Click},
      {"Cmndprev", &form1::Cmndprev_Click},
      {"Cmndfiledisp", &form1::Cmndfiledisp_Click},
  };
  if (window == FormId::Main) {
    for (const auto& [name, click] : kMain) {
      if (name == control) return ((*main_).*click)(), true;
    }
  } else if (window == FormId::Map) {
    for (const auto& [name, click] : kMap) {
      if (name == control) return (map().*click)(), true;
    }
  }
  return false;
}

bool Probe::TextCommand(FormId window, std::string_view rest, std::ostream&) {
  if (window != FormId::Main || NextWord(rest) != "Combo1") return false;
  main_->Combo1_Change(std::string(rest));
  return true;
}

bool Probe::OptionCommand(FormId window, std::string_view rest, std::ostream&) {
  if (window != FormId::Map) return false;
  if (rest == "Option1") {
    map().Option1_Click();
  } else if (rest == "Option2") {
    map().Option2_Click();
  } else {
    return false;
  }
  return true;
}

bool Probe::ScrollCommand(FormId window, std::string_view rest, std::ostream&) {
  const auto value = ScrollValue(rest);
  if (window != FormId::Hex || !value) return false;
  // A scroll bar moved to where it already stands reports no change.
  if (hex().VScroll1.value != *value) hex().VScroll1_Change(*value);
  return true;
}

bool Probe::DumpCommand(FormId window, std::string_view rest, std::ostream& out) {
  if (!rest.empty()) return false;
  Json j;
  j["window"] = window == FormId::Main ? "main" : window == FormId::Map ? "map" : "hex";
  j["lineHeight"] = FixedMetrics::kLineHeight;
  j["charWidth"] = FixedMetrics::kCharWidth;
  Json lists = Json::object();
  Surface* surface = nullptr;
  switch (window) {
    case FormId::Main: {
      Mainform& m = *main_;
      j["state"] = MainState(m, rec_.module);
      j["boxes"] = Boxes(m, kMainformBoxes);
      lists["List2"]["items"] = m.List2.items;
      lists["Combo1"]["items"] = m.Combo1.items;
      lists["Combo1"]["text"] = m.Combo1.text;
      surface = &m.surface;
      break;
    }
    case FormId::Map:
      j["state"] = MapState(map());
      j["boxes"] = Boxes(map(), kForm1Boxes);
      surface = &map().surface;
      break;
    case FormId::Hex:
      j["state"] = HexState(hex());
      j["boxes"] = Boxes(hex(), kForm2Boxes);
      surface = &hex().surface;
      break;
  }
  j["lists"] = lists;
  j["messages"] = Messages(rec_.dialogs);
  j["draw"] = Draw(*surface);
  out << Line(j) << "\n";
  return true;
}

bool Probe::TablesCommand(FormId window, std::string_view rest, std::ostream& out) {
  if (window != FormId::Main || !rest.empty()) return false;
  const DiskImage& d = main_->img;
  Json j;
  j["window"] = "main";
  j["trkspt"] = d.trkspt;
  j["trkstart"] = d.trkstart;
  Json sectors = Json::array();
  for (int i = 0; i < kSectorSlots; ++i) {
    if (d.sectrk[i] || d.secside[i] || d.secid[i] || d.secdens[i] || d.secdam[i] || d.secpos[i]) {
      sectors.push_back(Json::array(
          {i, d.sectrk[i], d.secside[i], d.secid[i], d.secdens[i], d.secdam[i], d.secpos[i]}));
    }
  }
  j["sectors"] = sectors;
  out << Line(j) << "\n";
  return true;
}

}  // namespace m1
