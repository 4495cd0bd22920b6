#include "support/fake_time.h"

#include <algorithm>
#include <limits>

namespace tolvane::test {
namespace {

constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

// Days since 1 January 1970 of a proleptic Gregorian date; the day may run
// past the month's end, which carries into the following months.
std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year += (month - 1 >= 0 ? (month - 1) / 12 : -((12 - month) / 12));
  month = ((month - 1) % 12 + 12) % 12 + 1;
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

LocalTime civilFromSeconds(std::int64_t seconds) {
  std::int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  const std::int64_t secondOfDay = seconds - days * 86400;
  LocalTime local;
  local.hour = static_cast<int>(secondOfDay / 3600);
  local.minute = static_cast<int>(secondOfDay / 60 % 60);
  local.second = static_cast<int>(secondOfDay % 60);
  local.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
  local.day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
  local.month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
  local.year = static_cast<int>(yearOfEra + era * 400 + (local.month <= 2));
  return local;
}

}  // namespace

FakeTime::FakeTime(const LocalTime& start) : startSeconds_(fromLocal(start)) {}

std::int64_t FakeTime::now() const {
  std::scoped_lock lock(mutex_);
  return startSeconds_ + static_cast<std::int64_t>(nowMs_ / 1000);
}

LocalTime FakeTime::toLocal(std::int64_t calendarTime) const { return civilFromSeconds(calendarTime); }

std::int64_t FakeTime::fromLocal(const LocalTime& local) const {
  return daysFromCivil(local.year, local.month, local.day) * 86400 + std::int64_t{local.hour} * 3600 +
         std::int64_t{local.minute} * 60 + local.second;
}

LocalTime FakeTime::localNow() const {
  std::uint64_t ms;
  std::int64_t start;
  {
    std::scoped_lock lock(mutex_);
    ms = nowMs_;
    start = startSeconds_;
  }
  LocalTime local = toLocal(start + static_cast<std::int64_t>(ms / 1000));
  local.millisecond = static_cast<int>(ms % 1000);
  return local;
}

std::uint64_t FakeTime::tickMs() const { return elapsedMs(); }

std::uint64_t FakeTime::elapsedMs() const {
  std::scoped_lock lock(mutex_);
  return nowMs_;
}

std::shared_ptr<Event> FakeTime::createEvent(std::u16string_view name, bool manualReset, bool initiallySet) {
  std::scoped_lock lock(mutex_);
  if (!name.empty()) {
    if (auto existing = namedEvents_[std::u16string(name)].lock()) return existing;
  }
  auto event = std::make_shared<FakeEvent>(*this, manualReset, initiallySet);
  if (!name.empty()) namedEvents_[std::u16string(name)] = event;
  return event;
}

bool FakeTime::eventExists(std::u16string_view name) const {
  std::scoped_lock lock(mutex_);
  const auto found = namedEvents_.find(std::u16string(name));
  return found != namedEvents_.end() && !found->second.expired();
}

std::uint64_t FakeTime::deadlineOf(std::uint32_t timeoutMs) const {
  return timeoutMs == kWaitForever ? kNever : nowMs_ + timeoutMs;
}

WaitResult FakeTime::wait(Event& event, std::uint32_t timeoutMs) {
  auto& fake = static_cast<FakeEvent&>(event);
  std::unique_lock lock(mutex_);
  const WaitResult result = waitUntil(lock, deadlineOf(timeoutMs), [&] { return fake.signaled_; });
  if (result == WaitResult::Signaled && !fake.manualReset_) fake.signaled_ = false;
  return result;
}

WaitAnyResult FakeTime::waitAny(std::span<Event* const> events, std::uint32_t timeoutMs) {
  std::unique_lock lock(mutex_);
  if (events.empty()) return {-2, 87};  // ERROR_INVALID_PARAMETER
  if (waitAnyError_) return {-2, *waitAnyError_};
  const auto firstSet = [&]() -> FakeEvent* {
    for (Event* event : events) {
      auto* fake = static_cast<FakeEvent*>(event);
      if (fake->signaled_) return fake;
    }
    return nullptr;
  };
  if (waitUntil(lock, deadlineOf(timeoutMs), [&] { return firstSet() != nullptr; }) != WaitResult::Signaled) return {-1};
  FakeEvent* signaled = firstSet();
  if (!signaled->manualReset_) signaled->signaled_ = false;
  return {static_cast<int>(std::find(events.begin(), events.end(), signaled) - events.begin())};
}

void FakeTime::failWaitAny(std::uint32_t code) {
  std::scoped_lock lock(mutex_);
  waitAnyError_ = code;
}

void FakeTime::sleep(std::uint32_t ms) {
  std::unique_lock lock(mutex_);
  waitUntil(lock, deadlineOf(ms), [] { return false; });
}

void FakeTime::shiftWallClock(std::int64_t seconds) {
  std::scoped_lock lock(mutex_);
  startSeconds_ += seconds;
}

void FakeTime::setAutoAdvance(bool on) {
  std::scoped_lock lock(mutex_);
  autoAdvance_ = on;
}

void FakeTime::at(std::uint64_t msFromStart, std::function<void()> action) {
  std::scoped_lock lock(mutex_);
  actions_.emplace(msFromStart, std::move(action));
}

WaitResult FakeTime::waitUntil(std::unique_lock<std::mutex>& lock, std::uint64_t deadline,
                               const std::function<bool()>& ready) {
  Waiter waiter{deadline, ready};
  for (;;) {
    if (ready()) return WaitResult::Signaled;
    if (nowMs_ >= deadline) return WaitResult::TimedOut;
    const std::uint64_t nextAction = actions_.empty() ? kNever : actions_.begin()->first;
    if (autoAdvance_ && std::min(deadline, nextAction) != kNever) {
      moveToLocked(lock, std::min(deadline, nextAction));
      continue;
    }
    waiter.released = false;
    waiters_.push_back(&waiter);
    changed_.notify_all();
    changed_.wait(lock, [&] { return waiter.released; });
    waiters_.erase(std::find(waiters_.begin(), waiters_.end(), &waiter));
  }
}

void FakeTime::moveToLocked(std::unique_lock<std::mutex>& lock, std::uint64_t target) {
  while (!actions_.empty() && actions_.begin()->first <= target) {
    const auto first = actions_.begin();
    nowMs_ = std::max(nowMs_, first->first);
    auto action = std::move(first->second);
    actions_.erase(first);
    releaseReadyLocked();
    lock.unlock();
    action();
    lock.lock();
  }
  nowMs_ = std::max(nowMs_, target);
  releaseReadyLocked();
}

void FakeTime::releaseReadyLocked() {
  for (Waiter* waiter : waiters_) {
    if (!waiter->released && (nowMs_ >= waiter->deadline || waiter->ready())) waiter->released = true;
  }
  changed_.notify_all();
}

bool FakeTime::allBlockedLocked() const {
  const auto blocked = std::count_if(waiters_.begin(), waiters_.end(), [](const Waiter* w) { return !w->released; });
  return blocked >= participants_;
}

void FakeTime::advance(std::uint64_t ms) {
  std::unique_lock lock(mutex_);
  const std::uint64_t target = nowMs_ + ms;
  for (;;) {
    changed_.wait(lock, [&] { return allBlockedLocked(); });
    if (nowMs_ >= target) return;
    std::uint64_t next = target;
    for (const Waiter* waiter : waiters_) {
      if (!waiter->released) next = std::min(next, waiter->deadline);
    }
    if (!actions_.empty()) next = std::min(next, actions_.begin()->first);
    moveToLocked(lock, std::max(next, nowMs_));
  }
}

void FakeTime::settle() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return allBlockedLocked(); });
}

FakeTime::Participation::Participation(FakeTime& time) : time_(time) {
  std::scoped_lock lock(time_.mutex_);
  ++time_.participants_;
}

FakeTime::Participation::~Participation() {
  std::scoped_lock lock(time_.mutex_);
  --time_.participants_;
  time_.changed_.notify_all();
}

bool FakeEvent::set() {
  std::scoped_lock lock(time_.mutex_);
  signaled_ = true;
  time_.releaseReadyLocked();
  return true;
}

bool FakeEvent::reset() {
  std::scoped_lock lock(time_.mutex_);
  signaled_ = false;
  return true;
}

}  // namespace tolvane::test
