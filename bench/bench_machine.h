// Simulated machines for the benchmarks: a copy of the default machine in a
// temporary folder, grown by shares, printers and instances of the card.
#pragma once

#include <string>

namespace bench {

struct MachineShape {
    unsigned diskShares = 0;    // folder shares on C:, beside the default ones
    unsigned printers = 0;      // local printers, every other one shared
    unsigned cardInstances = 1; // instances of the card, each with its own TCP/IP binding
    bool fullRegistry = false;  // a whole Windows 98 registry around them
};

// A machine folder, removed when the object goes.
class BenchMachine {
  public:
    // Made under base (the system's temporary folder when empty).
    explicit BenchMachine(const MachineShape &shape, const std::string &base = "");
    ~BenchMachine();
    BenchMachine(const BenchMachine &) = delete;
    BenchMachine &operator=(const BenchMachine &) = delete;

    const std::string &Dir() const { return m_dir; }
    std::string RegistryPath() const { return m_dir + "/registry.reg"; }
    // Puts the registry back as it was made (after a run changed it).
    void ResetRegistry() const;

  private:
    std::string m_dir;
    std::string m_registry; // the text as made
};

// The REGEDIT4 text of the default machine's registry grown to shape.
std::string MachineRegistryText(const MachineShape &shape);

// Writes content to path; aborts the run when it cannot.
void WriteFileOrDie(const std::string &path, const std::string &content, bool executable = false);

} // namespace bench
