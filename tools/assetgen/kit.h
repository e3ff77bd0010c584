// Everything a content file needs: include this one header.
#pragma once

#include "kit_core.h"
#include "kit_image.h"
#include "kit_music.h"
#include "kit_registry.h"
#include "kit_sound.h"
#include "kit_stage.h"
