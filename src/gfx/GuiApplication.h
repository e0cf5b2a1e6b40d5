// Fonts and painting need a running Qt GUI application object. Programs
// without windows (the CLI, tests, the engine) get one on the offscreen
// platform the first time any drawing is done.
#pragma once

namespace vl::gfx {

// Creates the application object when none exists; a program that made its
// own (the desktop program) keeps it. Safe to call many times; main thread only.
void EnsureGuiApplication();

}  // namespace vl::gfx
