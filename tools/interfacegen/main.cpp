// interfacegen: draws the interface images (and their ".anim" side files) into a folder.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "InterfaceSet.h"

int main(int argc, char** argv) {
  CLI::App cli{
      "interfacegen: writes every interface image the program and the sample interface use, the same bytes "
      "every run."};
  std::string folder;
  cli.add_option("OUTPUT_DIR", folder, "Folder to write into (created if needed)")->required();
  CLI11_PARSE(cli, argc, argv);
  std::string error;
  if (!WriteInterfaceSet(folder, error)) {
    std::fprintf(stderr, "interfacegen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
