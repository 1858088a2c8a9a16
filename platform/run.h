#pragma once

#include <functional>
#include <memory>

#include "platform/design.h"
#include "platform/forms.h"
#include "platform/system_services.h"

namespace platform {

using FormFactory = std::function<std::unique_ptr<FormEvents>(Forms&, SystemServices&)>;

// Builds the window from its design, runs it until it unloads, and returns
// the process exit code. `makeForm` creates the handlers once the platform
// exists; they end before it does.
int runForm(const FormDesign& design, const FormFactory& makeForm);

}  // namespace platform
