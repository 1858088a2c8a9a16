#include <memory>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/run.h"

int main() {
  std::unique_ptr<app::Form1> form;
  return platform::runForm(
      app::form1Design(),
      [&form](platform::Forms& ui, platform::SystemServices& system) -> platform::FormEvents& {
        form = std::make_unique<app::Form1>(ui, system);
        return *form;
      });
}
