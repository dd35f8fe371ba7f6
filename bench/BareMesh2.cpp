// A measuring stick, not a converter: the least work a single pass can do to
// turn the benchmark sphere into the mesh2 Meshfold writes for it, byte for
// byte. It knows only the sphere's own lines ("v x y z", "vn x y z",
// "f a//n b//n c//n", LF ends, ASCII), checks nothing, keeps the fields as
// bytes in arrays reserved up front, and writes through one 256 KiB buffer.
// bench/run.sh times it beside the conversion to show what part of the
// conversion's time any single-threaded design on this machine would pay.
//
//   bare_mesh2 INPUT.obj OUTPUT.inc NAME
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

template <typename T>
T* Reserve(size_t count) {
  void* area = mmap(nullptr, count * sizeof(T), PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  return area == MAP_FAILED ? nullptr : static_cast<T*>(area);
}

// The vectors of one keyword, "x,y,z" back to back, and where each ends.
struct Vectors {
  char* text = Reserve<char>(size_t{1} << 32);
  uint32_t* ends = Reserve<uint32_t>(size_t{1} << 28);
  size_t length = 0;
  size_t count = 0;

  void Add(const char* at, const char* end) {
    for (int field = 0; field < 3 && at < end; ++field) {
      const char* start = at;
      while (at < end && *at != ' ') ++at;
      if (field > 0) text[length++] = ',';
      std::memcpy(text + length, start, static_cast<size_t>(at - start));
      length += static_cast<size_t>(at - start);
      ++at;
    }
    ends[++count] = static_cast<uint32_t>(length);
  }
  std::string_view Entry(size_t number) const {
    return {text + ends[number - 1], ends[number] - ends[number - 1]};
  }
};

struct Triangles {
  uint32_t* corners = Reserve<uint32_t>(size_t{1} << 28);  // vertex, normal, vertex, normal, ...
  size_t count = 0;

  void Add(const char* at, const char* end) {
    uint32_t* out = corners + 6 * count++;
    for (int index = 0; index < 6 && at < end; ++index) {
      uint32_t value = 0;
      while (at < end && static_cast<unsigned>(*at - '0') <= 9)
        value = value * 10 + static_cast<unsigned>(*at++ - '0');
      out[index] = value - 1;
      at += index % 2 == 0 ? 2 : 1;  // past "//" or the blank
    }
  }
};

class Output {
 public:
  explicit Output(const char* path) : file_(open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
  ~Output() {
    Flush();
    close(file_);
  }
  void Put(std::string_view text) {
    if (used_ + text.size() > sizeof buffer_) Flush();
    std::memcpy(buffer_ + used_, text.data(), text.size());
    used_ += text.size();
  }
  void Number(uint32_t value) {
    char digits[10];
    char* at = digits + sizeof digits;
    do *--at = static_cast<char>('0' + value % 10);
    while ((value /= 10) != 0);
    Put({at, static_cast<size_t>(digits + sizeof digits - at)});
  }

 private:
  void Flush() {
    if (used_ != 0 && write(file_, buffer_, used_) < 0) std::perror("write");
    used_ = 0;
  }
  int file_;
  char buffer_[1 << 18];
  size_t used_ = 0;
};

void OpenBlock(Output& out, std::string_view name, size_t count) {
  out.Put("  ");
  out.Put(name);
  out.Put(" {\r\n    ");
  out.Number(static_cast<uint32_t>(count));
  out.Put(",\r\n");
}

void WriteVectors(Output& out, std::string_view name, const Vectors& vectors) {
  OpenBlock(out, name, vectors.count);
  for (size_t number = 1; number <= vectors.count; ++number) {
    out.Put("    <");
    out.Put(vectors.Entry(number));
    out.Put(number < vectors.count ? ">,\r\n" : ">\r\n");
  }
  out.Put("  }\r\n");
}

void WriteIndices(Output& out, std::string_view name, const Triangles& triangles, size_t which) {
  OpenBlock(out, name, triangles.count);
  for (size_t triangle = 0; triangle < triangles.count; ++triangle) {
    const uint32_t* corners = triangles.corners + 6 * triangle + which;
    for (size_t corner = 0; corner < 3; ++corner) {
      out.Put(corner == 0 ? "    <" : ",");
      out.Number(corners[2 * corner]);
    }
    out.Put(triangle + 1 < triangles.count ? ">,\r\n" : ">\r\n");
  }
  out.Put("  }\r\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return std::fprintf(stderr, "usage: bare_mesh2 INPUT.obj OUTPUT.inc NAME\n"), 2;
  const int input = open(argv[1], O_RDONLY);
  if (input < 0) return std::perror(argv[1]), 1;
  Vectors vertices, normals;
  Triangles triangles;
  static char buffer[(1 << 17) + 4096];
  size_t kept = 0;
  for (ssize_t got; (got = read(input, buffer + kept, 1 << 17)) > 0;) {
    const char* line = buffer;
    const char* const end = buffer + kept + got;
    for (const char* stop; (stop = static_cast<const char*>(std::memchr(line, '\n', end - line)));
         line = stop + 1) {
      if (line[0] == 'v' && line[1] == ' ') vertices.Add(line + 2, stop);
      if (line[0] == 'v' && line[1] == 'n') normals.Add(line + 3, stop);
      if (line[0] == 'f') triangles.Add(line + 2, stop);
    }
    kept = static_cast<size_t>(end - line);
    std::memmove(buffer, line, kept);
  }
  close(input);
  Output out(argv[2]);
  const std::string name = argv[3];
  out.Put("//   mesh2 from " + name + ".obj\r\n//   triangle count: ");
  out.Number(static_cast<uint32_t>(triangles.count));
  out.Put("\r\n\r\n#declare " + name + " = \r\nmesh2 {\r\n");
  WriteVectors(out, "vertex_vectors", vertices);
  WriteVectors(out, "normal_vectors", normals);
  WriteIndices(out, "face_indices", triangles, 0);
  WriteIndices(out, "normal_indices", triangles, 1);
  out.Put("}\r\n");
  return 0;
}
