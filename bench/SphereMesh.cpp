// Writes the benchmark workload: a lat-long sphere as an OBJ file with a
// vertex, a normal and two triangles per grid cell, all numbers with six
// decimals, so that the file looks like an exported mesh of the same size.
//
//   meshfold_sphere [--rows N] [--columns N] [--crlf] [--scanner [--one-colour]] output.obj
//
// 1000 x 1000 (the default) gives 1,000,000 vertices and normals and
// 1,996,002 faces, about 155 MB. --scanner writes the sphere as scanners do:
// a colour after each vertex ("v x y z r g b"), no normals, one quad per grid
// cell, tabs between fields; 1000 x 1000 gives 998,001 quads, which the
// converter fans into 1,996,002 triangles. --one-colour gives every scanner
// vertex the same colour, 0.500000 0.500000 0.500000: the file keeps the
// varied one's size byte for byte, so that the two time the same reading and
// differ only in how many colours the converter meets. The output depends on
// nothing but the options.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>

namespace {

struct Options {
  int64_t rows = 1000;
  int64_t columns = 1000;
  bool crlf = false;
  bool scanner = false;
  bool oneColour = false;
  const char* output = nullptr;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int at = 1; at < argc; ++at) {
    const std::string argument = argv[at];
    if ((argument == "--rows" || argument == "--columns") && at + 1 < argc) {
      const int64_t value = std::strtoll(argv[++at], nullptr, 10);
      if (value < 2) return false;
      (argument == "--rows" ? options.rows : options.columns) = value;
    } else if (argument == "--crlf") {
      options.crlf = true;
    } else if (argument == "--scanner") {
      options.scanner = true;
    } else if (argument == "--one-colour") {
      options.oneColour = true;
    } else if (options.output == nullptr && argument.rfind("--", 0) != 0) {
      options.output = argv[at];
    } else {
      return false;
    }
  }
  // Only the scanner's vertices carry a colour.
  return options.output != nullptr && (options.scanner || !options.oneColour);
}

// Six decimals from the value rounded to millionths, faster than printf and
// the same on every machine for the same rounded value.
void AppendFixed6(std::string& out, double value) {
  const int64_t millionths = std::llround(value * 1e6);
  uint64_t magnitude =
      millionths < 0 ? static_cast<uint64_t>(-millionths) : static_cast<uint64_t>(millionths);
  if (millionths < 0) out.push_back('-');
  char digits[24];
  int length = 0;
  for (int k = 0; k < 6; ++k) {
    digits[length++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  digits[length++] = '.';
  do {
    digits[length++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (length > 0) out.push_back(digits[--length]);
}

void AppendInteger(std::string& out, int64_t value) {
  char digits[24];
  int length = 0;
  do {
    digits[length++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (length > 0) out.push_back(digits[--length]);
}

class Output {
 public:
  Output(std::FILE* file, bool crlf) : file_(file), lineEnd_(crlf ? "\r\n" : "\n") {}
  std::string& Line() { return buffer_; }
  void EndLine() {
    buffer_ += lineEnd_;
    if (buffer_.size() >= (1U << 20)) Drain();
  }
  bool Finish() {
    Drain();
    return std::fflush(file_) == 0 && !failed_;
  }

 private:
  void Drain() {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) failed_ = true;
    buffer_.clear();
  }
  std::FILE* file_;
  const char* lineEnd_;
  std::string buffer_;
  bool failed_ = false;
};

// The colour of a point, from its position, so that each vertex has its own,
// unless all share one. Both are six decimals between 0 and 1, the same
// length in every line.
void AppendColour(std::string& line, char separator, bool one, double x, double y, double z) {
  for (const double coordinate : {x, y, z}) {
    line.push_back(separator);
    if (one) {
      line += "0.500000";
    } else {
      AppendFixed6(line, (coordinate + 1.0) / 2.0);
    }
  }
}

// With a colour, the points are a scanner's vertices: tabs apart, colour after.
void WritePoints(Output& out, const Options& options, const char* prefix, bool colour) {
  const char separator = colour ? '\t' : ' ';
  for (int64_t row = 0; row < options.rows; ++row) {
    const double latitude =
        std::numbers::pi * static_cast<double>(row) / static_cast<double>(options.rows - 1);
    for (int64_t column = 0; column < options.columns; ++column) {
      const double longitude =
          2.0 * std::numbers::pi * static_cast<double>(column) / static_cast<double>(options.columns - 1);
      const double x = std::sin(latitude) * std::cos(longitude);
      const double y = std::sin(latitude) * std::sin(longitude);
      const double z = std::cos(latitude);
      std::string& line = out.Line();
      line += prefix;
      line.push_back(separator);
      AppendFixed6(line, x);
      line.push_back(separator);
      AppendFixed6(line, y);
      line.push_back(separator);
      AppendFixed6(line, z);
      if (colour) AppendColour(line, separator, options.oneColour, x, y, z);
      out.EndLine();
    }
  }
}

void AppendCorner(std::string& line, int64_t index) {
  line.push_back(' ');
  AppendInteger(line, index);
  line += "//";
  AppendInteger(line, index);
}

// One quad per grid cell, its corners turning the way the triangles' do, so
// that both forms of the sphere face the same way.
void WriteQuads(Output& out, const Options& options) {
  for (int64_t row = 0; row + 1 < options.rows; ++row) {
    for (int64_t column = 0; column + 1 < options.columns; ++column) {
      const int64_t topLeft = row * options.columns + column + 1;
      const int64_t bottomLeft = topLeft + options.columns;
      std::string& line = out.Line();
      line += "f";
      for (const int64_t corner : {topLeft, bottomLeft, bottomLeft + 1, topLeft + 1}) {
        line.push_back('\t');
        AppendInteger(line, corner);
      }
      out.EndLine();
    }
  }
}

void WriteFaces(Output& out, const Options& options) {
  for (int64_t row = 0; row + 1 < options.rows; ++row) {
    for (int64_t column = 0; column + 1 < options.columns; ++column) {
      const int64_t topLeft = row * options.columns + column + 1;
      const int64_t bottomLeft = topLeft + options.columns;
      const int64_t corners[2][3] = {{topLeft, bottomLeft, topLeft + 1},
                                     {topLeft + 1, bottomLeft, bottomLeft + 1}};
      for (const auto& triangle : corners) {
        std::string& line = out.Line();
        line += "f";
        for (const int64_t corner : triangle) AppendCorner(line, corner);
        out.EndLine();
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s [--rows N] [--columns N] [--crlf] [--scanner [--one-colour]] output.obj\n",
                 argv[0]);
    return 2;
  }
  std::FILE* file = std::fopen(options.output, "wb");
  if (file == nullptr) {
    std::perror(options.output);
    return 1;
  }
  Output out(file, options.crlf);
  out.Line() = "# lat-long sphere for benchmarks";
  out.EndLine();
  if (options.scanner) {
    WritePoints(out, options, "v", true);
    WriteQuads(out, options);
  } else {
    WritePoints(out, options, "v", false);
    WritePoints(out, options, "vn", false);
    WriteFaces(out, options);
  }
  const bool written = out.Finish();
  if (std::fclose(file) != 0 || !written) {
    std::perror(options.output);
    return 1;
  }
  return 0;
}
