#include "shell/settings.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "platform/platform.h"
#include "shell/shell.h"

namespace {

const char* const kPadActions[3] = {"pad_shoot", "pad_second", "pad_pause"};

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) a++;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) b--;
    return s.substr(a, b - a);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool ParseInt(const std::string& v, int lo, int hi, int& out) {
    if (v.empty() || v.size() > 6) return false;
    char* end = nullptr;
    long n = std::strtol(v.c_str(), &end, 10);
    if (*end || n < lo || n > hi) return false;
    out = static_cast<int>(n);
    return true;
}

bool ParseBool(const std::string& v, bool& out) {
    std::string l = Lower(v);
    if (l == "yes" || l == "true" || l == "on" || l == "1") return out = true, true;
    if (l == "no" || l == "false" || l == "off" || l == "0") return out = false, true;
    return false;
}

}  // namespace

Settings ParseSettings(const std::string& text, std::vector<std::string>& problems) {
    Settings s;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        lineNo++;
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') continue;
        auto problem = [&](const std::string& what) { problems.push_back("line " + std::to_string(lineNo) + ": " + what); };
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            problem("expected \"name = value\"");
            continue;
        }
        std::string key = Lower(Trim(line.substr(0, eq))), value = Trim(line.substr(eq + 1));
        int n = 0;
        bool b = false;
        bool ok = true;
        if (key == "fullscreen") {
            if ((ok = ParseBool(value, b))) s.fullscreen = b;
        } else if (key == "scale") {
            if ((ok = ParseInt(value, 0, 16, n))) s.scale = n;
        } else if (key == "music_volume") {
            if ((ok = ParseInt(value, 0, 100, n))) s.musicVolume = n;
        } else if (key == "sfx_volume") {
            if ((ok = ParseInt(value, 0, 100, n))) s.sfxVolume = n;
        } else if (key == "pad_dead_zone") {
            if ((ok = ParseInt(value, 0, 90, n))) s.padDeadZone = n;
        } else if (key == "campaign") {
            if ((ok = ParseBool(value, b))) s.campaign = b;
        } else if (key == "stage") {
            if ((ok = ParseInt(value, 1, kLastStage, n))) s.stage = n;
        } else {
            bool known = false;
            for (int i = 0; i < 8 && !known; i++)
                if (key == std::string("key_") + plat::kKeyActions[i]) {
                    known = true;
                    if ((ok = plat::KeyNameKnown(value))) s.keys[i] = value;
                }
            for (int i = 0; i < 3 && !known; i++)
                if (key == kPadActions[i]) {
                    known = true;
                    if ((ok = plat::PadButtonNameKnown(value))) s.padButtons[i] = value;
                }
            if (!known) {
                problem("unknown setting \"" + key.substr(0, 40) + "\"");
                continue;
            }
        }
        if (!ok) problem("\"" + value.substr(0, 40) + "\" is not a value " + key + " takes");
    }
    return s;
}

std::string FormatSettings(const Settings& s) {
    std::ostringstream o;
    o << "# Pelloquinade settings. The command line wins over this file.\n"
         "# Keys take SDL key names (Up, Space, Left Shift, ...); pad buttons take\n"
         "# a, b, x, y, back, start, leftshoulder, rightshoulder, ...\n";
    if (s.fullscreen) o << "fullscreen = " << (*s.fullscreen ? "yes" : "no") << "\n";
    if (s.scale) o << "scale = " << *s.scale << "\n";
    if (s.musicVolume) o << "music_volume = " << *s.musicVolume << "\n";
    if (s.sfxVolume) o << "sfx_volume = " << *s.sfxVolume << "\n";
    for (int i = 0; i < 8; i++)
        if (s.keys[i]) o << "key_" << plat::kKeyActions[i] << " = " << *s.keys[i] << "\n";
    for (int i = 0; i < 3; i++)
        if (s.padButtons[i]) o << kPadActions[i] << " = " << *s.padButtons[i] << "\n";
    if (s.padDeadZone) o << "pad_dead_zone = " << *s.padDeadZone << "\n";
    if (s.campaign) o << "campaign = " << (*s.campaign ? "yes" : "no") << "\n";
    if (s.stage) o << "stage = " << *s.stage << "\n";
    return o.str();
}

Settings MergeSettings(const Settings& base, const Settings& over) {
    Settings m = base;
    auto take = [](auto& into, const auto& from) {
        if (from) into = from;
    };
    take(m.fullscreen, over.fullscreen);
    take(m.scale, over.scale);
    take(m.musicVolume, over.musicVolume);
    take(m.sfxVolume, over.sfxVolume);
    for (int i = 0; i < 8; i++) take(m.keys[i], over.keys[i]);
    for (int i = 0; i < 3; i++) take(m.padButtons[i], over.padButtons[i]);
    take(m.padDeadZone, over.padDeadZone);
    take(m.campaign, over.campaign);
    take(m.stage, over.stage);
    return m;
}
