#include "platform/memory_store.h"

namespace kassivo {

class MemoryStoreWriter : public StoreWriter {
 public:
  explicit MemoryStoreWriter(MemoryStore& store) : store_(store) {}
  bool Write(const std::u16string& name, const StoredValue& value) override {
    if (store_.fail_after_writes_ >= 0 && store_.writes_ >= store_.fail_after_writes_) {
      return false;
    }
    ++store_.writes_;
    (*store_.values_)[name] = value;
    return true;
  }
  bool Commit() override { return true; }

 private:
  MemoryStore& store_;
};

std::optional<StoredValues> MemoryStore::Read() {
  return values_;
}

std::unique_ptr<StoreWriter> MemoryStore::OpenForWrite() {
  if (cannot_create_) return nullptr;
  if (!values_) values_.emplace();
  return std::make_unique<MemoryStoreWriter>(*this);
}

const StoredValues& MemoryStore::values() const {
  static const StoredValues kEmpty;
  return values_ ? *values_ : kEmpty;
}

void MemoryStore::Put(const std::u16string& name, StoredValue value) {
  if (!values_) values_.emplace();
  (*values_)[name] = std::move(value);
}

}  // namespace kassivo
