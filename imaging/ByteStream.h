// A read-only stream over bytes held in memory, for the decoders: no read ever goes past the bytes.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <vector>

// A new stream over the bytes (reference count 1, position 0), or NULL when it cannot be made. A
// read at or past the end gives no bytes and S_FALSE, a read across it gives the bytes up to the
// end and S_FALSE; seeking past the end is allowed (reads there give nothing); Stat gives the size;
// writing and resizing are refused. Clones share the bytes.
IStream* CreateByteStream(std::vector<BYTE> bytes);
