// Everything a content file needs: include this one header.
#pragma once

#include "core.h"
#include "image.h"
#include "music.h"
#include "registry.h"
#include "sound.h"
#include "sprites.h"
#include "stage.h"
#include "table.h"
#include "tiles.h"
#include "waves.h"
