// Code page 0 on Windows is the system's ANSI code page; the platform converts.
#include "text/CodePage.h"

#include <windows.h>

namespace meshfold {

namespace {

// The largest piece handed to one conversion call, whose lengths are int.
constexpr size_t PieceLimit = size_t{1} << 30;

// The length of the next piece of bytes: all that is left when it fits,
// otherwise a cut that does not leave a lead byte without its trail byte.
size_t NextPiece(const uint8_t* bytes, size_t count) {
  if (count <= PieceLimit) return count;
  size_t cut = 0;
  while (cut < PieceLimit) cut += IsDBCSLeadByte(bytes[cut]) ? 2 : 1;
  return cut;
}

void AppendPiece(const uint8_t* bytes, size_t count, Text& text) {
  const auto* source = reinterpret_cast<const char*>(bytes);
  const int length = static_cast<int>(count);
  const int units = MultiByteToWideChar(CP_ACP, 0, source, length, nullptr, 0);
  if (units <= 0) return;
  const size_t start = text.size();
  text.resize(start + static_cast<size_t>(units));
  auto* destination = reinterpret_cast<wchar_t*>(text.data() + start);
  const int written = MultiByteToWideChar(CP_ACP, 0, source, length, destination, units);
  text.resize(start + static_cast<size_t>(written > 0 ? written : 0));
}

}  // namespace

void AnsiToText(const uint8_t* bytes, size_t count, Text& text) {
  text.clear();
  while (count > 0) {
    const size_t piece = NextPiece(bytes, count);
    AppendPiece(bytes, piece, text);
    bytes += piece;
    count -= piece;
  }
}

bool TextToAnsi(TextView text, std::string& bytes) {
  bytes.clear();
  if (text.empty()) return true;
  // The platform is given the text with its terminating NUL; a scratch copy
  // that keeps its storage spares an allocation per line.
  thread_local Text terminated;
  terminated.assign(text);
  const auto* source = reinterpret_cast<const wchar_t*>(terminated.c_str());
  const int size = WideCharToMultiByte(CP_ACP, 0, source, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return false;
  bytes.resize(static_cast<size_t>(size) + 1);
  const int written = WideCharToMultiByte(CP_ACP, 0, source, -1, bytes.data(), size, nullptr, nullptr);
  if (written <= 0) {
    bytes.clear();
    return false;
  }
  // The size counts the terminating NUL, which is not written out.
  bytes.resize(static_cast<size_t>(written) - 1);
  return true;
}

}  // namespace meshfold
