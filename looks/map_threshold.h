#pragma once

// Where a board is drawn as a map rather than as pictures: a square drawn
// narrower than this, in pixels, shows only the colour of its occupant's
// kind (looks/kind_colours.h). The window and films switch at different
// sides because they show pixels differently.
//
// On screen every pixel is shown as drawn, and the window decides square
// by square, as the camera's slant narrows them: a creature still reads at
// five pixels.
inline constexpr float kLeastPictureSideOnScreen = 5.0f;
// A film holds whole pixels a square and is encoded with each 2 x 2 block
// sharing one colour (and a GIF with 255 colours at most), so a picture
// fewer than eight pixels wide blurs into its neighbours' colours, where a
// map's colours are kept (film/map_chroma.h).
inline constexpr int kLeastPictureSideInFilms = 8;
