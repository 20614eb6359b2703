#pragma once

#include <string>

// What the updater did, for the operator: one line per step, each with the local time, appended
// to a file beside the program. When the file has grown past its limit it becomes the one old
// generation (".old", replacing the one before), so the two together stay small.
class UpdaterLog {
  public:
    explicit UpdaterLog(std::string path);

    void Line(const std::string& text) const;

  private:
    std::string path_;
};
