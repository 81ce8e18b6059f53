// m1view-probe [SCRIPT | -]: runs a script of window commands headless and prints JSON answers.
#include <fstream>
#include <iostream>
#include <string>

#include "tools/probe.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: m1view-probe [SCRIPT | -]\n";
    return 2;
  }
  m1::Probe probe;
  const std::string name = argc == 2 ? argv[1] : "-";
  if (name == "-") return probe.RunScript(std::cin, std::cout, std::cerr);
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    std::cerr << "m1view-probe: cannot read " << name << "\n";
    return 2;
  }
  return probe.RunScript(in, std::cout, std::cerr);
}
