#include "logging.h"

namespace tavrel {

Q_LOGGING_CATEGORY(lcEngine, "tavrel.engine")
Q_LOGGING_CATEGORY(lcMap, "tavrel.map")
Q_LOGGING_CATEGORY(lcSettings, "tavrel.settings")
Q_LOGGING_CATEGORY(lcFiles, "tavrel.files")

}  // namespace tavrel
