// The break window's motion rules.
#include "dialogs/breakmotion.h"

namespace breakmotion {

Position start(const HeightDraw &draw)
{
    return {kStartX, draw()};
}

Position tick(Position p, const HeightDraw &draw)
{
    if (p.left > kExitLimit)
        p = {kStartX, draw()};
    p.left += kStep;
    return p;
}

} // namespace breakmotion
