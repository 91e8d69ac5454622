// A copy of the default machine (its CD in E:, the card, printers and
// shares, no Winsock 2) on which the built programs run as a person would
// run them, answered from a response file, every event transcribed.
#pragma once

#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SuiteRun : public ::testing::Test {
  protected:
    SuiteRun();

    static std::string Program(const std::string &name);

    // Runs a program of the suite (veltrin, veltrin-sharing) with the
    // response file given and its arguments; killed after a minute.
    testkit::RunResult Start(const std::string &program, const std::string &responses,
                             const std::vector<std::string> &args = {});

    testkit::TempDir dir;
    std::string machine = dir.Path() + "/m";
    std::string transcript = dir.Path() + "/transcript.txt";
};
