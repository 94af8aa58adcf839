// What a call takes from outside its arguments, recorded for the call
// journal: decorators over the platform's clock, random generator, message
// window and registration store that pass every request through unchanged
// and keep what was answered, shown, read or written.
//
// CallRecording puts them in front of a Platform's services (Install) and
// takes them out again (Uninstall). Install is idempotent and re-wraps a
// service that something replaced since (a script's fixed clock), so the
// recording never points at a service the platform no longer holds. All of
// it runs under the call lock.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kassivo {

// A service in front of the platform's own one, which it passes every
// request to and gives back by Release.
template <typename Service>
class Recorder : public Service {
 public:
  explicit Recorder(std::unique_ptr<Service> inner) : inner_(std::move(inner)) {}
  Service& inner() { return *inner_; }
  std::unique_ptr<Service> Release() { return std::move(inner_); }

 protected:
  std::unique_ptr<Service> inner_;
};

class RecordingClock : public Recorder<Clock> {
 public:
  using Recorder::Recorder;
  LocalDateTime Now() override;
  std::vector<LocalDateTime> readings;
};

class RecordingRandom : public Recorder<Random> {
 public:
  using Recorder::Recorder;
  int Next() override;
  std::vector<int> numbers;
};

class RecordingMessages : public Recorder<MessagePresenter> {
 public:
  using Recorder::Recorder;
  void Show(std::u16string_view text) override;
  std::vector<std::u16string> shown;
};

// Keeps the values the call last read from the store, and what the store
// holds as far as the process's own committed writes tell.
class RecordingStore : public Recorder<RegistrationStore> {
 public:
  using Recorder::Recorder;
  std::optional<StoredValues> Read() override;
  std::unique_ptr<StoreWriter> OpenForWrite() override;

  // Whether the call read the store, and what it found.
  bool read = false;
  std::optional<StoredValues> found;
  // The values a replay's store holds: set when the journal writes them,
  // updated by every committed write of this process.
  std::optional<StoredValues> replayed;
};

class CallRecording {
 public:
  void Install(Platform& platform);
  void Uninstall(Platform& platform);
  // Forgets what was recorded (at the start of a call).
  void Clear();

  // Null until installed.
  RecordingClock* clock = nullptr;
  RecordingRandom* random = nullptr;
  RecordingMessages* messages = nullptr;
  RecordingStore* store = nullptr;
};

}  // namespace kassivo
