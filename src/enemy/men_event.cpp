// The spawn timeline: turns the stage file's events whose time has come into
// enemies.
#include "core/core.h"
#include "enemy/enemy.h"
#include "stage/stage.h"
#include "stage/stage_table.h"

void StepMenEvent(int clock) {
    const int s = StageRow(stageNo).menShift;
    for (MenEventRecord& e : MenEvent) {
        const int pos = e.time;
        const int row = e.y;
        const int index = e.index;
        if (e.kind == 1) {
            if (!MenSingleFires(clock, pos, s)) continue;
            e.kind = 0;  // used, whether or not the pool had room
            if (index >= kTekiTemplates) continue;
            const TekiTemplateRecord& t = TekiTemplate[index];
            const int wu = t.w, hu = t.h;
            const int w = wu * 8 + 8, h = hu * 8 + 8;
            SetTeki(320 + ((wu + 1) >> 1), MenCentreY(row, h), t.type + 11, t.sx * 8, t.sy * 8, w, h, t.hp,
                    t.score, t.mater);
        } else if (e.kind == 2) {
            if (index >= kTekiGroups) continue;
            const TekiGroupRecord& g = TekiGroup[index];
            for (int j = 0; j < 10; j++) {
                if (g.present[j] == 0) continue;
                const int due = MenDue(pos, s) + g.time[j];
                // Members fire only on the exact frame, never late.
                if (clock + kMenLead != due) continue;
                if (g.tmpl[j] >= kTekiTemplates) continue;
                const TekiTemplateRecord& t = TekiTemplate[g.tmpl[j]];
                const int wu = t.w, hu = t.h;
                const int w = wu * 8 + 8, h = hu * 8 + 8;
                SetTeki(due - clock + w / 2, MenCentreY(row, h) + g.dy[j], t.type + 11, t.sx * 8, t.sy * 8, w, h,
                        t.hp, t.score, t.mater);
            }
        }
    }
}
