#include "screens/screens.h"

int ItemAlpha[4], ItemX[4], ItemSlide[4], ItemWidth[4];
int MenuSel;

void ResetTitleTables() {
    const int alpha[4] = {31, 31, 31, 31}, x[4] = {240, 370, 500, 680};
    const int slide[4] = {150, 240, 330, 460}, width[4] = {152, 128, 96, 64};
    for (int i = 0; i < 4; i++) {
        ItemAlpha[i] = alpha[i];
        ItemX[i] = x[i];
        ItemSlide[i] = slide[i];
        ItemWidth[i] = width[i];
    }
}

void h_Logo() {}
int h_Title() { return 0; }
int h_Charsel() { return 0; }
int h_Continue() { return 0; }
void h_GameOver() {}
void h_StageEnd() {}
