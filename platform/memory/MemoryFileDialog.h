#pragma once

#include "platform/FileDialog.h"

#include <deque>
#include <vector>

namespace ondravell::platform {

// A file dialog for tests: answers from a queue (nullopt stands for a cancel; an empty queue cancels)
// and remembers every request.
class MemoryFileDialog final : public FileDialog {
public:
    void answer(std::optional<std::filesystem::path> path) { answers_.push_back(std::move(path)); }

    std::optional<std::filesystem::path> run(const FileDialogRequest& request) override;

    const std::vector<FileDialogRequest>& requests() const { return requests_; }

private:
    std::deque<std::optional<std::filesystem::path>> answers_;
    std::vector<FileDialogRequest> requests_;
};

} // namespace ondravell::platform
