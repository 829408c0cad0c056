#include "view/display_update.h"

#include <cstddef>
#include <optional>

#include <Inventor/nodes/SoTexture2.h>

#include "model/board.h"
#include "model/trace.h"
#include "view/board_shape.h"
#include "view/celula.h"
#include "view/scene.h"

void doUpdates() {
    trace::print("  -- principio doUpdates --\n");
    // The tiles follow the board's size once it is resized; until then
    // there is nothing of this board to show.
    if (tilesAcross == board.width() && tilesDown == board.height()) {
        if (tiles.empty() && boardShape != nullptr) {
            boardShape->updateBoard(board);
        }
        for (int row = 0; row < tilesAcross && !tiles.empty(); ++row) {
            for (int column = 0; column < tilesDown; ++column) {
                const std::size_t square = board.indexOf(row, column);
                // A kind outside 0..3 has no picture; its tile keeps the old one.
                const std::optional<int> picture = tilePictureOf(board[square]);
                if (!picture || shownTexture[square] == *picture) {
                    continue;
                }
                celula* tile = tiles[square];
                SoTexture2* next = textures[static_cast<std::size_t>(*picture)];
                tile->replaceChild(tile->texture, next);
                tile->texture = next;
                shownTexture[square] = *picture;
            }
        }
    }
    trace::print("  -- fin       doUpdates --\n");
}
