// The pictures and help pages compiled into the program.
#pragma once

/// Registers the compiled-in resources (the icon, the help pages). They live
/// in a static library, so nothing registers them unless asked. Repeating
/// the call is harmless.
void LoadVarloResources();
