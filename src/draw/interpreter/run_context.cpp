#include "draw/interpreter/run_context.h"

namespace draw {

RunSettings RunSettingsOf(const data::Settings& settings) {
  return {&data::TraitsOf(settings.controllerType), settings.workAreaX, settings.workAreaY,
          settings.radiusTolerance};
}

}  // namespace draw
