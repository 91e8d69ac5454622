#include "tests/e2e/suite_run.h"

SuiteRun::SuiteRun() {
    const auto made = testkit::Run({Program("veltrin-machine"), "new", machine}, {});
    EXPECT_EQ(made.exitCode, 0) << made.output;
}

std::string SuiteRun::Program(const std::string &name) {
    return testkit::BuiltProgram("bin/" + name);
}

testkit::RunResult SuiteRun::Start(const std::string &program, const std::string &responses,
                                   const std::vector<std::string> &args) {
    const std::string script = dir.Path() + "/responses.txt";
    testkit::WriteFile(script, responses);
    std::vector<std::string> argv{Program(program)};
    argv.insert(argv.end(), args.begin(), args.end());
    return testkit::Run(argv,
                        {"VELTRIN_MACHINE=" + machine, "VELTRIN_UI=script:" + script,
                         "VELTRIN_TRANSCRIPT=" + transcript},
                        60);
}
