// Stage 2's enemy sheet, as the stage's waves address it.
#pragma once

#include <string>

namespace stage2_enemies {

// Frame 0 and size of a named sprite on "stage2_en.bmp"; false (and an
// error) when there is none.
bool FindSprite(const std::string& name, int& x, int& y, int& w, int& h);

}  // namespace stage2_enemies
