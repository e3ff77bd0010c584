// Character voices: every spoken line the game can ask for.
//
// Character voices: every line the game can ask for ("wav\<stem><event>[abc].wav"
// for events 1..8, the selection greetings "wav\<stem>0.wav") and the cut-in
// boss's two lines "wav\demo_s4a.wav" and "wav\demo_s4b.wav". Each character
// has one fixed espeak-ng setting. Character 4 never speaks.
#include <mutex>

#include "kit.h"

using namespace ag;

namespace {

struct Line {
    const char* suffix;   // "0", "1a", "2", ...
    const char* text;
};

struct Cast {
    const char* stem;
    Voice voice;
    std::vector<Line> lines;
};

// Events as the game names them: entry 1 (maho: a/b; taiyaki: plain; others
// a/b/c), shot level 2, option 3 (maho: a/b/c by count), barrier 4, life 5,
// fall 6, beam technique 7a/7b, meteor technique 8a/8b; 0 is the greeting.
const std::vector<Cast>& TheCast() {
    static const std::vector<Cast> cast = {
        {"cv0_maho", {"en+f3", 72, 165, 260, 1.0},
         {{"0", "Maho here! Let's fly together!"},
          {"1a", "Broom check, all good. Let's go!"},
          {"1b", "Here I come!"},
          {"2", "Power up!"},
          {"3a", "A little friend!"},
          {"3b", "Two friends now!"},
          {"3c", "Full formation!"},
          {"4", "Shield up!"},
          {"5", "One more try!"},
          {"6", "Whoa, whoa, wah!"},
          {"7a", "Gather, starlight..."},
          {"7b", "Star beam!"},
          {"8a", "Sky, hear my call..."},
          {"8b", "Meteor fall!"}}},
        {"cv1_make", {"en+f2", 55, 150, 230, 1.0},
         {{"0", "Make, at your service."},
          {"1a", "My turn!"},
          {"1b", "Stand aside, please."},
          {"1c", "I'll show you how it's done."},
          {"2", "Stronger!"},
          {"3", "Stay close to me."},
          {"4", "Nice and safe."},
          {"5", "Lucky me!"},
          {"6", "That's not fair!"},
          {"7a", "Charging up..."},
          {"7b", "Take that!"},
          {"8a", "Watch the sky..."},
          {"8b", "Falling stars!"}}},
        {"cv2_angel", {"en+f4", 82, 145, 300, 1.0},
         {{"0", "Let the light guide us."},
          {"1a", "Wings open!"},
          {"1b", "Blessings on this flight."},
          {"1c", "Here I go, gently."},
          {"2", "My light grows."},
          {"3", "A little helper!"},
          {"4", "Feather shield."},
          {"5", "Thank you, heaven."},
          {"6", "Oh no, my wings!"},
          {"7a", "Holy light, gather."},
          {"7b", "Shine!"},
          {"8a", "Heavens, open."},
          {"8b", "Starfall!"}}},
        {"cv3_devil", {"en+m7", 92, 185, 330, 1.12},
         {{"0", "Heh heh, pick me!"},
          {"1a", "Trouble time!"},
          {"1b", "Mischief, away!"},
          {"1c", "Ready to make a mess!"},
          {"2", "Ooh, spicy!"},
          {"3", "A minion for me!"},
          {"4", "Can't touch this imp."},
          {"5", "Extra life, hee hee!"},
          {"6", "Ow ow ow!"},
          {"7a", "Dark fire, come!"},
          {"7b", "Burn it all!"},
          {"8a", "Rocks from the sky..."},
          {"8b", "Smash!"}}},
        {"cv5_digiko", {"en+robosoft", 60, 150, 240, 1.18},
         {{"0", "Pocket unit, online."},
          {"1a", "Launch sequence complete."},
          {"1b", "All systems green."},
          {"1c", "Beep. Moving out."},
          {"2", "Output increased."},
          {"3", "Drone linked."},
          {"4", "Barrier active."},
          {"5", "Backup restored."},
          {"6", "Error! Error!"},
          {"7a", "Charging capacitor."},
          {"7b", "Laser, fire!"},
          {"8a", "Targeting orbit."},
          {"8b", "Impact!"}}},
        {"cv6_aji", {"en+m1", 38, 140, 150, 1.0},
         {{"0", "Blub. Swimming in the sky."},
          {"1a", "Splash! Here we go."},
          {"1b", "Fins ready."},
          {"1c", "The current is with me."},
          {"2", "Sharper scales!"},
          {"3", "A school of friends."},
          {"4", "Bubble guard."},
          {"5", "Fresh again!"},
          {"6", "Out of water!"},
          {"7a", "Deep pressure..."},
          {"7b", "Tidal beam!"},
          {"8a", "The sea rises..."},
          {"8b", "Big wave!"}}},
        {"cv7_taiyaki", {"en+f5", 64, 175, 280, 1.0},
         {{"0", "Fresh from the grill!"},
          {"1", "Warm and crispy, let's fly!"},
          {"2", "Extra filling!"},
          {"3", "Another bite-sized buddy."},
          {"4", "Crust armour."},
          {"5", "Baked again!"},
          {"6", "Too hot!"},
          {"7a", "Heating the pan..."},
          {"7b", "Sweet bean blast!"},
          {"8a", "Batter up..."},
          {"8b", "Rain of pastry!"}}},
        {"cv8_aniki", {"en+m3", 18, 130, 110, 0.92},
         {{"0", "Let's work out!"},
          {"1a", "Muscles, ready!"},
          {"1b", "Feel the burn!"},
          {"1c", "Time to lift!"},
          {"2", "Pumped up!"},
          {"3", "Spotter on board."},
          {"4", "Iron skin."},
          {"5", "Protein power!"},
          {"6", "Ugh, cramp!"},
          {"7a", "Flex..."},
          {"7b", "Power pose!"},
          {"8a", "Heave..."},
          {"8b", "Heavy drop!"}}},
        {"cv9_legend", {"en-gb+m1", 30, 135, 130, 1.0},
         {{"0", "The golden blade answers."},
          {"1a", "For the realm!"},
          {"1b", "Honour guides my flight."},
          {"1c", "Stand fast, knight."},
          {"2", "My sword grows keen."},
          {"3", "A squire rides with me."},
          {"4", "Raise the shield!"},
          {"5", "I rise again."},
          {"6", "I yield... no!"},
          {"7a", "Blade of dawn, awaken."},
          {"7b", "Radiant strike!"},
          {"8a", "Stars, heed your knight."},
          {"8b", "Falling judgement!"}}},
    };
    return cast;
}

// The cut-in boss: slow and low, pitched down further.
const Voice kBossVoice{"en+m4", 12, 135, 90, 0.85};

struct Spoken {
    std::string file;
    const Voice* voice;
    std::string text;
    Sound sound;
};

std::vector<Spoken>& AllLines() {
    static std::vector<Spoken> lines = [] {
        std::vector<Spoken> v;
        for (const Cast& c : TheCast())
            for (const Line& l : c.lines) v.push_back({Format("wav/%s%s.wav", c.stem, l.suffix), &c.voice, l.text, {}});
        v.push_back({"wav/demo_s4a.wav", &kBossVoice, "So. You found the singing stone.", {}});
        v.push_back({"wav/demo_s4b.wav", &kBossVoice, "Its song is mine alone. Hear it, and fall silent!", {}});
        return v;
    }();
    return lines;
}

// All lines are spoken the first time any of them is wanted, one after the
// other in a fixed order (the speech library carries state from line to line).
void SpeakAll() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (Spoken& l : AllLines()) l.sound = Speech(*l.voice, l.text);
    });
}

}  // namespace

AG_REGISTER(RegisterVoices) {
    for (size_t i = 0; i < AllLines().size(); ++i)
        AddFile(AllLines()[i].file, "voices", [i] {
            SpeakAll();
            return WavBytes(AllLines()[i].sound);
        });
}
