#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

// Whether an Ogg Vorbis file's comment header (its second packet) holds together: the vendor
// string and every comment fit inside the packet. The decoder trusts the lengths it reads
// there, and a length near 4 GB makes it write outside its memory, so a file is looked at here
// first. A file cut before the comment header ends passes: the decoder refuses it itself.
bool VorbisCommentsFit(const uint8_t* file, size_t size);

}  // namespace platform
