// The settings file: "key = value" lines, '#' comments. Every entry is
// optional; what the command line gives wins over the file.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Settings {
    std::optional<bool> fullscreen;
    std::optional<int> scale;                    // 0: the largest that fits, else 1..16
    std::optional<int> musicVolume, sfxVolume;   // 0..100
    std::optional<std::string> keys[8];          // in plat::kKeyActions order
    std::optional<std::string> padButtons[3];    // first button, second button, pause
    std::optional<int> padDeadZone;              // percent of the stick's travel, 0..90
    std::optional<bool> campaign;
    std::optional<int> stage;                    // 1..kLastStage
};

// Reads the text; each line that cannot be used is left out and described in
// `problems` ("line 3: ..."). Never fails as a whole.
Settings ParseSettings(const std::string& text, std::vector<std::string>& problems);
std::string FormatSettings(const Settings& s);
// Entries of `over` replace those of `base`.
Settings MergeSettings(const Settings& base, const Settings& over);
