#include "entry/evaluator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "entry/number_format.h"

namespace korvex {

namespace {

namespace msg = evaluator_messages;

[[noreturn]] void fail(std::string_view message) { throw AssignmentError(std::string(message)); }

// A value that has to stay finite: NaN means the operation has no real result, an infinity
// that it overflowed.
long double finite(long double value) {
  if (std::isnan(value)) fail(msg::kNotReal);
  if (std::isinf(value)) fail(msg::kOverflow);
  return value;
}

// Prefix functions in the order they are tried: a longer name comes before any name it starts
// with (arctanh before arctan, cosh before cos).
constexpr std::array<std::string_view, 24> kFunctions{
    "arctanh", "arctan", "cotan",  "tanh", "tan",  "arccosh", "arccos", "cosh",
    "cos",     "sec",    "arcsinh", "arcsin", "sinh", "sin",   "csc",    "abs",
    "frac",    "int",    "ln",     "round", "ceil", "floor",  "log",    "sqrt"};

// Letters A to Z in lower case; every other byte as it stands, whatever the C locale.
std::string lowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

long double reciprocal(long double value) {
  if (value == 0) fail(msg::kDivisionByZero);
  return finite(1.0L / value);
}

long double logarithmArgument(long double value) {
  if (value <= 0) fail(msg::kLogarithm);
  return value;
}

// The function `name` of `x`, angles in radians.
long double applyFunction(std::string_view name, long double x) {
  if (name == "arctanh") return finite(std::atanh(x));
  if (name == "arctan") return finite(std::atan(x));
  if (name == "cotan") return reciprocal(std::tan(x));
  if (name == "tanh") return finite(std::tanh(x));
  if (name == "tan") return finite(std::tan(x));
  if (name == "arccosh") return finite(std::acosh(x));
  if (name == "arccos") return finite(std::acos(x));
  if (name == "cosh") return finite(std::cosh(x));
  if (name == "cos") return finite(std::cos(x));
  if (name == "sec") return reciprocal(std::cos(x));
  if (name == "arcsinh") return finite(std::asinh(x));
  if (name == "arcsin") return finite(std::asin(x));
  if (name == "sinh") return finite(std::sinh(x));
  if (name == "sin") return finite(std::sin(x));
  if (name == "csc") return reciprocal(std::sin(x));
  if (name == "abs") return std::fabs(x);
  if (name == "frac") return x - std::trunc(x);
  if (name == "int") return std::trunc(x);
  if (name == "ln") return finite(std::log(logarithmArgument(x)));
  if (name == "round") return roundHalfEven(x);
  if (name == "ceil") return std::ceil(x);
  if (name == "floor") return std::floor(x);
  if (name == "log") return finite(std::log10(logarithmArgument(x)));
  return finite(std::sqrt(x));  // "sqrt"
}

// n! for n = |x|, with the sign of x; x must be a whole number.
long double factorial(long double x) {
  if (x != std::trunc(x)) fail(msg::kFactorial);
  const long double n = std::fabs(x);
  long double product = 1.0L;
  for (long double k = 2.0L; k <= n; k += 1.0L) {
    product *= k;
    if (std::isinf(product)) fail(msg::kOverflow);  // from about 1755! on
  }
  return x < 0 ? -product : product;
}

// "$" and one to sixteen hexadecimal digits (lower case by now).
long double hexadecimal(std::string_view text) {
  const std::string_view digits = text.substr(1);
  if (digits.empty() || digits.size() > 16) fail(msg::kHexadecimal);
  unsigned long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) fail(msg::kHexadecimal);
  return static_cast<long double>(value);
}

// A decimal number: an optional minus, digits with at most one full stop (at least one digit),
// and an optional exponent "e", optional sign, digits. Returns false for any other text.
// Magnitudes beyond the extended range overflow; those below it are 0.
bool decimalNumber(std::string_view text, long double& value) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++pos;
  const std::size_t mantissaStart = pos;
  int integerDigits = 0;
  int fractionDigits = 0;
  int firstIntegerIndex = 0;   // 1-based place of the first non-zero digit among the integer digits
  int firstFractionIndex = 0;  // or after the point, when every integer digit is zero
  bool seenPoint = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (isDigit(c)) {
      if (seenPoint) ++fractionDigits;
      else ++integerDigits;
      if (c != '0' && firstIntegerIndex == 0 && firstFractionIndex == 0) {
        if (seenPoint) firstFractionIndex = fractionDigits;
        else firstIntegerIndex = integerDigits;
      }
    } else {
      break;
    }
  }
  if (integerDigits + fractionDigits == 0) return false;
  // Decimal exponent of the leading non-zero digit: the k-th integer digit stands at
  // 10^(integerDigits - k), the j-th digit after the point at 10^-j.
  const bool nonZero = firstIntegerIndex > 0 || firstFractionIndex > 0;
  const long long leadingExponent =
      firstIntegerIndex > 0 ? integerDigits - firstIntegerIndex : -static_cast<long long>(firstFractionIndex);
  long long exponentPart = 0;
  if (pos < text.size()) {
    if (text[pos] != 'e') return false;
    ++pos;
    bool exponentNegative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) exponentNegative = text[pos++] == '-';
    if (pos == text.size()) return false;
    for (; pos < text.size(); ++pos) {
      if (!isDigit(text[pos])) return false;
      if (exponentPart < 1000000) exponentPart = exponentPart * 10 + (text[pos] - '0');
    }
    if (exponentNegative) exponentPart = -exponentPart;
  }

  const auto [end, error] = std::from_chars(text.data() + mantissaStart, text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (nonZero && leadingExponent + exponentPart > 0) fail(msg::kOverflow);
    value = 0;
  } else if (error != std::errc() || end != text.data() + text.size()) {
    return false;
  }
  if (negative) value = -value;
  return true;
}

// What remains to be done to an operand's core value once it is known: a prefix function, a
// factorial or a change of sign.
struct PendingStep {
  enum Kind { Function, Factorial, Negate } kind;
  std::string_view function;  // for Function
};

// The value of one operand: pi, e, a prefix function, n!, $hex or a decimal number, tried in
// that order. Functions, factorials and signs nest (sinsqrt16!, -cos-1) as deep as the operand
// is long, so they are taken off in a loop and applied afterwards, innermost first, without
// recursion.
long double evaluateOperand(std::string_view operand) {
  std::string text(operand);
  for (std::size_t pair = text.find("--"); pair != std::string::npos; pair = text.find("--", pair))
    text.erase(pair, 2);
  text = lowerCase(text);

  std::vector<PendingStep> pending;
  std::string_view rest = text;
  long double value = 0;
  for (;;) {
    if (rest == "pi" || rest == "-pi" || rest == "e" || rest == "-e") {
      value = rest.ends_with("pi") ? std::numbers::pi_v<long double> : std::numbers::e_v<long double>;
      if (rest[0] == '-') value = -value;
      break;
    }
    const auto function = std::find_if(kFunctions.begin(), kFunctions.end(),
                                       [rest](std::string_view name) { return rest.starts_with(name); });
    if (function != kFunctions.end()) {
      pending.push_back({PendingStep::Function, *function});
      rest.remove_prefix(function->size());
    } else if (rest.ends_with('!')) {
      pending.push_back({PendingStep::Factorial, {}});
      rest.remove_suffix(1);
    } else if (rest.starts_with('$')) {
      value = hexadecimal(rest);
      break;
    } else if (decimalNumber(rest, value)) {
      break;
    } else if (rest.size() > 1 && rest[0] == '-') {
      // A sign before anything else that is not a number: the negative of the rest, so that
      // -sqrt4, -sin30 and -$1F (the "$" form of a negative entry) have values.
      pending.push_back({PendingStep::Negate, {}});
      rest.remove_prefix(1);
    } else {
      fail(msg::kInvalidCharacters);
    }
  }
  for (auto step = pending.rbegin(); step != pending.rend(); ++step) {
    if (step->kind == PendingStep::Function) value = applyFunction(step->function, value);
    else if (step->kind == PendingStep::Factorial) value = factorial(value);
    else value = -value;
  }
  return value;
}

bool isFunctionName(std::string_view text) {
  const std::string lower = lowerCase(text);
  for (std::string_view name : kFunctions)
    if (lower == name) return true;
  return false;
}

bool isBinaryOperator(char c) { return std::string_view("^*/%+=|&").find(c) != std::string_view::npos; }

// Whether the "-" at `pos` is the sign of the operand that follows it; `operand` holds the text
// of the current operand read so far.
bool isSign(std::string_view text, std::size_t pos, std::string_view operand) {
  if (pos == 0) return true;
  const char before = text[pos - 1];
  if (std::string_view("%&*+/=E^e|~-").find(before) != std::string_view::npos) return true;
  return operand == "!" || operand == "$" || isFunctionName(operand);
}

// The result of `op` applied to `left` and `right`.
long double applyOperator(char op, long double left, long double right) {
  switch (op) {
    case '^':
      if (left == 0 && right < 0) fail(msg::kDivisionByZero);
      return finite(std::pow(left, right));
    case '*':
      return finite(left * right);
    case '/':
      if (right == 0) fail(msg::kDivisionByZero);
      return finite(left / right);
    case '%': {
      const long double divisor = std::trunc(right);
      if (divisor == 0) fail(msg::kDivisionByZero);
      return std::fmod(std::trunc(left), divisor);
    }
    case '&':
      return left != 0 && right != 0 ? 1.0L : 0.0L;
    case '+':
      return finite(left + right);
    case '-':
      return finite(left - right);
    case '|':
      return left != 0 || right != 0 ? 1.0L : 0.0L;
    default:  // '='
      return left == right ? 1.0L : 0.0L;
  }
}

// Whether `text` ends with the name of a prefix function, in any letter case.
bool endsWithFunctionName(std::string_view text) {
  return std::any_of(kFunctions.begin(), kFunctions.end(), [text](std::string_view name) {
    return text.size() >= name.size() && lowerCase(text.substr(text.size() - name.size())) == name;
  });
}

// Whether the bracket from `open` to `close` in `text` stands apart from its neighbours as a
// value of its own: after the start, "(", a binary operator, a minus or a function name, and
// before the end, ")", a binary operator, a minus or "!". Its value replaces it as text, so a
// bracket glued to a number, as in 2(3+4) or (1)(.5), would run into that number's digits.
bool bracketStandsApart(std::string_view text, std::size_t open, std::size_t close) {
  const bool apartBefore = open == 0 || text[open - 1] == '(' || text[open - 1] == '-' ||
                           isBinaryOperator(text[open - 1]) || endsWithFunctionName(text.substr(0, open));
  const std::size_t after = close + 1;
  const bool apartAfter = after == text.size() || text[after] == ')' || text[after] == '!' || text[after] == '-' ||
                          isBinaryOperator(text[after]);
  return apartBefore && apartAfter;
}

// Replaces the decimal separator of the program's C locale, where it is not the full stop, by a
// full stop, so that a user whose numbers read 2,5 may type them so. Only a comma or a separator
// outside ASCII is taken: any other character already means something in an expression.
void acceptLocaleDecimalSeparator(std::string& text) {
  const std::string_view separator = std::localeconv()->decimal_point;
  if (separator.empty() || separator == ".") return;
  for (char c : separator)
    if (c != ',' && static_cast<unsigned char>(c) < 0x80) return;
  for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, at + 1))
    text.replace(at, separator.size(), ".");
}

// An expression without parentheses and blanks.
long double evaluateFlat(std::string_view text) {
  std::vector<std::string> operands;
  std::vector<char> operators;
  std::string operand;
  bool emptyOperand = false;
  const auto endOperand = [&] {
    if (operand.empty()) emptyOperand = true;
    else operands.push_back(operand);
    operand.clear();
  };
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (isBinaryOperator(c) || (c == '-' && !isSign(text, pos, operand))) {
      endOperand();
      operators.push_back(c);
    } else {
      operand.push_back(c);
    }
  }
  endOperand();
  if (emptyOperand || operands.size() != operators.size() + 1) fail(msg::kInvalidExpression);

  for (std::string_view pass : {"^", "*/%&", "+-|", "="}) {
    std::size_t i = 0;
    while (i < operators.size()) {
      if (pass.find(operators[i]) == std::string_view::npos) {
        ++i;
        continue;
      }
      const long double result =
          applyOperator(operators[i], evaluateOperand(operands[i]), evaluateOperand(operands[i + 1]));
      operands[i] = formatGeneral(result, kEntryDigits);
      operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      operators.erase(operators.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  return evaluateOperand(operands.front());
}

}  // namespace

long double evaluateExpression(std::string_view input) {
  if (input.size() > kMaxEntryLength) fail(msg::kInvalidExpression);
  std::string text;
  for (char c : input)
    if (c != ' ' && c != '\t') text.push_back(c);
  if (text.empty()) fail(msg::kBlank);
  acceptLocaleDecimalSeparator(text);

  for (std::size_t close = text.find(')'); close != std::string::npos; close = text.find(')', close)) {
    const std::size_t open = text.rfind('(', close);
    if (open == std::string::npos) fail(msg::kParentheses);
    if (!bracketStandsApart(text, open, close)) fail(msg::kInvalidExpression);
    const std::string_view inner = std::string_view(text).substr(open + 1, close - open - 1);
    if (inner.empty()) fail(msg::kBlank);
    text.replace(open, close - open + 1, formatGeneral(evaluateFlat(inner), kEntryDigits));
    close = open;  // nothing before the bracket's place holds a ")"
  }
  return evaluateFlat(text);
}

}  // namespace korvex
