#pragma once
// The style sheet and the script of the one-photo-at-a-time viewer page. The script reads the photo
// number from the page's own address ("?photo=N", 1-based), keeps the photo and caption lists that
// the page's addPhoto calls fill, and reloads the page for each Previous and Next step.

#include <array>
#include <string>

inline constexpr int kScriptSlotCount = 122;
using ScriptList = std::array<std::string, kScriptSlotCount>;

std::string BuildViewerStyle();
// Fills slots 0 to 120, each with one script line and CR LF; slot 121 is left as it was.
void BuildViewerScript(ScriptList& slots);
