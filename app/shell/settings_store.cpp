#include "app/shell/settings_store.h"

namespace korvex {

std::string recentFileKey(int number) { return "File" + std::to_string(number); }

}  // namespace korvex
