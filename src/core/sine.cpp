// The integer sine table every motion in the game reads.
#include <cmath>

#include "core/core.h"

namespace {
struct SineTable {
    signed char v[360];
    SineTable() {
        // 3.14159 rather than pi: the peak comes out at 126, which every
        // motion in the game is tuned to.
        const double factor = 3.14159 / 180;
        for (int i = 0; i < 360; i++) v[i] = static_cast<signed char>(127 * std::sin(i * factor));
    }
};
const SineTable SinTable;
}  // namespace

int GetSin(int angle) {
    // A full wrap: angles below -360 stay inside the table.
    int a = angle % 360;
    if (a < 0) a += 360;
    return SinTable.v[a];
}
