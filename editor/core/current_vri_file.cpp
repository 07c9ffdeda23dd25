// The VRI file of the project open in the host, asked afresh at each use; apart from the
// rest of the VRI mapping so that the batch program links nothing of the host.
#include "editor/core/vri_settings.h"

namespace editor {

std::string CurrentVriFileName(TIHostServices& services, base::LeadByteTest lead) {
  return base::VriFileName(services.GetProjectFileName(), lead);
}

}  // namespace editor
