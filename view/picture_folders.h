#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "looks/picture_search.h"

class QWidget;
class SoTexture2;

// The folders the pictures are looked for in, and the search, are
// looks/picture_search.h's, which vivar-sim's films share.

// Where to load a picture from: its path in this process's folders, or the
// bare name when no folder has it.
[[nodiscard]] QString picturePath(const char* fileName);

// Has Coin look in the same folders, in the same order, for the tile
// pictures it reads by bare file name. Call once, before the first texture
// gets its file name.
void lookForPicturesInTheirFolders();
// Gives the texture its bare file name. Coin's own complaint about a
// picture that no folder has is held back: reportMissingPictures has said
// it once for all of them.
void setPictureFile(SoTexture2& texture, const char* fileName);

// When any of the tile pictures or button bitmaps is in none of the
// folders, prints one line on stderr: how many, and where the program
// looked. Returns how many are missing.
int reportMissingPictures();
// The same for the window: a short text for the status line (empty when
// nothing is missing), and a message beside the window, shown once, that
// names the folders and VIVAR_PICTURES.
[[nodiscard]] QString missingPicturesStatus();
void tellMissingPictures(QWidget* window);
