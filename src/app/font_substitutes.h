#pragma once

namespace dorvanta {

// The windows and pages ask for Verdana, Arial and Helvetica. Where the machine
// lacks them, maps each to a similar font it has (DejaVu Sans is drawn after
// Verdana's proportions), so text keeps its intended width instead of falling
// to whatever the font matcher picks. Safe to call more than once.
void InstallFontSubstitutes();

} // namespace dorvanta
