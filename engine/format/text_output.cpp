#include "format/text_output.h"

#include <cmath>

namespace korvex {

void requireFiniteItems(std::span<const FieldValue> items) {
  for (const FieldValue& item : items) {
    if (item.kind() == FieldValue::Kind::Real && !std::isfinite(item.real())) throw NonFiniteOutput();
  }
}

}  // namespace korvex
