// Each image format's header, whole and broken, as POV-Ray would meet it.
#include "converter/looks/ImageHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace meshfold {
namespace {

using namespace std::string_literals;

const std::string Png = "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0"s,
                  App0 = "\xff\xd8\xff\xe0\0\x04\0\0"s,
                  Sof = "\xff\xc0\0\x11\x08\0\x02\0\x02\x03\x01\x11\0\x01\x11\0\x01\x11\0"s,
                  Exr = "v/1\x01\x02\0\0\0dataWindow\0box2i\0\x10\0\0\0\0\0\0\0\0\0\0\0"s,
                  Tga = "\0\0\x02\0\0\0\0\0\0\0\0\0\x02\0\x02\0\x18\0"s;

struct Row {
  TextView kind, broken;
  std::string bytes;
  bool whole = true;
  TextView name = u"i";
};

const Row Rows[] = {
    {u"png", u"", Png + "\x01\x08\x02\0\0\0\x90wS\xde"s},
    {u"png", u"", Png + "\x01\x02\0\0\0\0\x70\xce\x83\xf4"s},  // grey in two bits
    {u"png", u"its IHDR chunk fails its CRC", Png + "\x01\x08\x02\0\0\0\x90wS\xdf"s},
    {u"png", u"its bit depth does not fit its colour type", Png + "\x01\x03\x02\0\0\0\xe7\xa7\x62\xcf"s},
    {u"png", u"its width or height is out of range", Png + "\0\x08\x02\0\0\0\x5b\x2b\x80\x7b"s},
    {u"png", u"it ends within its header", Png},
    {u"jpeg", u"", App0 + "\xff" + Sof},
    {u"jpeg", u"it has no frame header", App0 + "\xff\xda"},
    {u"jpeg", u"its samples are not of 8 bits", App0 + Sof.substr(0, 4) + "\x0c" + Sof.substr(5)},
    {u"jpeg", u"its coding process is one POV-Ray cannot read", App0 + "\xff\xc3" + Sof.substr(2)},
    {u"jpeg", u"its frame header's length does not fit its components",
     App0 + Sof.substr(0, 3) + "\x0e" + Sof.substr(4)},
    {u"jpeg", u"it ends within its header", "\xff\xd8\xff\xe1@\0"s},
    {u"jpeg", u"", "\xff\xd8\xff\xe1@\0"s, false},
    {u"gif", u"", "GIF89a\x02\0\x02\0\0\0\0"s},
    {u"gif", u"its width or height is 0", "GIF89a\0\0\x02\0\0\0\0"s},
    {u"tiff", u"", "II*\0\x08\0\0\0\x01\0"s},
    {u"tiff", u"its first directory's offset is out of range", "MM\0*\0\0\0\x04"s},
    {u"tiff", u"its first directory is empty", "MM\0*\0\0\0\x08\0\0"s},
    {u"ppm", u"", "P6\n# a comment\n2 2\n255\n"},
    {u"pgm", u"its width or height is 0", "P5 2 0 255\n"},
    {u"ppm", u"its largest value is not from 1 to 65535", "P3 2 2 70000\n"},
    {u"hdr", u"", "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 2 +X 2\n"},
    {u"hdr", u"its pixel format is not 32-bit_rle_rgbe", "#?RADIANCE\nFORMAT=32-bit_rle_xyze\n\n-Y 2 +X 2\n"},
    {u"hdr", u"its resolution line is malformed", "#?RGBE\n\n-Y 2 -Y 2\n"},
    {u"exr", u"", Exr + "\x01\0\0\0\x01\0\0\0\0"s},
    {u"exr", u"its data window is empty", Exr + "\xff\xff\xff\xff\x01\0\0\0\0"s},
    {u"exr", u"its header has no data window",
     Exr.substr(0, 8) + "compression\0compression\0\x01\0\0\0\0\0"s},
    {u"tga", u"", Tga, true, u"i.TGA"},
    {u"tga", u"", "\0\x01\x01\0\0\x02\0\x18\0\0\0\0\x02\0\x02\0\x08\0"s, true, u"i.tga"},  // colour-mapped
    {u"tga", u"its colour map is malformed", "\0\x01\x01\0\0\x02\0\x08\0\0\0\0\x02\0\x02\0\x08\0"s, true,
     u"i.tga"},
    {u"tga", u"its colour map does not fit its image type", "\0\0\x01"s + Tga.substr(3), true, u"i.tga"},
    {u"", u"", Tga, true, u"i.png"},
};

TEST(ImageHeader, EachFormatWholeAndBroken) {
  for (const Row& row : Rows) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(row.bytes.data());
    const ImageHeader header =
        JudgeImageHeader(bytes, static_cast<int32_t>(row.bytes.size()), row.whole, row.name);
    EXPECT_EQ(header.kind, row.kind) << row.bytes;
    EXPECT_EQ(header.broken, row.broken) << row.bytes;
  }
}

}  // namespace
}  // namespace meshfold
