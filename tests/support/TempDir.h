#pragma once

#include <string>

namespace tc::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + separator + name
    std::string file(const std::string& name) const;

  private:
    std::string path_;
};

// Whole-file helpers for checking bytes on disk.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

} // namespace tc::test
