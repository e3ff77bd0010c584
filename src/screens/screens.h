// Front-end screens: logo intro, title menu, character selection, continue,
// game over and stage end. Each runs its own loop and presents its own frames.
#pragma once

struct Surface;

// Screens called by the shell and the play frame.
void h_Logo();
int h_Title();                      // the chosen item; only 0 starts a game
int h_Charsel();                    // the selection index 0..8
int h_Continue();                   // 1: the player continues
void h_GameOver();
void h_StageEnd();
// The caption shown between two stages of a campaign ("STAGE n" and the
// stage's name), about two seconds; a fresh press of the first button skips it.
void h_StageCaption(int stage);
// The whole game's ending after the last stage's clear, for the character
// GameState.chno: about 35 s, four times as fast while the first button is
// held; once seen in this program run, a fresh press of a button ends it.
void h_Epilogue();
int EpilogueSteps(int chno);        // its length in steps at normal speed (one a frame)
struct EpilogueStatics {
    bool seen = false;
};
extern EpilogueStatics epilogueState;

// Title menu. The tables go back to their start values on every pass of the
// shell's outer loop; MenuSel keeps the highlight for the whole program.
extern int ItemAlpha[4], ItemX[4], ItemSlide[4], ItemWidth[4];
extern int MenuSel;
// The whole game's title (TitleWholeGame = 1): its own four captions, Escape
// highlights the last item, and after 20 s without input TitleIdle runs (the
// idle cycle: high scores, then whatever is added to it) before the menu
// comes back.
extern int TitleWholeGame;
extern void (*TitleIdle)();
void ResetTitleTables();
void LoadTitleFiles();
void RemoveTitleFiles();
void SlideTitleItems();
void PutTitleItems();

// Character selection. With CharselWholeCast = 1 (the campaign) the first
// button is taken on every character, else only on the first one.
extern int CharselWholeCast;
struct CharselStatics {
    int bgX = 0, bgY = 0;           // background scroll offsets, 0..-127
    int PortraitAngle = 0;          // portrait slide-in angle, 0..112
    int NameConverge = 31;          // name-plate convergence counter
    int TitleShake = 0;             // heading shake angle: 0, 100, 200, 300
};
extern CharselStatics charsel;

struct CharselSheets {
    Surface* bg = nullptr;          // "sbg.bmp", the background tile
    Surface* heading = nullptr;     // "select.bmp"
    Surface* names = nullptr;       // "name.bmp", one plate per character index
    Surface* portrait[9] = {};
    Surface* banner[9] = {};
};
extern CharselSheets charselSheets;

// One visit's running state.
struct CharselRun {
    int sel = 0;                    // 0..8
    int dir = 1;                    // banner scroll direction, +1 or -1
    int pos = 0;                    // banner scroll position, 0..30
    int word = 0, prev = 0;         // input word and the previous one
};

void LoadCharselFiles();
void RemoveCharselFiles();
void BGScroll();
void PutRBanner(int y, int alpha, int chno);
void PutBanner(int chno);
void ScrollBanner(int pos, int chno);
void PutPortrait(int reset, int chno);
void PutNamePlate(int reset, int chno);
void PutSelectTitle();
// One pass of the selection loop with run.word as the input word read after
// the previous pass; draws the frame but neither flips nor reads input.
void CharselPass(CharselRun& run);
// The greeting voice of a selection ("wav\..."), or nullptr when it has none.
const char* GreetingVoice(int sel);

// Continue screen: the choice on show (0 continue, 1 end) and the swap counter.
extern int ContinueSel, ContinueSwap;
int ContinueChoice(int mode);

// Logo intro: edges of the six pieces of "title.bmp".
extern const int PieceEdge[7];
void PutLogoPieces(int t);          // the pieces flown apart at step t = 0..50

// Puts every screen's program-lifetime state back to its start values (tests).
void ResetScreensState();
