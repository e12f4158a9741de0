#include "gl/Timer.h"

#include "platform/Clock.h"

THiRes_SimpleTimer::THiRes_SimpleTimer() : THiRes_SimpleTimer(HiResCount, HiResFrequency()) {}

THiRes_SimpleTimer::THiRes_SimpleTimer(Counter counter, int64_t frequency)
    : counter_(std::move(counter)), frequency_(frequency > 0 ? frequency : 1) {
  lastCount_ = counter_();
}

// Derived classes call this from their constructors: a virtual call from the base
// constructor would not reach their ResetHook.
void THiRes_SimpleTimer::Init() { ResetHook(); }

void THiRes_SimpleTimer::Tick() {
  int64_t now = counter_();
  if (now < lastCount_) lastCount_ = now;
  delta_ = static_cast<long double>(now - lastCount_) / frequency_;
  lastCount_ = now;
  if (clamp && delta_ > 1.0L) delta_ = 1.0L;
}

void THiRes_SimpleTimer::Reset() {
  ResetHook();
  lastCount_ = counter_();
  delta_ = 0;
}

THiRes_Timer::THiRes_Timer() { Init(); }

THiRes_Timer::THiRes_Timer(Counter counter, int64_t frequency) : THiRes_SimpleTimer(std::move(counter), frequency) {
  Init();
}

void THiRes_Timer::Tick() {
  THiRes_SimpleTimer::Tick();
  ++frames_;
  accumulator_ += Delta();
  while (accumulator_ >= 0.1L) {
    accumulator_ -= 0.1L;
    for (int k = 9; k >= 1; --k) history_[k] = history_[k - 1];
    history_[0] = frames_;
    frames_ = 0;
  }
}

void THiRes_Timer::ResetHook() {
  frames_ = 0;
  accumulator_ = 0;
  history_.fill(0);
}

int32_t THiRes_Timer::FramesPerSecond() const {
  int32_t sum = 0;
  for (int32_t h : history_) sum += h;
  return sum;
}

THiRes_Timer& FrameTimer() {
  static THiRes_Timer timer;
  return timer;
}
