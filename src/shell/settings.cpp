// The settings file: read and written through the option table, merged under
// the command line, and kept up to date when the player changes a setting in
// the game.
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <map>
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

// The line the game writes for a row's value.
std::string EntryLine(const OptionRow& row, const OptionValue& v) {
    std::string line = std::string(row.key) + " = ";
    if (row.kind == OptionKind::Switch) return line + (v.number ? "yes" : "no");
    if (row.kind == OptionKind::Number) return line + std::to_string(v.number);
    return line + v.text;
}

// The entry name a settings line gives (trimmed, lower case); "" for a
// comment, a section or a line with no '='.
std::string EntryName(const std::string& line) {
    const std::string t = Trim(line);
    const size_t eq = t.find('=');
    if (t.empty() || t[0] == '#' || t[0] == ';' || t[0] == '[' || eq == std::string::npos) return "";
    return Lower(Trim(t.substr(0, eq)));
}

// One key, one action: a binding to a key another action has (bound in this
// file or by default) is refused; of two lines of this file, the later one.
// A refusal gives an action its default key back, which may be the key of a
// binding already let through, so the check runs again until nothing changes.
void RefuseSharedKeys(Settings& s, std::map<std::string, int>& lineOf, std::vector<std::string>& problems) {
    const plat::Options defaults;
    auto id = [](int i) { return std::string("key_") + plat::kKeyActions[i]; };
    auto bound = [&](int i) { return s.Text(id(i)).value_or(defaults.keys[i]); };
    for (bool refused = true; refused;) {
        refused = false;
        for (int i = 0; i < 8; i++) {
            if (!s.Has(id(i))) continue;
            for (int j = 0; j < 8; j++) {
                if (j == i || !plat::SameKey(bound(i), bound(j)) || (s.Has(id(j)) && lineOf[id(j)] > lineOf[id(i)]))
                    continue;
                problems.push_back("line " + std::to_string(lineOf[id(i)]) + ": \"" + bound(i) + "\" is already the " +
                                   plat::kKeyActions[j] + " key");
                s.values.erase(id(i));
                refused = true;
                break;
            }
        }
    }
}

Settings fileSettings;        // as read from the settings file (changes through the game go here)
std::string settingsPath;     // "": no settings file is kept

// Writes the settings into the file as it stands now, keeping the player's lines.
void SaveSettings(const Settings& s) {
    if (settingsPath.empty()) return;
    std::vector<uint8_t> old;
    std::string error;
    ReadWholeFile(settingsPath, old, error);  // none yet: a new file
    const std::string text = RewriteSettings(std::string(old.begin(), old.end()), s);
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
    std::map<std::string, int> lineOf;  // the line each entry came from
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
        if (row->kind == OptionKind::KeyName && plat::KeyReserved(value)) {
            problem(std::string("\"").append(value, 0, 40).append("\" is kept for the game itself (Escape, F5 to F8)"));
        } else if (ReadValue(*row, value, v)) {
            s.values[key] = v;
            lineOf[key] = lineNo;
        } else {
            problem(std::string("\"").append(value, 0, 40).append("\" is not a value ").append(key).append(" takes"));
        }
    }
    RefuseSharedKeys(s, lineOf, problems);
    return s;
}

std::string FormatSettings(const Settings& s, std::span<const OptionRow> rows) {
    std::ostringstream o;
    o << "# Pelloquinade settings. The command line wins over this file.\n"
         "# Keys take SDL key names (Up, Space, Left Shift, ...); pad buttons take\n"
         "# a, b, x, y, back, start, leftshoulder, rightshoulder, ...\n";
    for (const OptionRow& row : rows) {
        auto it = row.key ? s.values.find(row.key) : s.values.end();
        if (it != s.values.end()) o << EntryLine(row, it->second) << "\n";
    }
    return o.str();
}

std::string RewriteSettings(const std::string& original, const Settings& s, std::span<const OptionRow> rows) {
    if (original.find_first_not_of(" \t\r\n") == std::string::npos) return FormatSettings(s, rows);
    std::vector<std::string> lines;
    std::istringstream in(original);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (const OptionRow& row : rows) {
        auto it = row.key ? s.values.find(row.key) : s.values.end();
        if (it == s.values.end()) continue;
        const std::string wanted = EntryLine(row, it->second);
        // The entry the reader takes is the last usable line of that name;
        // one that already gives that value stays as it is.
        size_t at = lines.size();
        for (size_t i = lines.size(); i-- > 0 && at == lines.size();) {
            OptionValue there;
            if (EntryName(lines[i]) != row.key || !ReadValue(row, Trim(lines[i].substr(lines[i].find('=') + 1)), there))
                continue;
            at = i;
            if (EntryLine(row, there) != wanted) lines[i] = wanted;
        }
        if (at == lines.size()) lines.push_back(wanted);
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

Settings MergeSettings(const Settings& base, const Settings& over) {
    Settings m = base;
    for (const auto& [id, value] : over.values) m.values[id] = value;
    return m;
}

void SaveChangedSettings(const Settings& changed) {
    if (settingsPath.empty() || changed.values.empty()) return;
    fileSettings = MergeSettings(fileSettings, changed);
    SaveSettings(fileSettings);
}

bool StageFromSettingsFile() { return fileSettings.Has("stage") && !launch.cli.Has("stage"); }
const std::string& SettingsPath() { return settingsPath; }

void ApplySettings() {
    Settings effective = launch.cli;
    if (!launch.plat.headless) {
        // User folders are resolved before the game changes into the data
        // folder; without an absolute home for them nothing is kept.
        const std::string config = UserConfigDir(), pictures = UserPicturesDir();
        settingsPath = config.empty() ? "" : config + "/settings.ini";
        std::vector<const char*> lost;
        if (config.empty()) lost.push_back("settings");
        if (UserDataDir().empty()) lost.push_back("replays");
        if (pictures.empty()) lost.push_back("screenshots");
        for (size_t i = 0; i < lost.size(); i++)
            std::cerr << (i == 0 ? "pelloquinade: HOME is not an absolute folder and no XDG folder stands in: "
                                 : i + 1 == lost.size() ? " and " : ", ")
                      << lost[i] << (i + 1 == lost.size() ? " are not kept\n" : "");
        std::vector<uint8_t> bytes;
        std::string error;
        if (!settingsPath.empty() && ReadWholeFile(settingsPath, bytes, error)) {
            std::vector<std::string> problems;
            fileSettings = ParseSettings(std::string(bytes.begin(), bytes.end()), problems);
            for (const std::string& p : problems)
                std::cerr << "pelloquinade: " << settingsPath << " " << p << " (ignored)\n";
        }
        effective = MergeSettings(fileSettings, launch.cli);
        if (launch.saveSettings) {
            // The rows kept this way (window, scale, volumes); the mode and the
            // stage stay with the launch that gave them.
            for (const OptionRow& row : GameOptions())
                if (row.saved && row.key && launch.cli.Has(row.key))
                    fileSettings.values[row.key] = launch.cli.values.at(row.key);
            SaveSettings(fileSettings);
        }
        plat::SetVolumeChangeHandler(OnVolumeChange);
        plat::SetFullscreenChangeHandler(OnFullscreenChange);
        KeepScreenshotsIn(pictures);
    }
    LandOptions(effective, launch, true);
}
