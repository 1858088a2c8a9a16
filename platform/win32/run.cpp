#include "platform/run.h"

#include "platform/win32/win32_forms.h"

namespace platform {

int runForm(const FormDesign& design, const FormFactory& makeForm) {
  win32::Win32Forms forms(design);
  return forms.run(makeForm(forms, forms.system()));
}

}  // namespace platform
