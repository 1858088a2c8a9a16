#include <memory>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/run.h"

int main() {
  return platform::runForm(app::form1Design(),
                           [](platform::Forms& ui, platform::SystemServices& system) {
                             return std::make_unique<app::Form1>(ui, system);
                           });
}
