#include "video/video.h"

void PutSprite(int, int, Surface*, RECT, int) {}
void PutBox(Surface*, int, int, int, int, int, int, int) {}
void PutSpriteWave(int, int, int, int, int, Surface*, RECT, int) {}
Surface* LoadBitmapSurface(const char*) { return nullptr; }
Surface* LoadIndexedBitmap(const char*) { return nullptr; }
void PutSpriteAlpha(int, int, Surface*, RECT, int, int) {}
void PutSpriteAdd(int, int, Surface*, RECT, int, int) {}
void PutSilhouette(int, int, Surface*, RECT, uint16_t) {}
void DarkenScreen(int) {}
void WhitenRect(RECT, int) {}
void MosaicRect(RECT, int) {}
void ZoomScreen(int, int, int) {}
void CopySurfaceRect(Surface*, Surface*, RECT, int, int) {}
