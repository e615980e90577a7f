// What a VCL file declares for its vectors, as the check reads it back: the
// nodes its pins are assigned to, their directions, the pcf pin orders
// (which column of a vector line is which pin) and the predefined vectors its
// execute lines name. Every file of a series declares its own, each pin once.
//
// The JTAG pins of a file are TCK, TMS, TDI, TDO and, where the options
// assign it a node, TRST. They stand first in every pin order; the pins after
// them are parallel (PIO) pins, whatever their names: a PIO pin may be
// called TRST where the board's TRST has no node.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The columns of a pcf pin order, counted from 0 after the opening quote.
struct PinColumns {
  int width = 0;  // pins in the order
  int tck = -1, tms = -1, tdi = -1, tdo = -1;
  int trst = -1;          // -1: the order has no TRST
  bool parallel = false;  // the order has pins besides TCK, TMS, TDI, TDO, TRST

  bool operator==(const PinColumns& other) const {
    return width == other.width && tck == other.tck && tms == other.tms && tdi == other.tdi &&
           tdo == other.tdo && trst == other.trst && parallel == other.parallel;
  }
};

// The levels a predefined vector sets; '\0' for a pin it does not set.
struct VectorLevels {
  char tck = '\0', tms = '\0', tdi = '\0', tdo = '\0', trst = '\0';
};

class FileDeclarations {
 public:
  // Each of these reads the text after its keyword and returns what is
  // wrong with it, or an empty text.
  std::string assign(std::string_view rest);
  // `direction` is the line's keyword: inputs, outputs or bidirectional.
  std::string directions(std::string_view direction, std::string_view rest);
  std::string pinOrder(std::string_view rest);
  std::string beginVector(std::string_view rest);
  std::string setLevel(std::string_view rest);
  std::string endVector();

  bool definingVector() const { return defining_ != nullptr; }
  // The order named `name`, or null.
  const PinColumns* order(std::string_view name) const;
  // The order a pcf block starts with, or null when none is declared default.
  const PinColumns* defaultOrder() const { return order(defaultOrder_); }
  const VectorLevels* vector(std::string_view name) const;

 private:
  std::map<std::string, std::string, std::less<>> nodes_;  // pin: nodes as written
  std::set<std::string, std::less<>> directed_;            // the pins a direction line names
  std::map<std::string, PinColumns, std::less<>> orders_;
  std::string defaultOrder_;
  std::map<std::string, VectorLevels, std::less<>> vectors_;
  VectorLevels* defining_ = nullptr;  // the vector whose set lines are being read
};

}  // namespace vantrel
