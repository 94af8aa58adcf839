// Random value kinds into random methods: the bytes spell a method number
// (-1..42) and an argument array of up to eight values of any kind, NaN,
// infinities and lone surrogates included.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_driver.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;
using kassivo::fuzz::FuzzDriver;

namespace {

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return done_ < size_ ? data_[done_++] : 0; }
  template <typename T>
  T Raw() {
    T value{};
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& byte : bytes) byte = Byte();
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }
  bool AtEnd() const { return done_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t done_ = 0;
};

Value ReadValue(Reader& in) {
  switch (in.Byte() % 5) {
    case 0:
      return Value();
    case 1: {
      // UTF-16 code units as they come: lone surrogates are welcome.
      std::u16string text(in.Byte(), u'\0');
      for (char16_t& unit : text) unit = in.Raw<char16_t>();
      return Value::Text(std::move(text));
    }
    case 2:
      return Value::Boolean(in.Byte() & 1);
    case 3:
      return Value::Integer(in.Raw<std::int32_t>());
    default:
      return Value::Real(in.Raw<double>());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  std::int32_t method = in.Byte() % (kassivo::kMethodCount + 2) - 1;
  // Open adds a device each time: over millions of runs the list would only
  // grow, so it is left to the other targets.
  if (method == Number(Method::kOpen)) method = Number(Method::kClose);
  std::vector<Value> values(in.Byte() % 9);
  for (Value& value : values) value = ReadValue(in);
  ArgumentArray args(std::move(values));
  FuzzDriver::Get().Call(method, args);
  return 0;
}
