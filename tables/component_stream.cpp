#include "tables/component_stream.h"

#include <cmath>
#include <limits>

namespace korvex {

namespace {

constexpr int kExponentBias = 16383;
constexpr int kMaxExponentField = 0x7FFF;
const char* const kReadError = "Stream read error";
const char* const kInvalidValue = "Invalid property value";

}  // namespace

// value = (-1)^sign × mantissa × 2^(exponent field − 16383 − 63); the mantissa's top bit is the
// integer bit, set for every normal number.
std::vector<std::uint8_t> EncodeExtended(long double value) {
  std::uint64_t mantissa = 0;
  int exponentField = 0;
  const bool negative = std::signbit(value);
  const long double magnitude = std::fabs(value);
  if (std::isnan(value)) {
    mantissa = 0xC000000000000000ULL;
    exponentField = kMaxExponentField;
  } else if (std::isinf(value)) {
    mantissa = 0x8000000000000000ULL;
    exponentField = kMaxExponentField;
  } else if (magnitude != 0.0L) {
    int exponent = 0;
    const long double fraction = std::frexp(magnitude, &exponent);  // in [0.5, 1)
    exponentField = exponent - 1 + kExponentBias;
    int shift = 64;
    if (exponentField <= 0) {  // below the normal range: a denormal with exponent field 0
      shift -= 1 - exponentField;
      exponentField = 0;
    }
    if (exponentField >= kMaxExponentField) {
      mantissa = 0x8000000000000000ULL;
      exponentField = kMaxExponentField;
    } else if (shift > 0) {
      mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, shift));
    }
  }
  std::vector<std::uint8_t> bytes(10);
  for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  const unsigned top = static_cast<unsigned>(exponentField) | (negative ? 0x8000U : 0U);
  bytes[8] = static_cast<std::uint8_t>(top & 0xFF);
  bytes[9] = static_cast<std::uint8_t>(top >> 8);
  return bytes;
}

long double DecodeExtended(const std::uint8_t* bytes) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
  const unsigned top = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
  const bool negative = (top & 0x8000U) != 0;
  const int exponentField = static_cast<int>(top & 0x7FFFU);
  long double magnitude;
  if (exponentField == kMaxExponentField) {
    magnitude = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                     : std::numeric_limits<long double>::quiet_NaN();
  } else {
    const int exponent = (exponentField == 0 ? 1 : exponentField) - kExponentBias - 63;
    magnitude = std::ldexp(static_cast<long double>(mantissa), exponent);
  }
  return negative ? -magnitude : magnitude;
}

// ---------------------------------------------------------------------------------------------
// ComponentWriter

void ComponentWriter::PutLittleEndian(std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ComponentWriter::WriteInteger(std::int32_t value) {
  const auto raw = static_cast<std::uint32_t>(value);
  if (value >= -128 && value <= 127) {
    Put(ValueType::kInt8);
    PutLittleEndian(raw, 1);
  } else if (value >= -32768 && value <= 32767) {
    Put(ValueType::kInt16);
    PutLittleEndian(raw, 2);
  } else {
    Put(ValueType::kInt32);
    PutLittleEndian(raw, 4);
  }
}

void ComponentWriter::WriteString(const std::string& text) {
  if (text.size() <= 255) {
    Put(ValueType::kString);
    PutLittleEndian(static_cast<std::uint32_t>(text.size()), 1);
  } else {
    Put(ValueType::kLString);
    PutLittleEndian(static_cast<std::uint32_t>(text.size()), 4);
  }
  m_bytes.insert(m_bytes.end(), text.begin(), text.end());
}

void ComponentWriter::WriteBoolean(bool value) { Put(value ? ValueType::kTrue : ValueType::kFalse); }

void ComponentWriter::WriteFloat(long double value) {
  Put(ValueType::kExtended);
  const std::vector<std::uint8_t> bytes = EncodeExtended(value);
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void ComponentWriter::WriteListBegin() { Put(ValueType::kList); }

void ComponentWriter::WriteListEnd() { Put(ValueType::kNull); }

// ---------------------------------------------------------------------------------------------
// ComponentReader

std::uint8_t ComponentReader::TakeByte() {
  if (m_pos >= m_size) throw StreamReadError(kReadError);
  return m_data[m_pos++];
}

std::uint32_t ComponentReader::TakeLittleEndian(int width) {
  if (m_size - m_pos < static_cast<std::size_t>(width) || m_pos > m_size) throw StreamReadError(kReadError);
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | m_data[m_pos + static_cast<std::size_t>(i)];
  m_pos += static_cast<std::size_t>(width);
  return value;
}

ValueType ComponentReader::NextValue() const {
  if (m_pos >= m_size) throw StreamReadError(kReadError);
  return static_cast<ValueType>(m_data[m_pos]);
}

void ComponentReader::Expect(ValueType type) {
  if (NextValue() != type) throw StreamReadError(kInvalidValue);
  ++m_pos;
}

std::int32_t ComponentReader::ReadInteger() {
  switch (NextValue()) {
    case ValueType::kInt8:
      ++m_pos;
      return static_cast<std::int8_t>(TakeLittleEndian(1));
    case ValueType::kInt16:
      ++m_pos;
      return static_cast<std::int16_t>(TakeLittleEndian(2));
    case ValueType::kInt32:
      ++m_pos;
      return static_cast<std::int32_t>(TakeLittleEndian(4));
    default:
      throw StreamReadError(kInvalidValue);
  }
}

std::string ComponentReader::ReadString() {
  std::uint32_t length = 0;
  switch (NextValue()) {
    case ValueType::kString:
      ++m_pos;
      length = TakeLittleEndian(1);
      break;
    case ValueType::kLString:
      ++m_pos;
      length = TakeLittleEndian(4);
      break;
    default:
      throw StreamReadError(kInvalidValue);
  }
  if (m_size - m_pos < length) throw StreamReadError(kReadError);
  std::string text(reinterpret_cast<const char*>(m_data + m_pos), length);
  m_pos += length;
  return text;
}

bool ComponentReader::ReadBoolean() {
  const ValueType type = NextValue();
  if (type != ValueType::kTrue && type != ValueType::kFalse) throw StreamReadError(kInvalidValue);
  ++m_pos;
  return type == ValueType::kTrue;
}

long double ComponentReader::ReadFloat() {
  const ValueType type = NextValue();
  if (type != ValueType::kExtended) return static_cast<long double>(ReadInteger());
  ++m_pos;
  if (m_size - m_pos < 10) throw StreamReadError(kReadError);
  const long double value = DecodeExtended(m_data + m_pos);
  m_pos += 10;
  return value;
}

void ComponentReader::ReadListBegin() { Expect(ValueType::kList); }

void ComponentReader::ReadListEnd() { Expect(ValueType::kNull); }

bool ComponentReader::EndOfList() const { return NextValue() == ValueType::kNull; }

}  // namespace korvex
