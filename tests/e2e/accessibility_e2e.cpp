// What a screen reader hears, read from outside through Active Accessibility as it reads it.
#include <oleacc.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "app/form1_design.h"
#include "checks.h"
#include "scenarios.h"
#include "text.h"
#include "waiting.h"
#include "window_state.h"

namespace e2e {

namespace {

using platform::Kind;

class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }

 private:
  bool ok_;
};

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
struct BstrFree {
  void operator()(BSTR text) const { SysFreeString(text); }
};

struct Announced {
  std::optional<std::wstring> name;  // none when oleacc finds no name at all
  std::wstring role;
};

// The window's client object, as a screen reader asks for it.
std::optional<Announced> announced(HWND window) {
  IAccessible* raw = nullptr;
  // __uuidof, not IID_IAccessible: the import library would resolve that to a stub of oleacc's
  // export instead of the identifier's bytes.
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&raw)))) {
    return std::nullopt;
  }
  const std::unique_ptr<IAccessible, ComRelease> object(raw);
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  Announced out;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name != nullptr) {
    const std::unique_ptr<OLECHAR, BstrFree> owned(name);
    out.name = std::wstring(name, SysStringLen(name));
  }
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) {
    wchar_t text[64] = L"";
    GetRoleTextW(static_cast<DWORD>(role.lVal), text, 64);
    out.role = text;
  }
  VariantClear(&role);
  return out;
}

std::wstring nameOf(HWND window) {
  const auto got = announced(window);
  return got && got->name ? *got->name : L"<none>";
}

std::wstring withoutAccessKey(std::wstring_view caption) {
  std::wstring out(caption);
  if (const auto amp = out.find(L'&'); amp != std::wstring::npos) out.erase(amp, 1);
  return out;
}

// Every control's name and role, for the record.
void printAnnounced(const TolvaneApp& app) {
  const auto line = [&](Ctl c) {
    const HWND window = app.control(c);
    if (window == nullptr) return;  // timers, menus and the dialog have no window of their own
    const auto got = announced(window);
    const std::string name = got && got->name ? "\"" + utf8(*got->name) + "\"" : "none";
    const std::string role = got ? utf8(got->role) : "unreadable";
    std::printf("  %s: name %s, role %s\n", utf8(platform::controlName(c)).c_str(), name.c_str(),
                role.c_str());
  };
  line(Ctl::Form1);
  for (const auto& d : app::form1Design().controls) line(d.name);
  std::fflush(stdout);
}

// The fields answer with their designed names, all different, and the buttons with their captions.
void checkNames(const TolvaneApp& app, const std::string& when) {
  std::string wrong;
  std::string buttons;
  std::set<std::wstring> distinct;
  int fields = 0;
  for (const auto& d : app::form1Design().controls) {
    const std::wstring name = nameOf(app.control(d.name));
    const std::string got = " " + utf8(platform::controlName(d.name)) + "=\"" + utf8(name) + "\"";
    if (d.kind == Kind::TextBox) {
      ++fields;
      distinct.insert(name);
      if (name != d.accessibleName) wrong += got;
    } else if ((d.kind == Kind::Button || d.kind == Kind::OptionButton) &&
               name != withoutAccessKey(d.caption)) {
      buttons += got;
    }
  }
  check(when + ": each field is announced by its name", wrong.empty(), wrong);
  check(when + ": no two fields share a name",
        fields > 1 && static_cast<int>(distinct.size()) == fields);
  check(when + ": buttons and options are announced by their captions", buttons.empty(), buttons);
}

}  // namespace

void accessibilityScenario(const std::wstring& exe) {
  const ComApartment com;
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  printAnnounced(*app);
  checkNames(*app, "at start");
  const bool turned =
      app->clickTab(1) && waitUntil([&] { return isVisible(app->control(Ctl::Fr3)); }, 3'000);
  if (check("the tone page opens", turned)) {
    checkNames(*app, "on the tone page");
  }
  if (check("the window is moved to 144 DPI", app->changeDpi(144, 96))) {
    checkNames(*app, "at 144 DPI");
  }
  const auto code = app->closeAndConfirm();
  if (!code) app->process().kill();
}

}  // namespace e2e
