#include "journal/recording_services.h"

namespace kassivo {

LocalDateTime RecordingClock::Now() {
  const LocalDateTime now = inner_->Now();
  readings.push_back(now);
  return now;
}

int RecordingRandom::Next() {
  const int number = inner_->Next();
  numbers.push_back(number);
  return number;
}

void RecordingMessages::Show(std::u16string_view text) {
  shown.emplace_back(text);
  inner_->Show(text);
}

std::optional<StoredValues> RecordingStore::Read() {
  std::optional<StoredValues> values = inner_->Read();
  read = true;
  found = values;
  return values;
}

namespace {

// Passes writes through and, once they are committed, applies them to what
// the journal knows the store holds.
class RecordingWriter : public StoreWriter {
 public:
  RecordingWriter(std::unique_ptr<StoreWriter> inner, RecordingStore& store)
      : inner_(std::move(inner)), store_(store) {}
  bool Write(const std::u16string& name, const StoredValue& value) override {
    if (!inner_->Write(name, value)) return false;
    written_[name] = value;
    return true;
  }
  bool Commit() override {
    if (!inner_->Commit()) return false;
    if (!store_.replayed) store_.replayed.emplace();
    for (const auto& [name, value] : written_) (*store_.replayed)[name] = value;
    written_.clear();
    return true;
  }

 private:
  std::unique_ptr<StoreWriter> inner_;
  RecordingStore& store_;
  StoredValues written_;
};

}  // namespace

std::unique_ptr<StoreWriter> RecordingStore::OpenForWrite() {
  std::unique_ptr<StoreWriter> writer = inner_->OpenForWrite();
  if (!writer) return nullptr;
  return std::make_unique<RecordingWriter>(std::move(writer), *this);
}

namespace {

// Puts a recorder of type R in front of `service` unless `recorder` already
// is the one there; a null service stays null.
template <typename R, typename S>
void Wrap(std::unique_ptr<S>& service, R*& recorder) {
  if (!service) {
    recorder = nullptr;
    return;
  }
  if (service.get() == recorder) return;
  auto wrapped = std::make_unique<R>(std::move(service));
  recorder = wrapped.get();
  service = std::move(wrapped);
}

template <typename R, typename S>
void Unwrap(std::unique_ptr<S>& service, R*& recorder) {
  if (recorder && service.get() == recorder) service = recorder->Release();
  recorder = nullptr;
}

}  // namespace

void CallRecording::Install(Platform& platform) {
  Wrap(platform.clock, clock);
  Wrap(platform.random, random);
  Wrap(platform.messages, messages);
  Wrap(platform.store, store);
}

void CallRecording::Uninstall(Platform& platform) {
  Unwrap(platform.clock, clock);
  Unwrap(platform.random, random);
  Unwrap(platform.messages, messages);
  Unwrap(platform.store, store);
}

void CallRecording::Clear() {
  if (clock) clock->readings.clear();
  if (random) random->numbers.clear();
  if (messages) messages->shown.clear();
  if (store) {
    store->read = false;
    store->found.reset();
  }
}

}  // namespace kassivo
