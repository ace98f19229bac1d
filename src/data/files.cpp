#include "data/files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace data {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c, PathStyle style) {
  return c == '/' || c == '\\' || (style == PathStyle::Windows && c == ':');
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Writes all bytes to fd and, for a synced write, forces them to disk.
bool WriteAll(int fd, std::string_view bytes, Durability durability) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return durability == Durability::Scratch || ::fsync(fd) == 0;
}

ReadStatus OpenForReading(const std::string& path, std::ifstream& in) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return ReadStatus::Missing;
  if (fs::is_directory(path, ec)) return ReadStatus::Unreadable;
  in.open(path, std::ios::binary);
  return in ? ReadStatus::Ok : ReadStatus::Unreadable;
}

}  // namespace

PathStyle NativePathStyle() {
#ifdef _WIN32
  return PathStyle::Windows;
#else
  return PathStyle::Posix;
#endif
}

char Separator(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

std::size_t DirectoryEnd(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1], style)) return i;
  }
  return 0;
}

std::string FileNamePart(std::string_view path, PathStyle style) {
  return std::string(path.substr(DirectoryEnd(path, style)));
}

std::string DirectoryPart(std::string_view path, PathStyle style) {
  return std::string(path.substr(0, DirectoryEnd(path, style)));
}

std::string WithTrailingSeparator(std::string_view dir, PathStyle style) {
  std::string out(dir);
  if (out.empty()) return out;
  const char last = out.back();
  const bool ends = last == '/' || last == '\\' || (style == PathStyle::Windows && last == ':');
  if (!ends) out += Separator(style);
  return out;
}

std::optional<std::string> FindFileNoCase(std::string_view dir, std::string_view name) {
  std::error_code ec;
  const std::string exact = std::string(dir) + std::string(name);
  if (fs::is_regular_file(exact, ec)) return exact;
  const fs::path folder = dir.empty() ? fs::path(".") : fs::path(std::string(dir));
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (EqualNoCase(candidate, name) && it->is_regular_file(ec)) {
      return std::string(dir) + candidate;
    }
  }
  return std::nullopt;
}

std::string PathForWriting(std::string_view dir, std::string_view name) {
  if (auto existing = FindFileNoCase(dir, name)) return *existing;
  return std::string(dir) + std::string(name);
}

ReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& out) {
  out.clear();
  std::ifstream in;
  if (const ReadStatus opened = OpenForReading(path, in); opened != ReadStatus::Ok) return opened;
  std::vector<std::uint8_t> buffer(64 * 1024);
  while (in) {
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (out.size() + got > maxBytes) {
      out.clear();
      return ReadStatus::TooLarge;
    }
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
  }
  if (in.bad()) {
    out.clear();
    return ReadStatus::Unreadable;
  }
  return ReadStatus::Ok;
}

ReadStatus ReadFileHead(const std::string& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out) {
  out.clear();
  std::ifstream in;
  if (const ReadStatus opened = OpenForReading(path, in); opened != ReadStatus::Ok) return opened;
  out.resize(maxBytes);
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(maxBytes));
  out.resize(static_cast<std::size_t>(in.gcount()));
  return in.bad() ? ReadStatus::Unreadable : ReadStatus::Ok;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, Durability durability) {
  std::string temp = path + ".rur-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes, durability);
  const bool closed = ::close(fd) == 0;
  std::error_code ec;
  if (written && closed) {
    // Keep the permissions of the file being replaced.
    const auto old = fs::status(path, ec);
    const auto perms = fs::exists(old) ? old.permissions()
                                       : fs::perms::owner_read | fs::perms::owner_write |
                                             fs::perms::group_read | fs::perms::others_read;
    fs::permissions(temp, perms, ec);
    ec.clear();
    fs::rename(temp, path, ec);
    if (!ec) return true;
  }
  fs::remove(temp, ec);
  return false;
}

}  // namespace data
