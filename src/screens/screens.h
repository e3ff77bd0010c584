// Front-end screens: logo intro, title menu, character selection, continue,
// game over and stage end. Each runs its own loop and presents its own frames.
#pragma once

extern int ItemAlpha[4], ItemX[4], ItemSlide[4], ItemWidth[4];
extern int MenuSel;
void ResetTitleTables();

void h_Logo();
int h_Title();
int h_Charsel();
int h_Continue();
void h_GameOver();
void h_StageEnd();
