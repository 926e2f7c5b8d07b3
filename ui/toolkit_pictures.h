#pragma once

namespace quemira::ui {

// Picture boxes play animations on the toolkit's timers and resample for the
// screen's colour depth. Call once at start-up, before any picture is set.
void use_toolkit_for_pictures();

}  // namespace quemira::ui
