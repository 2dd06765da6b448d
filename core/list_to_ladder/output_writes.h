#pragma once

#include <set>
#include <string>

namespace rs::ladder {

// The devices a group of contacts reads, kept so that outputs can be checked
// against them: a copy of the contacts drawn after an output reads what the
// output may have written.
class ContactReads {
  public:
    void add(const std::string& device);
    bool empty() const { return m_kinds.empty(); }

    // True when the output row (mnemonic and operand) may write a device the
    // contacts read. A coil-like row (OUT, SET, RST, PLS, PLF) writes the
    // device its first word names; any other row is taken to write devices
    // of every kind its operand words name, and every device the contacts
    // read when a contact reads a special device (number 8000 and up) or the
    // row has no operand.
    bool mayWrite(const std::string& mnemonic, const std::string& operand) const;

  private:
    std::set<std::string> m_devices;     // plain names, leading zeros dropped
    std::set<std::string> m_kinds;       // device letters of every contact
    std::set<std::string> m_looseKinds;  // letters of contacts with indexed names
    bool m_special = false;
};

}  // namespace rs::ladder
