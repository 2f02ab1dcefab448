// The motion of the break window's image, in twips of the client area, as a pure
// function of the ticks and the random heights drawn.
#pragma once

#include <functional>

namespace breakmotion {

constexpr int kStartX = -500;
constexpr int kStep = 15;
constexpr int kExitLimit = 9650;
constexpr int kHeightRange = 6900;

struct Position
{
    int left;
    int top;
};

/// Draws a whole number uniformly from 0 to kHeightRange − 1.
using HeightDraw = std::function<int()>;

/// Where the image enters when the window opens.
Position start(const HeightDraw &draw);

/// One timer tick: past the exit limit the image re-enters at a new height, and it
/// moves one step in the same tick.
Position tick(Position p, const HeightDraw &draw);

} // namespace breakmotion
