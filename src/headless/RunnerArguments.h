#pragma once
#include <string>

#include "headless/Runner.h"

// What the command line asks for: a run with the options read, or an end at once with
// `status` and `text` to print (the help on standard output with status 0; a message
// naming the bad argument on standard error with status 2).
struct TRunnerCommand {
  bool run = false;
  int status = 0;
  std::string text;
};

// Every number is range-checked here, so no later step sizes anything by a typo.
TRunnerCommand ParseRunnerArguments(int argc, const char* const* argv, THeadlessOptions& options);
