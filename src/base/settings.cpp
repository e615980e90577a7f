#include "base/settings.h"

namespace vantrel {

Settings settings;

}  // namespace vantrel
