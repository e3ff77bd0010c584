// The player's own files, in the XDG base folders: settings in the config
// folder, replays in the data folder, screenshots in the pictures folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// $XDG_CONFIG_HOME/pelloquinade (default ~/.config/pelloquinade).
std::string UserConfigDir();
// $XDG_DATA_HOME/pelloquinade (default ~/.local/share/pelloquinade).
std::string UserDataDir();
// $XDG_PICTURES_DIR, else ~/Pictures/pelloquinade.
std::string UserPicturesDir();

// Reads a whole file; false (and a reason) when it cannot.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string& error);
// Writes the bytes to a temporary file next to `path` and renames it over
// `path`, so a crash never leaves half a file; makes missing folders.
bool WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
