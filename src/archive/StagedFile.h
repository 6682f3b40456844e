// A file written beside its target under a temporary name and put in place only on request, so that
// several files can be made whole first and then replace their earlier versions together.
#pragma once

#include <cstddef>
#include <string>

namespace talpo {

class StagedFile {
  public:
    // Creates the temporary file in the target's folder. Raises "ﾌｧｲﾙ %s を作成できません" with the
    // target's path, as every failure below does.
    explicit StagedFile(std::string targetPath);
    // Removes the temporary file unless it was put in place.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const std::string& TargetPath() const { return target_; }
    const std::string& TempPath() const { return temp_; }

    void Append(const void* data, std::size_t size);
    // Flushes and closes the temporary file; nothing can be appended afterwards.
    void Finish();
    // Raises unless the target could be replaced: it is missing or not a folder.
    void CheckReplaceable() const;
    // Renames the finished temporary file over the target.
    void Commit();

  private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace talpo
