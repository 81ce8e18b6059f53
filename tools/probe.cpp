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

Json Colour(Rgb c) { return Json::array({c.r, c.g, c.b}); }

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

}  // namespace

Probe::Probe()
    : platform_{metrics_, dialogs_, files_, host_, module_},
      main_(std::make_unique<Mainform>(platform_)) {
  host_.showForm = [this](FormId form) { Show(form); };
  // The main window is the start-up window: loaded, shown and active.
  main_->Form_Load();
  main_->Form_Activate();
}

form1& Probe::map() {
  if (!map_) {
    map_ = std::make_unique<form1>(platform_);
    map_->Form_Load();
  }
  return *map_;
}

form2& Probe::hex() {
  if (!hex_) {
    hex_ = std::make_unique<form2>(platform_);
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

std::optional<std::string> Probe::Run(std::string line, std::ostream& out) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty() || line.front() == '#' || line.find_first_not_of(" \t") == std::string::npos) {
    return std::nullopt;
  }
  if (host_.ended) return std::nullopt;  // the program has ended: later commands are ignored

  std::string_view rest = line;
  const std::string_view command = NextWord(rest);
  const std::string_view windowName = NextWord(rest);
  const auto window = WindowNamed(windowName);
  const auto unknown = [&] { return std::optional<std::string>("not understood: " + line); };
  if (!window) return unknown();

  if (command == "open" || command == "cancel") {
    if (command == "open") {
      if (rest.empty()) return unknown();
      dialogs_.answers.push_back(std::string(rest));
    } else if (!rest.empty()) {
      return unknown();
    } else {
      dialogs_.answers.push_back(std::nullopt);
    }
    switch (*window) {
      case FormId::Main: main_->mnuFileItem_Click(1); break;
      case FormId::Map: map().mnuFileItem_Click(1); break;
      case FormId::Hex: hex().mnuFileItem_Click(1); break;
    }
    dialogs_.answers.clear();
    return std::nullopt;
  }
  if (!rest.empty() && command != "click" && command != "text" && command != "option" &&
      command != "scroll") {
    return unknown();
  }
  if (command == "exit") {
    switch (*window) {
      case FormId::Main: main_->mnuFileItem_Click(4); break;
      case FormId::Map: map().mnuFileItem_Click(4); break;
      case FormId::Hex: hex().mnuFileItem_Click(4); break;
    }
    return std::nullopt;
  }
  if (command == "activate" || command == "resize") {
    const bool activate = command == "activate";
    switch (*window) {
      case FormId::Main: activate ? main_->Form_Activate() : main_->Form_Resize(); break;
      case FormId::Map: activate ? map().Form_Activate() : map().Form_Resize(); break;
      case FormId::Hex: activate ? ActivateHex() : hex().Form_Resize(); break;
    }
    return std::nullopt;
  }
  if (command == "click") {
    const std::string_view control = rest;
    if (*window == FormId::Main) {
      Mainform& m = *main_;
      if (control == "CmndNextsec") m.CmndNextsec_Click();
      else if (control == "CmndPrevsec") m.CmndPrevsec_Click();
      else if (control == "CmndNexTrack") m.CmndNexTrack_Click();
      else if (control == "CmndPrevTrk") m.CmndPrevTrk_Click();
      else if (control == "CmndGotoTrk") m.CmndGotoTrk_Click();
      else if (control == "CmndDirFind") m.CmndDirFind_Click();
      else if (control == "Cmndsecdisp") m.Cmndsecdisp_Click();
      else if (control == "Cmndhexedit") m.Cmndhexedit_Click();
      else return unknown();
      return std::nullopt;
    }
    if (*window == FormId::Map) {
      if (control == "Cmndnext") map().Cmndnext_Click();
      else if (control == "Cmndprev") map().Cmndprev_Click();
      else if (control == "Cmndfiledisp") map().Cmndfiledisp_Click();
      else return unknown();
      return std::nullopt;
    }
    return unknown();
  }
  if (command == "text") {
    if (*window != FormId::Main || NextWord(rest) != "Combo1") return unknown();
    main_->Combo1_Change(std::string(rest));
    return std::nullopt;
  }
  if (command == "option") {
    if (*window != FormId::Map) return unknown();
    if (rest == "Option1") map().Option1_Click();
    else if (rest == "Option2") map().Option2_Click();
    else return unknown();
    return std::nullopt;
  }
  if (command == "scroll") {
    if (*window != FormId::Hex || rest.empty()) return unknown();
    long long value = 0;
    try {
      std::size_t used = 0;
      value = std::stoll(std::string(rest), &used);
      if (used != rest.size()) return unknown();
    } catch (...) {
      return unknown();
    }
    if (value < 0 || value > 0x7FFFFFFF) return unknown();
    hex().VScroll1_Change(static_cast<int>(value));
    return std::nullopt;
  }
  if (command == "dump") {
    Json j;
    j["window"] = std::string(windowName);
    j["lineHeight"] = FixedMetrics::kLineHeight;
    j["charWidth"] = FixedMetrics::kCharWidth;
    Json state, boxes, lists = Json::object();
    Surface* surface = nullptr;
    switch (*window) {
      case FormId::Main: {
        Mainform& m = *main_;
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
        state["SharedFilename"] = module_.SharedFilename;
        const std::pair<const char*, const TextBox*> named[] = {
            {"Txtfiletype", &m.Txtfiletype}, {"TxtFilename", &m.TxtFilename},
            {"Text1", &m.Text1},             {"Text2", &m.Text2},
            {"Text3", &m.Text3},             {"Text4", &m.Text4},
            {"Text5", &m.Text5},             {"Text6", &m.Text6},
            {"Txttrk", &m.Txttrk},           {"txtside", &m.txtside},
            {"Txtsector", &m.Txtsector},     {"Txttrkspt", &m.Txttrkspt},
            {"TxtDens", &m.TxtDens},         {"Txtsectype", &m.Txtsectype},
            {"Txtdam", &m.Txtdam},           {"Txtsecnum", &m.Txtsecnum},
            {"Txtlumpnum", &m.Txtlumpnum}};
        for (const auto& [name, box] : named) boxes[name] = Box(*box);
        lists["List2"]["items"] = m.List2.items;
        lists["Combo1"]["items"] = m.Combo1.items;
        lists["Combo1"]["text"] = m.Combo1.text;
        surface = &m.surface;
        break;
      }
      case FormId::Map: {
        form1& f = map();
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
        boxes["Text1"] = Box(f.Text1);
        boxes["TxtFilename"] = Box(f.TxtFilename);
        surface = &f.surface;
        break;
      }
      case FormId::Hex: {
        form2& f = hex();
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
        const std::pair<const char*, const TextBox*> named[] = {
            {"TxtFilename", &f.TxtFilename}, {"Text1", &f.Text1}, {"Text2", &f.Text2},
            {"Text3", &f.Text3},             {"Text4", &f.Text4}, {"Text5", &f.Text5},
            {"Text6", &f.Text6},             {"Text7", &f.Text7}, {"Text8", &f.Text8}};
        for (const auto& [name, box] : named) boxes[name] = Box(*box);
        surface = &f.surface;
        break;
      }
    }
    j["state"] = state;
    j["boxes"] = boxes;
    j["lists"] = lists;
    Json messages = Json::array();
    for (const RecordedMessage& msg : dialogs_.TakeMessages()) {
      Json one;
      one["title"] = msg.title;
      one["text"] = msg.text;
      one["icon"] = msg.icon == MsgIcon::Exclamation ? "exclamation" : "none";
      messages.push_back(one);
    }
    j["messages"] = messages;
    j["draw"] = Draw(*surface);
    out << Line(j) << "\n";
    return std::nullopt;
  }
  if (command == "tables") {
    if (*window != FormId::Main) return unknown();
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
    return std::nullopt;
  }
  return unknown();
}

}  // namespace m1
