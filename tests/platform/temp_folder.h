// A fresh temporary folder for one test, removed with everything in it afterwards.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace dravok::testing {

class TempFolder {
  public:
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "dravok_test_XXXXXX").string();
        char* made = mkdtemp(tmpl.data());
        path_ = made ? std::string(made) + "/" : std::string();
    }
    ~TempFolder() {
        if (!path_.empty()) {
            std::error_code ec;
            // Read-only files and folders must not stop the clean-up.
            for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
                std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
            std::filesystem::remove_all(path_, ec);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing "/".
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

} // namespace dravok::testing
