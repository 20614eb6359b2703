#pragma once

#include <filesystem>

// A file another program holds open for reading without letting it be written, renamed or
// deleted, as an editor or a virus scanner does.
namespace platform::testwin32 {

class HeldFile {
  public:
    explicit HeldFile(const std::filesystem::path& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsHeld() const { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;
};

}  // namespace platform::testwin32
