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
}

void CallRecording::Uninstall(Platform& platform) {
  Unwrap(platform.clock, clock);
  Unwrap(platform.random, random);
  Unwrap(platform.messages, messages);
}

void CallRecording::Clear() {
  if (clock) clock->readings.clear();
  if (random) random->numbers.clear();
  if (messages) messages->shown.clear();
}

}  // namespace kassivo
