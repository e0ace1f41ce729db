#include "report/fortran_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace korvex {

namespace {

using Node = Format::Node;

std::string asterisks(int width) { return std::string(static_cast<std::size_t>(width), '*'); }

std::string rightAlign(const std::string& body, int width) {
  if (static_cast<int>(body.size()) > width) return asterisks(width);
  return std::string(static_cast<std::size_t>(width) - body.size(), ' ') + body;
}

// Text for a NaN or an infinity in a numeric field, as Fortran writes them.
std::string nonFinite(double value, int width) {
  if (std::isnan(value)) return rightAlign("NaN", width);
  const bool negative = std::signbit(value);
  std::string body = width >= 8 + (negative ? 1 : 0) ? "Infinity" : "Inf";
  if (negative) body.insert(0, "-");
  return rightAlign(body, width);
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
      state.out += formatInteger(item.integer(), node.width, node.digits);
      return;
    case Node::Kind::Fixed:
    case Node::Kind::Exponent:
      if (item.kind() != K::Real && item.kind() != K::Integer)
        throw std::logic_error("F or E field given a non-numeric item");
      state.out += node.kind == Node::Kind::Fixed
                       ? formatFixed(item.real(), node.width, node.digits, state.scale)
                       : formatExponent(item.real(), node.width, node.digits, state.scale, node.letter);
      return;
    case Node::Kind::Logical:
      if (item.kind() != K::Logical) throw std::logic_error("L field given a non-logical item");
      state.out += rightAlign(item.logical() ? "T" : "F", node.width);
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
        case Node::Kind::Blanks:
          state.out += ' ';
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
  std::string digits;
  int exponent = 0;
};

DecimalDigits roundedDigits(double magnitude, int significant) {
  DecimalDigits result;
  if (significant <= 0) significant = 1;
  if (magnitude == 0.0) {
    result.digits.assign(static_cast<std::size_t>(significant), '0');
    return result;
  }
  // to_chars, unlike printf, does not depend on the C locale of a host program.
  char buffer[512];
  const auto converted = std::to_chars(buffer, buffer + sizeof buffer - 1, magnitude, std::chars_format::scientific,
                                       significant - 1);
  *converted.ptr = '\0';
  // buffer: d.ddddde+XX
  const char* p = buffer;
  result.digits += *p++;
  if (*p == '.') ++p;
  while (std::isdigit(static_cast<unsigned char>(*p))) result.digits += *p++;
  if (*p == 'e') ++p;
  result.exponent = std::atoi(p) + 1;
  return result;
}

}  // namespace

// ---- field formatters -----------------------------------------------------------------

std::string formatInteger(long long value, int width, int minDigits) {
  const bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  // Iw.0 writes a zero value as blanks only.
  std::string digits = magnitude == 0 && minDigits == 0 ? std::string() : std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  if (negative) digits.insert(0, "-");
  return rightAlign(digits, width);
}

std::string formatFixed(double value, int width, int decimals, int scale) {
  if (!std::isfinite(value)) return nonFinite(value, width);
  const bool negative = std::signbit(value);
  double magnitude = std::fabs(value);
  if (scale != 0) magnitude *= std::pow(10.0, scale);
  char buffer[512];
  const auto converted = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
  if (converted.ec != std::errc()) return asterisks(width);
  std::string body(buffer, converted.ptr);
  if (decimals == 0) body += '.';
  if (negative) body.insert(0, "-");
  if (static_cast<int>(body.size()) > width) {
    // The zero before the decimal point is optional and goes first when space is short.
    const std::size_t zeroAt = negative ? 1 : 0;
    if (body.size() > zeroAt + 1 && body[zeroAt] == '0' && body[zeroAt + 1] == '.')
      body.erase(zeroAt, 1);
  }
  return rightAlign(body, width);
}

std::string formatExponent(double value, int width, int decimals, int scale, char letter) {
  if (!std::isfinite(value)) return nonFinite(value, width);
  if (scale <= -decimals || scale > decimals + 1) return asterisks(width);
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  const int significant = scale <= 0 ? decimals + scale : decimals + 1;
  const DecimalDigits rounded = roundedDigits(magnitude, significant);
  const int exponent = magnitude == 0.0 ? 0 : rounded.exponent - scale;

  std::string mantissa;
  if (scale <= 0) {
    mantissa = "0.";
    mantissa.append(static_cast<std::size_t>(-scale), '0');
    mantissa += rounded.digits;
  } else {
    mantissa = rounded.digits.substr(0, static_cast<std::size_t>(scale));
    mantissa += '.';
    mantissa += rounded.digits.substr(static_cast<std::size_t>(scale));
  }

  const int absExponent = exponent < 0 ? -exponent : exponent;
  if (absExponent > 999) return asterisks(width);
  char exponentText[16];
  if (absExponent <= 99) {
    std::snprintf(exponentText, sizeof exponentText, "%c%c%02d", letter, exponent < 0 ? '-' : '+', absExponent);
  } else {
    std::snprintf(exponentText, sizeof exponentText, "%c%03d", exponent < 0 ? '-' : '+', absExponent);
  }

  std::string body = (negative ? "-" : "") + mantissa + exponentText;
  if (static_cast<int>(body.size()) > width && scale <= 0) {
    body = (negative ? "-" : "") + mantissa.substr(1) + exponentText;
  }
  return rightAlign(body, width);
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
std::string listDirectedReal(double value) {
  constexpr int kWidth = 25;
  constexpr int kDigits = 17;
  constexpr int kTrailing = 5;  // the blanks that stand for the unused exponent
  if (!std::isfinite(value)) return nonFinite(value, kWidth);
  const double magnitude = std::fabs(value);
  const DecimalDigits rounded = roundedDigits(magnitude, kDigits);
  const int k = magnitude == 0.0 ? 1 : rounded.exponent;
  if (magnitude == 0.0 || (k >= 0 && k <= kDigits)) {
    const int decimals = kDigits - (magnitude == 0.0 ? 1 : k);
    return formatFixed(value, kWidth - kTrailing, decimals) + std::string(kTrailing, ' ');
  }
  // Exponent form: d.dddE-eee
  const bool negative = std::signbit(value);
  const int exponent = rounded.exponent - 1;
  const int absExponent = exponent < 0 ? -exponent : exponent;
  char exponentText[16];
  std::snprintf(exponentText, sizeof exponentText, "E%c%03d", exponent < 0 ? '-' : '+', absExponent);
  std::string body = (negative ? "-" : "") + rounded.digits.substr(0, 1) + "." + rounded.digits.substr(1) + exponentText;
  return rightAlign(body, kWidth);
}

}  // namespace

void writeListDirected(std::string& out, std::span<const FieldValue> items) {
  for (const FieldValue& item : items) {
    out += ' ';
    switch (item.kind()) {
      case FieldValue::Kind::Integer:
        out += formatInteger(item.integer(), 11);
        break;
      case FieldValue::Kind::Real:
        out += listDirectedReal(item.real());
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

namespace korvex {

double readBackExponent(double value, int width, int decimals) {
  if (!std::isfinite(value)) return value;
  const std::string text = formatExponent(value, width, decimals);
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return value;
  double parsed = 0.0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size()) return value;
  return parsed;
}

}  // namespace korvex
