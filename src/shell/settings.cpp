// The settings file: read and written through the option table, merged under
// the command line, and kept up to date when the player changes a setting in
// the game.
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "shell/options.h"
#include "shell/shell.h"
#include "shell/user_files.h"

namespace {

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

bool ParseInt(const std::string& v, long lo, long hi, long& out) {
    if (v.empty() || v.size() > 6) return false;
    char* end = nullptr;
    long n = std::strtol(v.c_str(), &end, 10);
    if (*end || n < lo || n > hi) return false;
    out = n;
    return true;
}

bool ParseBool(const std::string& v, long& out) {
    std::string l = Lower(v);
    if (l == "yes" || l == "true" || l == "on" || l == "1") return out = 1, true;
    if (l == "no" || l == "false" || l == "off" || l == "0") return out = 0, true;
    return false;
}

// The value a settings line gives a row, or false when the row cannot take it.
bool ReadValue(const OptionRow& row, const std::string& text, OptionValue& out) {
    switch (row.kind) {
        case OptionKind::Switch: return ParseBool(text, out.number);
        case OptionKind::Number: return ParseInt(text, row.lo, row.hi, out.number);
        case OptionKind::KeyName: out.text = text; return plat::KeyNameKnown(text);
        case OptionKind::PadButton: out.text = text; return plat::PadButtonNameKnown(text);
        case OptionKind::Text:
        case OptionKind::Path: out.text = text; return true;
        default: return false;
    }
}

Settings fileSettings;        // as read from the settings file (changes through the game go here)
std::string settingsPath;

void SaveSettings(const Settings& s) {
    std::string text = FormatSettings(s), error;
    if (!WriteFileReplacing(settingsPath, std::vector<uint8_t>(text.begin(), text.end()), error)) {
        std::cerr << "pelloquinade: the settings were not saved: " << error << "\n";
        ShowNotice(Notice::SettingsNotSaved);
    }
}

void OnVolumeChange() {
    int music = 0, sfx = 0;
    plat::GetVolumes(music, sfx);
    fileSettings.SetNumber("music_volume", music);
    fileSettings.SetNumber("sfx_volume", sfx);
    SaveSettings(fileSettings);
}

void OnFullscreenChange(bool fullscreen) {
    fileSettings.SetNumber("fullscreen", fullscreen ? 1 : 0);
    SaveSettings(fileSettings);
}

}  // namespace

Settings ParseSettings(const std::string& text, std::vector<std::string>& problems, std::span<const OptionRow> rows) {
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
        const OptionRow* row = nullptr;
        for (const OptionRow& r : rows)
            if (r.key && key == r.key) row = &r;
        if (!row) {
            problem("unknown setting \"" + key.substr(0, 40) + "\"");
            continue;
        }
        OptionValue v;
        if (ReadValue(*row, value, v))
            s.values[key] = v;
        else
            problem(std::string("\"").append(value, 0, 40).append("\" is not a value ").append(key).append(" takes"));
    }
    return s;
}

std::string FormatSettings(const Settings& s, std::span<const OptionRow> rows) {
    std::ostringstream o;
    o << "# Pelloquinade settings. The command line wins over this file.\n"
         "# Keys take SDL key names (Up, Space, Left Shift, ...); pad buttons take\n"
         "# a, b, x, y, back, start, leftshoulder, rightshoulder, ...\n";
    for (const OptionRow& row : rows) {
        auto it = row.key ? s.values.find(row.key) : s.values.end();
        if (it == s.values.end()) continue;
        o << row.key << " = ";
        if (row.kind == OptionKind::Switch)
            o << (it->second.number ? "yes" : "no");
        else if (row.kind == OptionKind::Number)
            o << it->second.number;
        else
            o << it->second.text;
        o << "\n";
    }
    return o.str();
}

Settings MergeSettings(const Settings& base, const Settings& over) {
    Settings m = base;
    for (const auto& [id, value] : over.values) m.values[id] = value;
    return m;
}

bool StageFromSettingsFile() { return fileSettings.Has("stage") && !launch.cli.Has("stage"); }
const std::string& SettingsPath() { return settingsPath; }

void ApplySettings() {
    Settings effective = launch.cli;
    if (!launch.plat.headless) {
        settingsPath = UserConfigDir() + "/settings.ini";
        std::vector<uint8_t> bytes;
        std::string error;
        if (ReadWholeFile(settingsPath, bytes, error)) {
            std::vector<std::string> problems;
            fileSettings = ParseSettings(std::string(bytes.begin(), bytes.end()), problems);
            for (const std::string& p : problems)
                std::cerr << "pelloquinade: " << settingsPath << " " << p << " (ignored)\n";
        }
        effective = MergeSettings(fileSettings, launch.cli);
        if (launch.saveSettings) {
            fileSettings = effective;
            SaveSettings(fileSettings);
        }
        plat::SetVolumeChangeHandler(OnVolumeChange);
        plat::SetFullscreenChangeHandler(OnFullscreenChange);
        KeepScreenshotsIn(UserPicturesDir());
    }
    LandOptions(effective, launch, true);
}
