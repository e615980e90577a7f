#include "check/file_declarations.h"

#include "base/settings.h"
#include "check/vcl_statements.h"

namespace vantrel {

namespace {

bool trstIsJtagPin() { return settings.trstNode != "*"; }

int jtagPinCount() { return trstIsJtagPin() ? 5 : 4; }

// The node a JTAG pin must be assigned to by the options of the run, as an
// assign line writes it; empty for a pin that is no JTAG pin of the file.
std::string nodesFromOptions(std::string_view pin) {
  const std::string* node = pin == "TCK"                       ? &settings.tckNode
                            : pin == "TMS"                     ? &settings.tmsNode
                            : pin == "TDI"                     ? &settings.tdiNode
                            : pin == "TDO"                     ? &settings.tdoNode
                            : pin == "TRST" && trstIsJtagPin() ? &settings.trstNode
                                                               : nullptr;
  if (!node) return std::string();
  return *node == "*" ? std::string("*") : "\"" + *node + "\"";
}

// The column field of a JTAG pin of the file, or null.
int* jtagColumn(PinColumns& columns, std::string_view pin) {
  return pin == "TCK"                       ? &columns.tck
         : pin == "TMS"                     ? &columns.tms
         : pin == "TDI"                     ? &columns.tdi
         : pin == "TDO"                     ? &columns.tdo
         : pin == "TRST" && trstIsJtagPin() ? &columns.trst
                                            : nullptr;
}

std::string declaredTwice(std::string_view pin) {
  return "pin " + std::string(pin) + " is declared twice";
}

}  // namespace

std::string FileDeclarations::assign(std::string_view rest) {
  std::string_view pin, nodes;
  if (!parseAssign(rest, pin, nodes)) return "an assign line the check cannot read";
  if (nodes_.count(pin)) return declaredTwice(pin);
  const std::string expected = nodesFromOptions(pin);
  if (!expected.empty() && nodes != expected)
    return std::string(pin) + " is assigned to nodes " + std::string(nodes) +
           "; the options give " + expected;
  nodes_[std::string(pin)] = std::string(nodes);
  return std::string();
}

std::string FileDeclarations::directions(std::string_view direction, std::string_view rest) {
  std::vector<std::string_view> pins;
  if (!parsePinList(rest, pins)) return "a pin list the check cannot read";
  for (const std::string_view pin : pins) {
    if (!nodes_.count(pin))
      return std::string(direction) + " names " + std::string(pin) + ", assigned to no node";
    if (!directed_.emplace(pin).second) return declaredTwice(pin);
  }
  return std::string();
}

std::string FileDeclarations::pinOrder(std::string_view rest) {
  bool isDefault;
  std::string_view name;
  std::vector<std::string_view> pins;
  if (!parsePinOrder(rest, isDefault, name, pins)) return "a pcf order the check cannot read";
  const std::string where = "pcf order " + std::string(name);
  const char* const jtagPins =
      trstIsJtagPin() ? "TCK, TMS, TDI, TDO and TRST" : "TCK, TMS, TDI and TDO";
  PinColumns columns;
  columns.width = static_cast<int>(pins.size());
  if (columns.width < jtagPinCount()) return where + " lacks one of " + jtagPins;
  std::set<std::string_view> named;
  for (int i = 0; i < columns.width; ++i) {
    const std::string_view pin = pins[static_cast<size_t>(i)];
    if (!nodes_.count(pin)) return where + " names " + std::string(pin) + ", assigned to no node";
    if (!named.insert(pin).second) return where + " names " + std::string(pin) + " twice";
    // The JTAG pins are told from the parallel pins by their places.
    if (i >= jtagPinCount()) {
      columns.parallel = true;
      continue;
    }
    int* const column = jtagColumn(columns, pin);
    if (!column)
      return where + " names " + std::string(pin) + " in the place of a JTAG pin; " + jtagPins +
             " come first";
    *column = i;
  }
  if (isDefault && columns.parallel)
    return where + " names parallel pins; a pcf block starts with the JTAG pins only";
  orders_[std::string(name)] = columns;
  if (isDefault) defaultOrder_ = std::string(name);
  return std::string();
}

const PinColumns* FileDeclarations::order(std::string_view name) const {
  const auto found = orders_.find(name);
  return found == orders_.end() ? nullptr : &found->second;
}

std::string FileDeclarations::beginVector(std::string_view rest) {
  if (defining_) return "a vector definition inside another";
  if (rest.empty() || rest.find_first_of(" \t") != std::string_view::npos)
    return "a vector definition the check cannot read";
  // A later definition of the same name replaces the earlier one.
  defining_ = &vectors_[std::string(rest)];
  *defining_ = VectorLevels{};
  return std::string();
}

std::string FileDeclarations::setLevel(std::string_view rest) {
  if (!defining_) return "a set line outside a vector definition";
  std::string_view pin;
  char level;
  if (!parseSet(rest, pin, level)) return "a set line the check cannot read";
  char* slot = pin == "TCK"    ? &defining_->tck
               : pin == "TMS"  ? &defining_->tms
               : pin == "TDI"  ? &defining_->tdi
               : pin == "TDO"  ? &defining_->tdo
               : pin == "TRST" ? &defining_->trst
                               : nullptr;
  if (slot) *slot = level;
  return std::string();
}

std::string FileDeclarations::endVector() {
  if (!defining_) return "end vector outside a vector definition";
  defining_ = nullptr;
  return std::string();
}

const VectorLevels* FileDeclarations::vector(std::string_view name) const {
  const auto found = vectors_.find(name);
  return found == vectors_.end() ? nullptr : &found->second;
}

}  // namespace vantrel
