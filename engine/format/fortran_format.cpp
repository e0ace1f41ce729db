#include "format/fortran_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <stdexcept>

#include "format/decimal_rounding.h"

namespace korvex {

namespace {

using Node = Format::Node;

// The text of one field before it is right-aligned in its width. Every field this writer
// is given fits: the widest is a fixed field of a number near the largest double.
class FieldText {
 public:
  void add(char c) {
    if (m_size < kCapacity) m_text[m_size] = c;
    ++m_size;
  }
  void add(std::string_view text) {
    if (m_size + text.size() <= kCapacity) text.copy(m_text + m_size, text.size());
    m_size += text.size();
  }
  void addZeros(int count) {
    for (int i = 0; i < count; ++i) add('0');
  }
  // Two- or three-digit exponent digits with leading zeros.
  void addExponentDigits(int value, int digits) {
    if (digits == 3) add(static_cast<char>('0' + value / 100));
    add(static_cast<char>('0' + value / 10 % 10));
    add(static_cast<char>('0' + value % 10));
  }
  void removeAt(std::size_t at) {
    for (std::size_t i = at; i + 1 < m_size && i + 1 < kCapacity; ++i) m_text[i] = m_text[i + 1];
    --m_size;
  }
  // Takes in the characters written directly after the text, up to `end`.
  void extendTo(const char* end) { m_size = static_cast<std::size_t>(end - m_text); }
  char at(std::size_t i) const { return m_text[i]; }
  std::size_t size() const { return m_size; }
  bool fits() const { return m_size <= kCapacity; }
  std::string_view view() const { return {m_text, std::min(m_size, kCapacity)}; }
  char* data() { return m_text; }
  static constexpr std::size_t kCapacity = 800;

 private:
  char m_text[kCapacity];
  std::size_t m_size = 0;
};

void appendAsterisks(std::string& out, int width) { out.append(static_cast<std::size_t>(width), '*'); }

// Appends `body` right-aligned in `width` columns, or asterisks when it does not fit.
void appendAligned(std::string& out, std::string_view body, int width) {
  if (static_cast<int>(body.size()) > width) {
    appendAsterisks(out, width);
    return;
  }
  const std::size_t start = out.size();
  out.append(static_cast<std::size_t>(width), ' ');
  body.copy(out.data() + start + (static_cast<std::size_t>(width) - body.size()), body.size());
}

void appendAligned(std::string& out, const FieldText& body, int width) {
  if (!body.fits()) {
    appendAsterisks(out, width);
    return;
  }
  appendAligned(out, body.view(), width);
}

// Text for a NaN or an infinity in a numeric field, as Fortran writes them.
void appendNonFinite(std::string& out, double value, int width) {
  if (std::isnan(value)) {
    appendAligned(out, "NaN", width);
    return;
  }
  const bool negative = std::signbit(value);
  const std::string_view word = width >= 8 + (negative ? 1 : 0) ? "Infinity" : "Inf";
  FieldText body;
  if (negative) body.add('-');
  body.add(word);
  appendAligned(out, body, width);
}

// ---- format parsing -------------------------------------------------------------------

class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) {}

  std::vector<Node> parseList(bool nested) {
    std::vector<Node> nodes;
    for (;;) {
      skipSeparators();
      if (atEnd()) {
        if (nested) fail("unclosed group");
        return nodes;
      }
      if (peek() == ')') {
        if (!nested) fail("unbalanced ')'");
        ++m_pos;
        return nodes;
      }
      nodes.push_back(parseItem());
    }
  }

 private:
  bool atEnd() const { return m_pos >= m_text.size(); }
  char peek() const { return m_text[m_pos]; }
  [[noreturn]] void fail(const char* what) const {
    throw std::invalid_argument(std::string("bad format (") + what + "): " + std::string(m_text));
  }
  void skipSeparators() {
    while (!atEnd() && (peek() == ' ' || peek() == ',')) ++m_pos;
  }
  bool hasNumber() const { return !atEnd() && std::isdigit(static_cast<unsigned char>(peek())); }
  int number() {
    if (!hasNumber()) fail("number expected");
    int value = 0;
    while (hasNumber()) value = value * 10 + (m_text[m_pos++] - '0');
    return value;
  }

  Node parseItem() {
    Node node;
    bool counted = false;
    bool negative = false;
    if (!atEnd() && (peek() == '-' || peek() == '+')) {
      negative = peek() == '-';
      ++m_pos;
      counted = true;
    }
    if (hasNumber()) {
      node.repeat = number();
      counted = true;
    } else if (counted) {
      fail("number expected after sign");
    }
    if (atEnd()) fail("descriptor expected");
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(m_text[m_pos++])));
    if (negative && c != 'P') fail("sign allowed only before P");
    if (counted && node.repeat == 0 && c != 'P') fail("zero repeat count");
    switch (c) {
      case '\'':
      case '"': {
        node.kind = Node::Kind::Literal;
        for (;;) {
          if (atEnd()) fail("unterminated text");
          const char ch = m_text[m_pos++];
          if (ch == c) {
            if (!atEnd() && peek() == c) {
              node.literal += c;
              ++m_pos;
              continue;
            }
            break;
          }
          node.literal += ch;
        }
        break;
      }
      case 'X':
        if (!counted) node.repeat = 1;
        node.kind = Node::Kind::Blanks;
        break;
      case '/':
        node.kind = Node::Kind::NewLine;
        break;
      case 'P':
        if (!counted) fail("scale factor needs a number");
        node.kind = Node::Kind::Scale;
        node.digits = negative ? -node.repeat : node.repeat;
        node.repeat = 1;
        break;
      case '(':
        node.kind = Node::Kind::Group;
        node.children = parseList(true);
        break;
      case 'I':
        node.kind = Node::Kind::Integer;
        node.width = number();
        node.digits = 1;  // Iw is Iw.1
        if (!atEnd() && peek() == '.') {
          ++m_pos;
          node.digits = number();
        }
        break;
      case 'F':
      case 'E':
      case 'D':
        node.kind = c == 'F' ? Node::Kind::Fixed : Node::Kind::Exponent;
        node.letter = c == 'D' ? 'D' : 'E';
        node.width = number();
        if (atEnd() || peek() != '.') fail("'.' expected");
        ++m_pos;
        node.digits = number();
        break;
      case 'L':
        node.kind = Node::Kind::Logical;
        node.width = number();
        break;
      case 'A':
        node.kind = Node::Kind::Text;
        node.width = hasNumber() ? number() : 0;
        break;
      default:
        fail("unknown descriptor");
    }
    if (node.width == 0 && (node.kind == Node::Kind::Integer || node.kind == Node::Kind::Fixed ||
                            node.kind == Node::Kind::Exponent || node.kind == Node::Kind::Logical)) {
      fail("zero width");
    }
    return node;
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
};

// ---- format execution -----------------------------------------------------------------

struct WriteState {
  std::string& out;
  std::span<const FieldValue> items;
  std::size_t next = 0;
  int scale = 0;
};

bool isDataDescriptor(Node::Kind kind) {
  return kind == Node::Kind::Integer || kind == Node::Kind::Fixed || kind == Node::Kind::Exponent ||
         kind == Node::Kind::Logical || kind == Node::Kind::Text;
}

void writeItem(const Node& node, const FieldValue& item, WriteState& state) {
  using K = FieldValue::Kind;
  switch (node.kind) {
    case Node::Kind::Integer:
      if (item.kind() != K::Integer) throw std::logic_error("I field given a non-integer item");
      appendInteger(state.out, item.integer(), node.width, node.digits);
      return;
    case Node::Kind::Fixed:
    case Node::Kind::Exponent:
      if (item.kind() != K::Real && item.kind() != K::Integer)
        throw std::logic_error("F or E field given a non-numeric item");
      if (node.kind == Node::Kind::Fixed) {
        appendFixed(state.out, item.real(), node.width, node.digits, state.scale);
      } else {
        appendExponent(state.out, item.real(), node.width, node.digits, state.scale, node.letter);
      }
      return;
    case Node::Kind::Logical:
      if (item.kind() != K::Logical) throw std::logic_error("L field given a non-logical item");
      appendAligned(state.out, item.logical() ? "T" : "F", node.width);
      return;
    case Node::Kind::Text: {
      if (item.kind() != K::Text) throw std::logic_error("A field given a non-text item");
      const std::string_view text = item.text();
      if (node.width == 0) {
        state.out += text;
      } else if (static_cast<int>(text.size()) >= node.width) {
        state.out += text.substr(0, static_cast<std::size_t>(node.width));
      } else {
        state.out.append(static_cast<std::size_t>(node.width) - text.size(), ' ');
        state.out += text;
      }
      return;
    }
    default:
      return;
  }
}

// Runs `nodes` from `first`; returns false when output stopped because a data descriptor
// found no item left.
bool runNodes(const std::vector<Node>& nodes, std::size_t first, WriteState& state) {
  for (std::size_t index = first; index < nodes.size(); ++index) {
    const Node& node = nodes[index];
    if (node.kind == Node::Kind::Blanks) {
      state.out.append(static_cast<std::size_t>(node.repeat), ' ');
      continue;
    }
    for (int pass = 0; pass < node.repeat; ++pass) {
      if (isDataDescriptor(node.kind)) {
        if (state.next >= state.items.size()) return false;
        writeItem(node, state.items[state.next++], state);
        continue;
      }
      switch (node.kind) {
        case Node::Kind::Literal:
          state.out += node.literal;
          break;
        case Node::Kind::NewLine:
          state.out += '\n';
          break;
        case Node::Kind::Scale:
          state.scale = node.digits;
          break;
        case Node::Kind::Group:
          if (!runNodes(node.children, 0, state)) return false;
          break;
        default:
          break;
      }
    }
  }
  return true;
}

bool containsData(const std::vector<Node>& nodes) {
  for (const Node& node : nodes) {
    if (isDataDescriptor(node.kind)) return true;
    if (node.kind == Node::Kind::Group && containsData(node.children)) return true;
  }
  return false;
}

// Decimal digits of |value| rounded to `significant` digits, and the exponent e such that
// |value| = 0.d1d2d3... x 10^e. Zero gives all zeros and exponent 0.
struct DecimalDigits {
  char digits[FieldText::kCapacity];
  int count = 0;
  int exponent = 0;
  std::string_view view(int from = 0) const { return {digits + from, static_cast<std::size_t>(count - from)}; }
};

// "00" "01" ... "99": two digits of a number at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The `count` decimal digits of `value` (leading zeros included) into `digits`, two at a time
// and in 32-bit arithmetic, which is cheaper than dividing the 64-bit number each time.
void writeDigits(std::uint64_t value, int count, char* digits) {
  const auto writeSmall = [](std::uint32_t part, int n, char* to) {
    while (n >= 2) {
      const std::uint32_t pair = (part % 100) * 2;
      part /= 100;
      to[--n] = kDigitPairs[pair + 1];
      to[--n] = kDigitPairs[pair];
    }
    if (n == 1) to[0] = static_cast<char>('0' + part % 10);
  };
  if (count > 8) {
    writeSmall(static_cast<std::uint32_t>(value % 100000000), 8, digits + count - 8);
    writeSmall(static_cast<std::uint32_t>(value / 100000000), count - 8, digits);
  } else {
    writeSmall(static_cast<std::uint32_t>(value), count, digits);
  }
}

void roundDigits(double magnitude, int significant, DecimalDigits& result) {
  significant = std::clamp(significant, 1, static_cast<int>(FieldText::kCapacity) - 16);
  result.count = significant;
  result.exponent = 0;
  if (magnitude == 0.0) {
    std::fill(result.digits, result.digits + significant, '0');
    return;
  }
  RoundedDecimal exact;
  if (roundToSignificantDigits(magnitude, significant, exact)) {
    writeDigits(exact.digits, significant, result.digits);
    result.exponent = exact.exponent;
    return;
  }
  // Beyond the integer fast path: to_chars, which, unlike printf, does not depend on the C
  // locale of a host program.
  char buffer[FieldText::kCapacity];
  const auto converted =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, significant - 1);
  // buffer: d.dddde+XX
  const char* p = buffer;
  int count = 0;
  result.digits[count++] = *p++;
  if (*p == '.') ++p;
  while (p < converted.ptr && *p != 'e') result.digits[count++] = *p++;
  ++p;  // 'e'
  const bool negative = *p == '-';
  ++p;
  int exponent = 0;
  while (p < converted.ptr) exponent = exponent * 10 + (*p++ - '0');
  result.exponent = (negative ? -exponent : exponent) + 1;
}

// The body of an Ew.d (or Dw.d) field under scale factor kP, before alignment. Returns false
// when the field can only be asterisks.
bool exponentBody(double value, int width, int decimals, int scale, char letter, FieldText& body) {
  if (scale <= -decimals || scale > decimals + 1) return false;
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  const int significant = scale <= 0 ? decimals + scale : decimals + 1;
  DecimalDigits rounded;
  roundDigits(magnitude, significant, rounded);
  const int exponent = magnitude == 0.0 ? 0 : rounded.exponent - scale;
  const int absExponent = exponent < 0 ? -exponent : exponent;
  if (absExponent > 999) return false;

  if (negative) body.add('-');
  const std::size_t leadingZeroAt = body.size();
  if (scale <= 0) {
    body.add("0.");
    body.addZeros(-scale);
    body.add(rounded.view());
  } else {
    body.add(rounded.view().substr(0, static_cast<std::size_t>(scale)));
    body.add('.');
    body.add(rounded.view(scale));
  }
  if (absExponent <= 99) {
    body.add(letter);
    body.add(exponent < 0 ? '-' : '+');
    body.addExponentDigits(absExponent, 2);
  } else {
    body.add(exponent < 0 ? '-' : '+');
    body.addExponentDigits(absExponent, 3);
  }
  // The zero before the decimal point is optional and goes first when space is short.
  if (static_cast<int>(body.size()) > width && scale <= 0) body.removeAt(leadingZeroAt);
  return true;
}

// The digits of |value| rounded to `decimals` places, as a fixed conversion writes them
// ("12.346", "0.012", "7" for no decimals), through the exact integer rounding. False, with
// nothing added, for the cases left to the standard library: zero, fewer than one
// significant digit, or more than seventeen.
bool fixedDigits(double magnitude, int decimals, FieldText& body) {
  if (!(magnitude > 0.0) || !std::isfinite(magnitude)) return false;
  RoundedDecimal rounded;
  int significant = decimals + 1;  // a first guess; the exponent found corrects it
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (significant < 1 || significant > 17 || !roundToSignificantDigits(magnitude, significant, rounded)) return false;
    const int wanted = rounded.exponent + decimals;
    if (wanted == significant) break;
    significant = wanted;
    if (attempt == 2) return false;
  }
  char digits[17];
  writeDigits(rounded.digits, significant, digits);
  const std::string_view all(digits, static_cast<std::size_t>(significant));
  const int whole = rounded.exponent;  // digits before the decimal point
  if (whole > 0) {
    body.add(all.substr(0, static_cast<std::size_t>(whole)));
    if (decimals > 0) {
      body.add('.');
      body.add(all.substr(static_cast<std::size_t>(whole)));
    }
  } else {
    body.add("0.");
    body.addZeros(-whole);
    body.add(all);
  }
  return true;
}

}  // namespace

// ---- field formatters -----------------------------------------------------------------

void appendInteger(std::string& out, long long value, int width, int minDigits) {
  const bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  char digits[24];
  int count = 0;
  // Iw.0 writes a zero value as blanks only.
  if (!(magnitude == 0 && minDigits == 0)) {
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude > 0);
  }
  FieldText body;
  if (negative) body.add('-');
  body.addZeros(minDigits - count);
  while (count > 0) body.add(digits[--count]);
  appendAligned(out, body, width);
}

void appendFixed(std::string& out, double value, int width, int decimals, int scale) {
  if (!std::isfinite(value)) {
    appendNonFinite(out, value, width);
    return;
  }
  const bool negative = std::signbit(value);
  double magnitude = std::fabs(value);
  if (scale != 0) magnitude *= std::pow(10.0, scale);
  FieldText body;
  if (negative) body.add('-');
  if (!fixedDigits(magnitude, decimals, body)) {
    char* start = body.data() + body.size();
    const auto converted =
        std::to_chars(start, body.data() + FieldText::kCapacity - 1, magnitude, std::chars_format::fixed, decimals);
    if (converted.ec != std::errc()) {
      appendAsterisks(out, width);
      return;
    }
    body.extendTo(converted.ptr);
  }
  if (decimals == 0) body.add('.');
  if (static_cast<int>(body.size()) > width) {
    // The zero before the decimal point is optional and goes first when space is short.
    const std::size_t zeroAt = negative ? 1 : 0;
    if (body.size() > zeroAt + 1 && body.at(zeroAt) == '0' && body.at(zeroAt + 1) == '.') body.removeAt(zeroAt);
  }
  appendAligned(out, body, width);
}

void appendExponent(std::string& out, double value, int width, int decimals, int scale, char letter) {
  if (!std::isfinite(value)) {
    appendNonFinite(out, value, width);
    return;
  }
  FieldText body;
  if (!exponentBody(value, width, decimals, scale, letter, body)) {
    appendAsterisks(out, width);
    return;
  }
  appendAligned(out, body, width);
}

std::string formatInteger(long long value, int width, int minDigits) {
  std::string out;
  appendInteger(out, value, width, minDigits);
  return out;
}

std::string formatFixed(double value, int width, int decimals, int scale) {
  std::string out;
  appendFixed(out, value, width, decimals, scale);
  return out;
}

std::string formatExponent(double value, int width, int decimals, int scale, char letter) {
  std::string out;
  appendExponent(out, value, width, decimals, scale, letter);
  return out;
}

// ---- Format ---------------------------------------------------------------------------

Format::Format(std::string_view text) {
  std::string_view body = text;
  while (!body.empty() && body.front() == ' ') body.remove_prefix(1);
  while (!body.empty() && body.back() == ' ') body.remove_suffix(1);
  if (body.size() >= 2 && body.front() == '(' && body.back() == ')') {
    // A format may be written with or without its outer parentheses.
    Parser outer(body.substr(1, body.size() - 2));
    m_nodes = outer.parseList(false);
  } else {
    Parser parser(body);
    m_nodes = parser.parseList(false);
  }
  // Format reversion restarts at the last top-level group, or at the start when there is none.
  for (std::size_t i = m_nodes.size(); i-- > 0;) {
    if (m_nodes[i].kind == Node::Kind::Group) {
      m_reversionStart = i;
      break;
    }
  }
}

void Format::write(std::string& out, std::span<const FieldValue> items) const {
  WriteState state{out, items};
  std::size_t start = 0;
  while (runNodes(m_nodes, start, state)) {
    if (state.next >= items.size()) break;
    if (!containsData(m_nodes)) throw std::logic_error("items left for a format without data fields");
    out += '\n';
    start = m_reversionStart;
  }
  out += '\n';
}

std::string Format::format(std::span<const FieldValue> items) const {
  std::string out;
  write(out, items);
  return out;
}

// ---- list-directed output -------------------------------------------------------------

namespace {

// G25.17 with a three-digit exponent and scale factor 1 for the exponent form, the field
// that list-directed output gives a double-precision real.
void appendListDirectedReal(std::string& out, double value) {
  constexpr int kWidth = 25;
  constexpr int kDigits = 17;
  constexpr int kTrailing = 5;  // the blanks that stand for the unused exponent
  if (!std::isfinite(value)) {
    appendNonFinite(out, value, kWidth);
    return;
  }
  const double magnitude = std::fabs(value);
  DecimalDigits rounded;
  roundDigits(magnitude, kDigits, rounded);
  const int k = magnitude == 0.0 ? 1 : rounded.exponent;
  if (magnitude == 0.0) {
    appendFixed(out, value, kWidth - kTrailing, kDigits - 1);
    out.append(kTrailing, ' ');
    return;
  }
  FieldText body;
  if (std::signbit(value)) body.add('-');
  if (k >= 0 && k <= kDigits) {
    // F20.(17-k): rounding at the 17th significant digit is rounding at the last decimal, so
    // the digits already rounded are the field's digits.
    if (k == 0) body.add('0');
    body.add(rounded.view().substr(0, static_cast<std::size_t>(k)));
    body.add('.');
    body.add(rounded.view(k));
    appendAligned(out, body, kWidth - kTrailing);
    out.append(kTrailing, ' ');
    return;
  }
  // Exponent form: d.dddE-eee
  const int exponent = rounded.exponent - 1;
  body.add(rounded.digits[0]);
  body.add('.');
  body.add(rounded.view(1));
  body.add('E');
  body.add(exponent < 0 ? '-' : '+');
  body.addExponentDigits(exponent < 0 ? -exponent : exponent, 3);
  appendAligned(out, body, kWidth);
}

}  // namespace

void writeListDirected(std::string& out, std::span<const FieldValue> items) {
  for (const FieldValue& item : items) {
    out += ' ';
    switch (item.kind()) {
      case FieldValue::Kind::Integer:
        appendInteger(out, item.integer(), 11);
        break;
      case FieldValue::Kind::Real:
        appendListDirectedReal(out, item.real());
        break;
      case FieldValue::Kind::Logical:
        out += item.logical() ? 'T' : 'F';
        break;
      case FieldValue::Kind::Text:
        out += item.text();
        break;
    }
  }
  out += '\n';
}

}  // namespace korvex
