// An in-memory registration store, for tests and for the CLI's --store=memory.
//
// Besides plain storage it can inject the faults a real store may show: a
// key that cannot be created (OpenForWrite gives null), a write that fails
// after a number of successful ones, and any stored value of any type (so a
// test can put a DWORD where a text is expected).
#pragma once

#include "platform/platform.h"

namespace kassivo {

class MemoryStore : public RegistrationStore {
 public:
  std::optional<StoredValues> Read() override;
  std::unique_ptr<StoreWriter> OpenForWrite() override;

  // The key exists once anything was written or Put.
  bool has_key() const { return values_.has_value(); }
  const StoredValues& values() const;
  void Put(const std::u16string& name, StoredValue value);
  void RemoveKey() { values_.reset(); }

  // Fault injection.
  void set_cannot_create(bool value) { cannot_create_ = value; }
  // Writes fail once this many have succeeded (negative: never).
  void set_fail_after_writes(int count) { fail_after_writes_ = count; }
  int writes() const { return writes_; }

 private:
  friend class MemoryStoreWriter;
  std::optional<StoredValues> values_;
  bool cannot_create_ = false;
  int fail_after_writes_ = -1;
  int writes_ = 0;
};

}  // namespace kassivo
