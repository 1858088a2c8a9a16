#include "platform/headless/headless_forms.h"

#include <algorithm>

namespace platform::headless {

std::optional<StartFailure> HeadlessForms::create() {
  controlsCreated_ = true;
  state(Ctl::Form1).text = std::wstring(design_.form.caption);
  for (const auto& c : design_.controls) {
    if (failCreating == c.name) {
      return StartFailure{std::wstring(controlName(c.name)), kOutOfHandles};
    }
    State& s = state(c.name);
    s.text = std::wstring(c.caption);
    s.enabled = c.enabled;
    s.visible = c.visible;
  }
  if (const auto refused = behaviour_.startTimers()) {
    return StartFailure{std::wstring(controlName(*refused)), kOutOfHandles};
  }
  return std::nullopt;
}

// The system's timers count elapsed time, so they keep their distance from a
// clock that is set; a clock-aligned timer finds the boundary again on its next tick.
void HeadlessForms::setClock(const LocalTime& t) {
  const long long shift = secondCount(t) * kMsPerSecond + t.millisecond - localOffsetMs_ - nowMs_;
  nowMs_ += shift;
  for (auto& s : states_) s.nextTick += shift;
}

bool HeadlessForms::setSystemTimer(Ctl timer, int periodMs) {
  if (systemTimersFail) return false;
  State& s = state(timer);
  s.running = true;
  s.armedMs = periodMs;
  s.nextTick = nextFiring(periodMs);
  return true;
}

void HeadlessForms::advance(long long milliseconds) {
  const long long target = nowMs_ + milliseconds;
  for (;;) {
    Ctl due = Ctl::Form1;
    for (const auto& c : design_.controls) {
      const State& s = state(c.name);
      if (c.kind == Kind::Timer && s.running && s.nextTick <= target &&
          (due == Ctl::Form1 || s.nextTick < state(due).nextTick)) {
        due = c.name;
      }
    }
    if (due == Ctl::Form1) break;
    State& s = state(due);
    nowMs_ = std::max(nowMs_, s.nextTick);
    s.nextTick = nextFiring(s.armedMs);
    behaviour_.systemTimerTicked(due, *events_);
  }
  nowMs_ = std::max(nowMs_, target);
}

LocalTime HeadlessForms::readClock() const {
  LocalTime t = localTimeAt(nowMs_ + localOffsetMs_);
  t.utcMs = nowMs_;
  return t;
}

// A key left to the focused control types a character, which the handler sees
// first, as an edit control takes it; it goes to that control even when the
// handler moves the focus.
void HeadlessForms::pressKey(const KeyStroke& stroke) {
  if (behaviour_.pressKey(stroke)) return;
  const bool typing =
      stroke.key == Key::Enter || (stroke.key == Key::Character && (stroke.modifiers & kAlt) == 0);
  if (!typing || unloaded() || design_[focus_].kind != Kind::TextBox) return;
  const Ctl target = focus_;
  std::uint16_t code = stroke.key == Key::Enter ? u'\r' : static_cast<char16_t>(stroke.character);
  events_->keyPress(target, code);
  State& s = state(target);
  const ControlDesign& d = design_[target];
  if (code == 0 || s.locked) return;
  if (code == u'\b') {
    if (!s.text.empty()) s.text.pop_back();
  } else if (code == u'\r' && d.multiLine) {
    s.text += L"\r\n";
  } else if (code >= u' ' && (d.maxLength == 0 || std::ssize(s.text) < d.maxLength)) {
    s.text += static_cast<wchar_t>(code);
  }
}

void HeadlessForms::click(Ctl control) {
  const bool menuItem = design_[control].kind == Kind::MenuItem;
  if (menuItem ? !state(control).enabled : !behaviour_.canFocus(control)) return;
  if (!menuItem) focus_ = control;
  // As the system's option buttons do, a click selects the one in its group.
  for (const auto& c : design_.controls) {
    if (sameOptionGroup(design_, c.name, control)) state(c.name).selected = c.name == control;
  }
  events_->click(control);
}

void HeadlessForms::selectTab(Ctl tabStrip, int index) {
  selectedTab_ = index;
  events_->click(tabStrip);
}

void HeadlessForms::setWindowState(WindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  events_->resize();
}

bool HeadlessForms::requestClose(UnloadMode mode) {
  if (close_.request(*events_, mode)) {
    behaviour_.stop();
    ++unloadCount;
    windowVisible_ = false;
  }
  return unloaded();
}

void HeadlessForms::showOpen(Ctl /*dialog*/, std::wstring_view filter) {
  openFilters.emplace_back(filter);
  if (const auto chosen = answerOpen ? answerOpen() : std::nullopt) fileName_ = *chosen;
}

void HeadlessForms::popupMenu(Ctl menu) {
  popups.push_back(menu);
  if (const auto item = answerPopup ? answerPopup(menu) : std::nullopt) click(*item);
}

int HeadlessForms::msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) {
  boxes.push_back({std::wstring(text), style, std::wstring(title)});
  if (answerBox) return answerBox(boxes.back());
  return (style & kMbYesNo) != 0 ? kIdNo : kIdOk;
}

bool HeadlessForms::playFirst(std::span<const Sound> tried) {
  return std::ranges::any_of(tried, [this](const Sound& sound) {
    sounds.push_back(sound);
    return std::ranges::find(unplayableWaveFiles, sound.name) == unplayableWaveFiles.end();
  });
}

bool HeadlessForms::soundFilePlays(std::wstring_view path) const {
  return std::ranges::find(readableWaveFiles, path) != readableWaveFiles.end();
}

// As the shell answers: a change or removal succeeds only for an icon it holds.
bool HeadlessForms::shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) {
  notifications.push_back({message, record});
  const bool held = iconShown_;
  if (message == kNimAdd) iconShown_ = shellPresent;
  if (message == kNimDelete) iconShown_ = false;
  return message == kNimAdd ? shellPresent : held;
}

// Latin-1 stands in for the ANSI code page; anything outside it becomes '?'.
std::string HeadlessForms::toAnsi(std::wstring_view text) const {
  std::string out;
  for (wchar_t ch : text) out += ch < 0x100 ? static_cast<char>(ch) : '?';
  return out;
}

}  // namespace platform::headless
