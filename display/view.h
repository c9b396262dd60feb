// The camera choice made once at start-up from one random draw.
#pragma once

// True for the rare view from above: q = draw * 500 / 32767 (integer) is 0, i.e. draws 0..65.
constexpr bool IsViewFromAbove(int draw)
{
    return (draw * 500) / 32767 == 0;
}
