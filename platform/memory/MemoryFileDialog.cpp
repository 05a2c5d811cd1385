#include "platform/memory/MemoryFileDialog.h"

namespace ondravell::platform {

std::optional<std::filesystem::path> MemoryFileDialog::run(const FileDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty())
        return std::nullopt;
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

} // namespace ondravell::platform
