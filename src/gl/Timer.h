#pragma once
#include <array>
#include <cstdint>
#include <functional>

// Measures the last frame's duration from a 64-bit counter. The counter is injectable
// so tests can drive it; by default it is the platform's high-resolution clock.
class THiRes_SimpleTimer {
 public:
  using Counter = std::function<int64_t()>;
  THiRes_SimpleTimer();
  THiRes_SimpleTimer(Counter counter, int64_t frequency);
  virtual ~THiRes_SimpleTimer() = default;

  virtual void Tick();
  void Reset();
  // The last frame's duration in seconds (0 after a reset, at most 1 while clamped).
  long double Delta() const { return delta_; }
  bool clamp = true;

 protected:
  virtual void ResetHook() {}
  void Init();

 private:
  Counter counter_;
  int64_t frequency_ = 1;
  int64_t lastCount_ = 0;
  long double delta_ = 0;
};

// Adds a frames-per-second reading over ten 0.1-second buckets.
class THiRes_Timer : public THiRes_SimpleTimer {
 public:
  THiRes_Timer();
  THiRes_Timer(Counter counter, int64_t frequency);

  void Tick() override;
  int32_t FramesPerSecond() const;
  const std::array<int32_t, 10>& History() const { return history_; }
  long double Accumulator() const { return accumulator_; }

 protected:
  void ResetHook() override;

 private:
  long double accumulator_ = 0;
  int32_t frames_ = 0;
  std::array<int32_t, 10> history_{};
};

// The program's one frame timer: ticked by the GL object's Clear, reset by its Init.
THiRes_Timer& FrameTimer();
