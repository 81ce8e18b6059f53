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
  Json state;
  const DiskImage& d = m.img;
  state["dirstartsecfnd"] = d.dirstartsecfnd;
  state["datamarkDmk"] = d.datamarkDmk;
  state["datamarkjv"] = d.datamarkjv;
  state["dd"] = d.dd;
  state["dens"] = d.dens;
  state["disktrk"] = d.disktrk;
  state["dirstartsec"] = d.dirstartsec;
  state["jv3flag"] = d.jv3flag;
  state["dmkflag"] = d.dmkflag;
  state["Emtype"] = d.Emtype;
  state["errflg"] = d.errflg;
  state["fpa"] = Number(d.fpa);
  state["fileend"] = d.fileend;
  state["firstsecnum"] = d.firstsecnum;
  state["jv1"] = d.jv1;
  state["newdosflag"] = d.newdosflag;
  state["openflag"] = d.openflag;
  state["pdrive"] = d.pdrive;
  state["SecToFind"] = d.SecToFind;
  state["SideToFind"] = d.SideToFind;
  state["sda"] = d.sda;
  state["sptab"] = d.sptab;
  state["spgaa"] = d.spgaa;
  state["spg"] = d.spg;
  state["spl"] = d.spl;
  state["spt"] = d.spt;
  state["trklength"] = d.trklength;
  state["trkdens"] = d.trkdens;
  state["Totalsecs"] = d.Totalsecs;
  state["track"] = d.track;
  state["TrkToFind"] = d.TrkToFind;
  state["tracks"] = d.tracks;
  state["sides"] = d.sides;
  state["PresSecnum"] = Number(d.PresSecnum);
  state["Filename"] = d.Filename;
  state["SharedFilename"] = module.SharedFilename;
  return state;
}

Json MapState(const form1& f) {
  Json state;
  state["Filename"] = f.Filename;
  state["fileend"] = f.fileend;
  state["openflag"] = f.openflag;
  state["jv1"] = f.jv1;
  state["dmkflag"] = f.dmkflag;
  state["trkindex"] = f.trkindex;
  state["damindx"] = f.damindx;
  state["Pagenum"] = f.Pagenum;
  state["filepsn"] = Number(f.filepsn);
  state["fpa"] = Number(f.fpa);
  Json pages = Json::array();
  for (double p : f.pagepsn) pages.push_back(Number(p));
  state["pagepsn"] = pages;
  state["secnum"] = f.secnum;
  state["endflag"] = f.endflag;
  state["startchk"] = f.startchk;
  state["dirstartsec"] = f.dirstartsec;
  state["direndsec"] = f.direndsec;
  state["order"] = f.Option2.value ? "interleave" : "numeric";
  return state;
}

Json HexState(const form2& f) {
  Json state;
  state["Filename"] = f.Filename;
  state["fileend"] = f.fileend;
  state["fpa"] = Number(f.fpa);
  state["fpasave2"] = f.fpasave2;
  state["stepval"] = f.stepval;
  state["trklength"] = Number(f.trklength);
  state["idamflag"] = f.idamflag;
  state["doublebyte"] = f.doublebyte;
  state["fpasave1"] = f.fpasave1;
  state["fpasave"] = f.fpasave;
  state["clrsave"] = f.clrsave;
  state["openflag"] = f.openflag;
  state["scroll"] = f.VScroll1.value;
  return state;
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

bool Probe::OpenCommand(FormId window, std::string_view rest, std::ostream&) {
  if (rest.empty()) return false;
  rec_.dialogs.answers.push_back(std::string(rest));
  FileMenu(window, 1);
  rec_.dialogs.answers.clear();
  return true;
}

bool Probe::CancelCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  rec_.dialogs.answers.push_back(std::nullopt);
  FileMenu(window, 1);
  rec_.dialogs.answers.clear();
  return true;
}

bool Probe::ExitCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  FileMenu(window, 4);
  return true;
}

bool Probe::ActivateCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  switch (window) {
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
  return true;
}

bool Probe::ResizeCommand(FormId window, std::string_view rest, std::ostream&) {
  if (!rest.empty()) return false;
  switch (window) {
    case FormId::Main:
      main_->Form_Resize();
      break;
    case FormId::Map:
      map().Form_Resize();
      break;
    case FormId::Hex:
      hex().Form_Resize();
      break;
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
