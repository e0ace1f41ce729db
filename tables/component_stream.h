// The standard component streaming format: a sequence of typed value items, each a one-byte
// value type followed by its payload, all multi-byte numbers little-endian.
//
//   item            type byte   payload
//   end of list     0           -
//   list            1           items ... end of list
//   integer         2 / 3 / 4   1 / 2 / 4 bytes, signed, the smallest width that holds the value
//   extended float  5           10 bytes: 64-bit mantissa with explicit integer bit, then
//                               15-bit exponent (bias 16383) and the sign in the top bit
//   string          6           1-byte length, bytes (strings of up to 255 bytes)
//   false / true    8 / 9       -
//   long string     12          4-byte length, bytes (longer strings)
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvex {

enum class ValueType : std::uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kExtended = 5,
  kString = 6,
  kFalse = 8,
  kTrue = 9,
  kLString = 12,
};

// A stream that ends early or holds an item of another type than the one asked for.
class StreamReadError : public std::runtime_error {
 public:
  explicit StreamReadError(const std::string& message) : std::runtime_error(message) {}
};

// The 10 bytes of the 80-bit extended encoding of `value` (exact for every long double that
// the format can hold; values beyond its range become infinities).
std::vector<std::uint8_t> EncodeExtended(long double value);
// The value of 10 bytes of extended encoding.
long double DecodeExtended(const std::uint8_t* bytes);

// Appends value items to a byte buffer.
class ComponentWriter {
 public:
  void WriteInteger(std::int32_t value);
  void WriteString(const std::string& text);
  void WriteBoolean(bool value);
  void WriteFloat(long double value);
  void WriteListBegin();
  void WriteListEnd();

  const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

 private:
  void Put(ValueType type) { m_bytes.push_back(static_cast<std::uint8_t>(type)); }
  void PutLittleEndian(std::uint32_t value, int width);
  std::vector<std::uint8_t> m_bytes;
};

// Reads value items from a byte buffer it does not own. Every read raises StreamReadError
// "Stream read error" when the bytes end inside an item and "Invalid property value" when the
// next item is of another type; the position is then not defined.
class ComponentReader {
 public:
  ComponentReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  explicit ComponentReader(const std::vector<std::uint8_t>& bytes)
      : m_data(bytes.data()), m_size(bytes.size()) {}
  // The reader does not own its bytes, so it must not be given a temporary buffer.
  explicit ComponentReader(std::vector<std::uint8_t>&&) = delete;

  // The type of the next item, without consuming it.
  ValueType NextValue() const;
  // Any integer item.
  std::int32_t ReadInteger();
  // A string or long string item.
  std::string ReadString();
  bool ReadBoolean();
  // An extended float item, or an integer item taken as a float.
  long double ReadFloat();
  void ReadListBegin();
  void ReadListEnd();
  // Whether the next item is the end-of-list marker.
  bool EndOfList() const;

  std::size_t Position() const { return m_pos; }
  bool AtEnd() const { return m_pos >= m_size; }

 private:
  std::uint8_t TakeByte();
  std::uint32_t TakeLittleEndian(int width);
  void Expect(ValueType type);

  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

}  // namespace korvex
