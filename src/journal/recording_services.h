// What a call takes from outside its arguments, recorded for the call
// journal: decorators over the platform's clock, random generator and
// message window that pass every request through unchanged and keep what
// was answered or shown.
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

class RecordingClock : public Clock {
 public:
  explicit RecordingClock(std::unique_ptr<Clock> inner) : inner_(std::move(inner)) {}
  LocalDateTime Now() override;
  Clock& inner() { return *inner_; }
  std::unique_ptr<Clock> Release() { return std::move(inner_); }
  std::vector<LocalDateTime> readings;

 private:
  std::unique_ptr<Clock> inner_;
};

class RecordingRandom : public Random {
 public:
  explicit RecordingRandom(std::unique_ptr<Random> inner) : inner_(std::move(inner)) {}
  int Next() override;
  std::unique_ptr<Random> Release() { return std::move(inner_); }
  std::vector<int> numbers;

 private:
  std::unique_ptr<Random> inner_;
};

class RecordingMessages : public MessagePresenter {
 public:
  explicit RecordingMessages(std::unique_ptr<MessagePresenter> inner) : inner_(std::move(inner)) {}
  void Show(std::u16string_view text) override;
  std::unique_ptr<MessagePresenter> Release() { return std::move(inner_); }
  std::vector<std::u16string> shown;

 private:
  std::unique_ptr<MessagePresenter> inner_;
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
};

}  // namespace kassivo
