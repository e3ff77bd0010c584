// The player's own files, in the XDG base folders: settings in the config
// folder, replays in the data folder, screenshots in the pictures folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Each is empty when neither its XDG variable nor HOME names an absolute
// folder: then no such file is kept (a relative base would land wherever the
// game happens to be working).
// $XDG_CONFIG_HOME/pelloquinade (default ~/.config/pelloquinade).
std::string UserConfigDir();
// $XDG_DATA_HOME/pelloquinade (default ~/.local/share/pelloquinade).
std::string UserDataDir();
// $XDG_PICTURES_DIR, else ~/Pictures/pelloquinade.
std::string UserPicturesDir();

// Reads a whole file; false (and a reason) when it cannot.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string& error);
// Writes the bytes to a temporary file next to `path`, flushes them to the
// disk and renames the file over `path`, so a crash or a full disk never
// leaves half a file; makes missing folders. A `path` that is a symbolic link
// is written through: its target is replaced, the link stays.
bool WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

// The last presented frame as a PNG named by date and time in `dir`; says on
// stdout where it went, or on stderr why it did not.
bool SaveScreenshot(const std::string& dir);
// From now on the screenshot key saves into `dir` (empty: nowhere).
void KeepScreenshotsIn(const std::string& dir);
