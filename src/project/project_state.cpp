#include "project/project_state.h"

namespace corvane {

ProjectState& GlobalProjectState() {
  static ProjectState state;
  return state;
}

}  // namespace corvane
