// Icons and cursors whose embedded bitmaps have fewer colours in their tables, or whose PNG entries
// fewer colours in their palettes, than their pixels index. The platform's decoder takes the colours
// past such a table from memory the file does not hold, so the same file opens with different pixels
// each time.
#pragma once

#include <windows.h>

#include <vector>

// The bytes of an icon or cursor that passed IsSoundPictureHeader (imaging/PictureCheck.h) with
// each short colour table of its bitmaps, and each short palette of its PNG entries of palette
// indices, filled out to every colour their bits index, the added colours black, and the entries
// moved to make room; any other bytes as they are.
std::vector<BYTE> WithWholeColourTables(std::vector<BYTE> bytes);
