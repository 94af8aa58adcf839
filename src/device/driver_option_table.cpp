#include "device/driver_option_table.h"

#include <stdexcept>

namespace kassivo {

const DriverOptionRow& RowOf(bool DriverOptions::*member) {
  for (const DriverOptionRow& row : kDriverOptionRows) {
    if (row.flag == member) return row;
  }
  throw std::logic_error("a driver option without a row");
}

const DriverOptionRow& RowOf(std::u16string DriverOptions::*member) {
  for (const DriverOptionRow& row : kDriverOptionRows) {
    if (row.text == member) return row;
  }
  throw std::logic_error("a driver option without a row");
}

}  // namespace kassivo
