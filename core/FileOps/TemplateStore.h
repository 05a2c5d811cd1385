#pragma once

#include "core/FileOps/FileTemplate.h"
#include "core/SharedConfig/OndravellIPC.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The user's own new-file templates, kept as "custom-templates.json" (a JSON array in list order,
// without the built-in templates) in the shared container, so the file-manager extension and the
// application see the same list. The application writes the file, the extension only reads it; writes
// are atomic, so a reader sees the old list or the new one.
class TemplateStore final {
public:
    static constexpr std::string_view appGroupID = OndravellIPC::appGroupID;
    // Where both the templates file and the icon folder live, below the container.
    static constexpr std::string_view supportFolder = "Library/Application Support";
    static constexpr std::string_view fileName = "custom-templates.json";
    // A larger file is not read (it reads as an empty list).
    static constexpr std::size_t maxFileBytes = 64 * 1024 * 1024;

    // Creates nothing; without a container the store has no file, reads nothing and writes nothing.
    explicit TemplateStore(std::string_view appGroupID);
    // The store of a container folder given directly (a second container, in tools and tests).
    static TemplateStore inContainer(const std::filesystem::path& container);

    const std::optional<std::filesystem::path>& fileURL() const { return fileURL_; }

    // The user's templates in file order; empty when there is no file or it does not decode as a whole.
    std::vector<FileTemplate> loadCustom() const;
    // The templates the bytes of a templates file hold; empty when they do not decode as a whole.
    static std::vector<FileTemplate> decodeCustom(std::string_view bytes);
    // Replaces the file with the list; false when it could not be written (most callers drop that).
    bool saveCustom(const std::vector<FileTemplate>& templates) const;
    // The built-in templates followed by the user's, identifiers not merged.
    std::vector<FileTemplate> allTemplates() const;

private:
    TemplateStore() = default;

    std::optional<std::filesystem::path> fileURL_;
};

// The templates ordered by the position of their identifier in `order` (the first position counts);
// unlisted templates follow in their input order.
std::vector<FileTemplate> orderedTemplates(const std::vector<FileTemplate>& templates,
                                           const std::vector<std::string>& order);
// The same order as positions into `templates`, for callers that keep more beside each template.
std::vector<std::size_t> templateOrder(const std::vector<FileTemplate>& templates,
                                       const std::vector<std::string>& order);

} // namespace ondravell
