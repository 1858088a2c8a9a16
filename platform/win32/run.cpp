#include "platform/run.h"

#include "platform/win32/dll_search.h"
#include "platform/win32/win32_forms.h"

namespace platform {

int runForm(const FormDesign& design, const FormFactory& makeForm) {
  win32::restrictDllSearch();
  win32::Win32Forms forms(design);
  const std::unique_ptr<FormEvents> events = makeForm(forms, forms.system());
  return forms.run(*events);
}

}  // namespace platform
