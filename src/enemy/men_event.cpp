// The spawn timeline: turns the stage file's events whose time has come into
// enemies.
#include "core/core.h"
#include "enemy/enemy.h"
#include "stage/stage.h"

namespace {
// Time shift by stage number: stage 4 runs its timeline at half speed; stage 6
// has no file of its own and runs at the usual rate.
const int kMenShift[7] = {4, 4, 4, 4, 5, 4, 4};

int MenShift() {
    return (stageNo >= 0 && stageNo < 7) ? kMenShift[stageNo] : 4;
}
}  // namespace

void StepMenEvent(int clock) {
    const int s = MenShift();
    for (MenEventRecord& e : MenEvent) {
        const int pos = e.time;
        const int row = e.y;
        const int index = e.index;
        if (e.kind == 1) {
            if (clock + 320 < (pos << s)) continue;
            e.kind = 0;  // used, whether or not the pool had room
            if (index >= kTekiTemplates) continue;
            const TekiTemplateRecord& t = TekiTemplate[index];
            const int wu = t.w, hu = t.h;
            SetTeki(320 + ((wu + 1) >> 1), row * 8 + hu * 4 + 4 - 120, t.type + 11, t.sx * 8, t.sy * 8,
                    wu * 8 + 8, hu * 8 + 8, t.hp, t.score, t.mater);
        } else if (e.kind == 2) {
            if (index >= kTekiGroups) continue;
            const TekiGroupRecord& g = TekiGroup[index];
            for (int j = 0; j < 10; j++) {
                if (g.present[j] == 0) continue;
                const int due = (pos << s) + g.time[j];
                // Members fire only on the exact frame, never late.
                if (clock + 320 != due) continue;
                if (g.tmpl[j] >= kTekiTemplates) continue;
                const TekiTemplateRecord& t = TekiTemplate[g.tmpl[j]];
                const int wu = t.w, hu = t.h;
                SetTeki(due - clock + wu * 4 + 4, row * 8 + g.dy[j] + hu * 4 - 116, t.type + 11, t.sx * 8,
                        t.sy * 8, wu * 8 + 8, hu * 8 + 8, t.hp, t.score, t.mater);
            }
        }
    }
}
