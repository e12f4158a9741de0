#include <cstdio>

#include "headless/Runner.h"
#include "headless/RunnerArguments.h"

int main(int argc, char** argv) {
  THeadlessOptions options;
  TRunnerCommand command = ParseRunnerArguments(argc, argv, options);
  if (!command.run) {
    std::fprintf(command.status == 0 ? stdout : stderr, "%s\n", command.text.c_str());
    return command.status;
  }
  return RunHeadless(options);
}
