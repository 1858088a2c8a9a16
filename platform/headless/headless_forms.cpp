#include "platform/headless/headless_forms.h"

#include <algorithm>

#include "platform/start_failure.h"

namespace platform::headless {

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;

long long toMs(const LocalTime& t) { return secondCount(t) * kMsPerSecond + t.millisecond; }

}  // namespace

HeadlessForms::HeadlessForms(const FormDesign& design) : design_(design) {
  state(Ctl::Form1).text = std::wstring(design.form.caption);
}

int HeadlessForms::start(FormEvents& events) {
  events_ = &events;
  events.initialise();
  controlsCreated_ = true;
  for (const auto& c : design_.controls) {
    if (failCreating == c.name) {
      // What the system reports when it is out of window handles.
      constexpr std::uint32_t kOutOfResources = 1158;
      msgBox(startFailureText(design_.form.caption, controlName(c.name), kOutOfResources),
             kMbIconError, design_.form.caption);
      return kExitStartFailed;
    }
    State& s = state(c.name);
    s.text = std::wstring(c.caption);
    s.enabled = c.enabled;
    s.visible = c.visible;
    if (c.kind == Kind::Timer && c.enabled) behaviour_.enableTimer(c.name, true);
  }
  events.load();
  windowVisible_ = true;
  behaviour_.focusFirst();
  return 0;
}

// The system's timers count elapsed time, so they keep their distance from a
// clock that is set; a clock-aligned timer finds the boundary again on its next tick.
void HeadlessForms::setClock(const LocalTime& t) {
  const long long shift = toMs(t) - localOffsetMs_ - nowMs_;
  nowMs_ += shift;
  for (const auto& c : design_.controls) {
    if (c.kind == Kind::Timer) state(c.name).nextTick += shift;
  }
}

void HeadlessForms::moveLocalTime(long long milliseconds) { localOffsetMs_ += milliseconds; }

void HeadlessForms::clockChangeNotice() {
  if (!unloaded()) behaviour_.clockChanged(*events_);
}

// A periodic system timer, as the Win32 window's timers are.
bool HeadlessForms::setSystemTimer(Ctl timer, int periodMs) {
  if (systemTimersFail) return false;
  State& s = state(timer);
  s.running = true;
  s.armedMs = periodMs;
  s.nextTick = nextFiring(periodMs);
  return true;
}

// A system timer never fires before it was armed, however early it runs.
long long HeadlessForms::nextFiring(int periodMs) const {
  return nowMs_ + std::max(1, periodMs + systemTimerSkewMs);
}

void HeadlessForms::fireTimer(Ctl timer) {
  State& s = state(timer);
  s.nextTick = nextFiring(s.armedMs);
  behaviour_.systemTimerTicked(timer, *events_);
}

void HeadlessForms::advance(long long milliseconds) {
  const long long target = nowMs_ + milliseconds;
  for (;;) {
    const ControlDesign* due = nullptr;
    for (const auto& c : design_.controls) {
      if (c.kind != Kind::Timer || !state(c.name).running || unloaded()) continue;
      if (state(c.name).nextTick > target) continue;
      if (due == nullptr || state(c.name).nextTick < state(due->name).nextTick) due = &c;
    }
    if (due == nullptr) break;
    nowMs_ = std::max(nowMs_, state(due->name).nextTick);
    fireTimer(due->name);
  }
  nowMs_ = std::max(nowMs_, target);
}

// Ticks already due run at the new time, each once.
void HeadlessForms::stall(long long milliseconds) {
  nowMs_ += milliseconds;
  advance(0);
}

LocalTime HeadlessForms::now() const {
  LocalTime t = localTimeAt(nowMs_ + localOffsetMs_);
  t.utcMs = nowMs_;
  return t;
}

void HeadlessForms::pressKey(const KeyStroke& stroke) {
  if (behaviour_.pressKey(stroke)) return;
  // Left to the focused control: what the key types, as the system translates it.
  if (stroke.key == Key::Enter) typeCharacter(kEnter);
  if (stroke.key == Key::Character && (stroke.modifiers & kAlt) == 0) {
    typeCharacter(static_cast<char16_t>(stroke.character));
  }
}

void HeadlessForms::type(std::u16string_view keys) {
  for (char16_t ch : keys) pressKey({.key = Key::Character, .character = ch});
}

void HeadlessForms::typeCharacter(char16_t ch) {
  if (unloaded() || design_[focus_].kind != Kind::TextBox) return;
  // The character goes to the control that received the key, even when the
  // key handler moves the focus elsewhere.
  const Ctl target = focus_;
  std::uint16_t code = ch;
  events_->keyPress(target, code);
  if (code != 0) insertCharacter(target, static_cast<char16_t>(code));
}

void HeadlessForms::insertCharacter(Ctl textBox, char16_t ch) {
  State& s = state(textBox);
  const ControlDesign& d = design_[textBox];
  if (s.locked) return;
  if (ch == kBackspace) {
    if (!s.text.empty()) s.text.pop_back();
    return;
  }
  if (ch == kEnter && d.multiLine) {
    s.text += L"\r\n";
    return;
  }
  if (ch < u' ') return;
  if (d.maxLength > 0 && std::ssize(s.text) >= d.maxLength) return;
  s.text += static_cast<wchar_t>(ch);
}

bool HeadlessForms::shownWithContainers(Ctl c) const {
  for (Ctl at = c; at != Ctl::Form1; at = design_[at].container) {
    if (!state(at).visible) return false;
  }
  return windowVisible_;
}

bool HeadlessForms::canFocus(Ctl c) const {
  return isFocusableKind(design_[c].kind) && state(c).enabled && shownWithContainers(c);
}

void HeadlessForms::click(Ctl control) {
  const ControlDesign& d = design_[control];
  if (d.kind == Kind::MenuItem) {
    if (state(control).enabled) events_->click(control);
    return;
  }
  if (!state(control).enabled || !shownWithContainers(control)) return;
  focus_ = control;
  if (d.kind == Kind::OptionButton) select(control);
  events_->click(control);
}

void HeadlessForms::select(Ctl optionButton) {
  const Ctl group = design_[optionButton].container;
  for (const auto& c : design_.controls) {
    if (c.kind == Kind::OptionButton && c.container == group) state(c.name).selected = false;
  }
  state(optionButton).selected = true;
}

void HeadlessForms::selectTab(Ctl tabStrip, int index) {
  selectedTab_ = index;
  events_->click(tabStrip);
}

void HeadlessForms::minimise() {
  windowState_ = WindowState::Minimised;
  events_->resize();
}

void HeadlessForms::setWindowState(WindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  events_->resize();
}

void HeadlessForms::resizeByBorder() {
  if (windowState_ == WindowState::Normal) events_->resize();
}

bool HeadlessForms::requestClose(UnloadMode mode) {
  if (close_.request(*events_, mode)) {
    ++unloadCount;
    windowVisible_ = false;
  }
  return unloaded();
}

void HeadlessForms::unload() { requestClose(UnloadMode::Code); }

void HeadlessForms::iconCallback(int mouseMessage) {
  events_->mouseMove(0, 0, static_cast<float>(mouseMessage * twipsPerPixelX()), 0.0F);
}

void HeadlessForms::notificationAreaRestarted() {
  iconShown_ = false;
  events_->notificationAreaCreated();
}

std::wstring HeadlessForms::text(Ctl control) const { return state(control).text; }

// As with the edit control, a length limit applies to typing, not to code.
void HeadlessForms::setText(Ctl control, std::wstring_view value) { state(control).text = value; }

bool HeadlessForms::enabled(Ctl control) const {
  if (design_[control].kind == Kind::Timer) return behaviour_.timerEnabled(control);
  return state(control).enabled;
}

void HeadlessForms::setEnabled(Ctl control, bool on) {
  if (design_[control].kind == Kind::Timer) {
    behaviour_.enableTimer(control, on);
    return;
  }
  state(control).enabled = on;
}

bool HeadlessForms::visible(Ctl control) const {
  return control == Ctl::Form1 ? windowVisible_ : state(control).visible;
}

void HeadlessForms::setVisible(Ctl control, bool on) { state(control).visible = on; }

bool HeadlessForms::locked(Ctl textBox) const { return state(textBox).locked; }

void HeadlessForms::setLocked(Ctl textBox, bool on) { state(textBox).locked = on; }

bool HeadlessForms::selected(Ctl optionButton) const { return state(optionButton).selected; }

void HeadlessForms::setFocus(Ctl control) { focus_ = control; }

int HeadlessForms::selectedTab(Ctl /*tabStrip*/) const { return selectedTab_; }

void HeadlessForms::showOpen(Ctl /*dialog*/, std::wstring_view filter) {
  openFilters.emplace_back(filter);
  if (!answerOpen) return;
  if (auto chosen = answerOpen()) fileName_ = *chosen;
}

std::wstring HeadlessForms::fileName(Ctl /*dialog*/) const { return fileName_; }

void HeadlessForms::popupMenu(Ctl menu) {
  popups.push_back(menu);
  if (!answerPopup) return;
  if (auto item = answerPopup(menu)) click(*item);
}

int HeadlessForms::msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) {
  boxes.push_back({std::wstring(text), style, std::wstring(title)});
  if (answerBox) return answerBox(boxes.back());
  return (style & kMbYesNo) != 0 ? kIdNo : kIdOk;
}

void HeadlessForms::initCommonControls() {
  ++initCommonControlsCalls;
  controlsExistedAtInitCommonControls = controlsCreated_;
}

bool HeadlessForms::playSound(std::wstring_view name, std::uint32_t flags) {
  sounds.push_back({std::wstring(name), flags});
  return true;
}

bool HeadlessForms::playBuiltInTone() {
  SoundCall call;
  call.builtInTone = true;
  sounds.push_back(call);
  return true;
}

bool HeadlessForms::soundFilePlays(std::wstring_view path) const {
  return std::find(readableWaveFiles.begin(), readableWaveFiles.end(), path) !=
         readableWaveFiles.end();
}

// As the shell answers: a change or removal succeeds only for an icon it holds.
bool HeadlessForms::shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) {
  notifications.push_back({message, record});
  const bool held = iconShown_;
  if (message == kNimAdd) iconShown_ = shellPresent;
  if (message == kNimDelete) iconShown_ = false;
  return message == kNimAdd ? shellPresent : held;
}

bool HeadlessForms::setForegroundWindow(std::uint32_t hWnd) {
  foregroundCalls.push_back(hWnd);
  return true;
}

// Latin-1 stands in for the ANSI code page; anything outside it becomes '?'.
std::string HeadlessForms::toAnsi(std::wstring_view text) const {
  std::string out;
  out.reserve(text.size());
  for (wchar_t ch : text) out += ch < 0x100 ? static_cast<char>(ch) : '?';
  return out;
}

}  // namespace platform::headless
