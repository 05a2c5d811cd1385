#pragma once

#include <filesystem>
#include <string>

namespace ondravell {

// One item selected in the file manager.
class SelectedItem {
public:
    SelectedItem(std::filesystem::path url, bool isDirectory);

    // The item's absolute path.
    const std::filesystem::path& url() const { return url_; }
    bool isDirectory() const { return isDirectory_; }
    // The path extension, lower-cased; "" when there is none.
    const std::string& ext() const { return ext_; }

    bool operator==(const SelectedItem& other) const {
        return url_ == other.url_ && isDirectory_ == other.isDirectory_;
    }

private:
    std::filesystem::path url_;
    bool isDirectory_;
    std::string ext_;
};

} // namespace ondravell
