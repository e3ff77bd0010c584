// Player: craft, shots and options, techniques, hit tests, meter and HUD,
// items, entry, death and respawn, character voices.
#pragma once

void EmptyPlayerPools();            // shots, items, item labels: active flags only

void MovePlayer(int chno, int option, int shotLv);
void MovePlayerShots();             // called at the end of MoveTama
void PutPlayerShots();              // called at the end of PutTama
void Atari();
void AtariPlayer();
void MoveItem();
void PutItemLabel();
void PutStatus();
int h_Play();
void h_Waza();
