// Arbitrary bytes as an ID3v2 header, an ID3v1 block and a whole ID3v2 tag.
#include <cstdlib>

#include "sources/tag_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace varimo;
  const int32_t tagSize = GetID3v2Size(data, size);
  if (tagSize < 0) std::abort();

  for (bool full : {false, true}) {
    TID3v1Info v1;
    ReadID3v1(v1, data, size, full);
    TID3v2Info v2;
    ReadID3v2Frames(v2, data, size, full);
  }

  // Every frame handed out lies inside the bytes given, and the walk moves forward.
  const uint8_t* previousEnd = data;
  FrameWalk(data, size, [&](const TID3v2Frame& frame) {
    const uint8_t* end = frame.Data + frame.Size;
    if (frame.Data - 10 < previousEnd || end > data + size) std::abort();
    previousEnd = end;
    return true;
  });
  return 0;
}
