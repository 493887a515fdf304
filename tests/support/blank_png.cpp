#include "support/blank_png.h"

#include <zlib.h>

#include <vector>

namespace {

void appendBigEndian(std::string* out, unsigned value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(char((value >> shift) & 0xFF));
}

void appendChunk(std::string* out, const char* type, const std::string& data) {
  appendBigEndian(out, unsigned(data.size()));
  std::string typed = std::string(type, 4) + data;
  out->append(typed);
  appendBigEndian(out, unsigned(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()))));
}

}  // namespace

std::string blankPng(unsigned width, unsigned height) {
  std::string header;
  appendBigEndian(&header, width);
  appendBigEndian(&header, height);
  header += std::string("\x01\x00\x00\x00\x00", 5);  // 1 bit, greyscale, deflate, no filter, no interlace

  // Every row is filter type 0 followed by zero bits.
  std::vector<unsigned char> row(1 + (width + 7) / 8, 0);
  std::string deflated;
  std::vector<unsigned char> buffer(1 << 16);
  z_stream stream{};
  deflateInit(&stream, Z_BEST_COMPRESSION);
  for (unsigned y = 0; y < height; ++y) {
    stream.next_in = row.data();
    stream.avail_in = uInt(row.size());
    int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
    do {
      stream.next_out = buffer.data();
      stream.avail_out = uInt(buffer.size());
      deflate(&stream, flush);
      deflated.append(reinterpret_cast<char*>(buffer.data()), buffer.size() - stream.avail_out);
    } while (stream.avail_out == 0);
  }
  deflateEnd(&stream);

  std::string png("\x89PNG\r\n\x1A\n", 8);
  appendChunk(&png, "IHDR", header);
  appendChunk(&png, "IDAT", deflated);
  appendChunk(&png, "IEND", "");
  return png;
}
