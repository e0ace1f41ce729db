// The rounding of values handed from one part of the engine to another through a fixed-format
// field: the solution takes the generated earth pressures and p-y curves as an E10.3 field
// reads them back.
#pragma once

namespace korvex {

// `value` as written in an E10.3 field and read back: rounded to three significant digits
// (ties to even), the same double a read of the field's text gives. Values the field cannot
// hold, infinities and NaN, and values whose decimal exponent lies beyond two digits, are
// returned as they are; zero keeps its sign.
double roundAsE10_3(double value);

}  // namespace korvex
