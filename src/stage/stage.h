// Stage map and scenery: the stage file, the parallax layers, stage clear.
#pragma once

void LoadMen(int stage);
void PutMenBack(int stage);
void PutMenFront(int stage);
int BossBlast(int down);
int PutStageClear(int on);
