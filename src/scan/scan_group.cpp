#include "scan/scan_group.h"

namespace vantrel {

namespace {

const std::vector<TapState> kNoPath;

int stableIndex(TapState state) {
  switch (state) {
    case RESET: return 0;
    case IDLE: return 1;
    case DRPAUSE: return 2;
    case IRPAUSE: return 3;
    default: return -1;
  }
}

}  // namespace

const std::vector<TapState>& ScanGroup::entryFrom(TapState state) const {
  const int index = stableIndex(state);
  return index < 0 ? kNoPath : entry[index];
}

const std::vector<TapState>& ScanGroup::exitTo(TapState state) const {
  const int index = stableIndex(state);
  return index < 0 ? kNoPath : exit[index];
}

const ScanGroup drScan = {
    HDR,
    SDR,
    TDR,
    DRSHIFT,
    DRPAUSE,
    DREXIT2,
    &endDrState,
    {{IDLE, DRSELECT, DRCAPTURE, DRSHIFT},
     {DRSELECT, DRCAPTURE, DRSHIFT},
     {DREXIT2, DRUPDATE, IDLE, DRSELECT, DRCAPTURE, DRSHIFT},
     {IREXIT2, IRUPDATE, IDLE, DRSELECT, DRCAPTURE, DRSHIFT}},
    {{DRUPDATE, IDLE, DRSELECT, IRSELECT, RESET},
     {DRUPDATE, IDLE},
     {DRPAUSE},
     {DRUPDATE, IDLE, DRSELECT, IRSELECT, IRCAPTURE, IREXIT1, IRPAUSE}},
    finishDrGroup,
};

const ScanGroup irScan = {
    HIR,
    SIR,
    TIR,
    IRSHIFT,
    IRPAUSE,
    IREXIT2,
    &endIrState,
    {{IDLE, DRSELECT, IRSELECT, IRCAPTURE, IRSHIFT},
     {DRSELECT, IRSELECT, IRCAPTURE, IRSHIFT},
     {DREXIT2, DRUPDATE, IDLE, DRSELECT, IRSELECT, IRCAPTURE, IRSHIFT},
     {IREXIT2, IRUPDATE, IDLE, DRSELECT, IRSELECT, IRCAPTURE, IRSHIFT}},
    {{IRUPDATE, IDLE, DRSELECT, IRSELECT, RESET},
     {IRUPDATE, IDLE},
     {IRUPDATE, IDLE, DRSELECT, DRCAPTURE, DREXIT1, DRPAUSE},
     {IRPAUSE}},
    finishIrGroup,
};

}  // namespace vantrel
