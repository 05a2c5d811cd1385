#pragma once

#include "Extensions/FinderSync/Menu.h"
#include "core/FileOps/FileTemplate.h"
#include "core/Models/MenuContext.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

class FinderSyncExtension;
struct OndravellSettings;

// New files from the user's templates, new folders, and the request for a file of any other type,
// which the application's new-file window serves. Each template item is bound to the template it was
// built from (the built-in or the user's list, and the entry in it) and acts only while that template
// is still enabled: a user template sharing a built-in one's id stays itself.
struct NewFileActions {
    static constexpr std::string_view newFileActionID = "new.file";
    static constexpr std::string_view newFolderActionID = "new.folder";
    static constexpr std::string_view templateActionID = "new.file.template";
    static constexpr std::string_view customTypeActionID = "new.file.custom";
    // The submenu offers no more templates than this; later ones get no item.
    static constexpr std::size_t maxTemplateItems = 32;
    static constexpr std::string_view fileBaseName = "未命名";
    static constexpr std::string_view folderBaseName = "未命名文件夹";
    static constexpr std::string_view customTypeTitle = "自定义文件类型…";
    static constexpr std::string_view customTypeSymbol = "square.and.pencil";

    // Where a template item's template comes from, carried as its command's argument.
    struct TemplateBinding {
        bool custom = false;
        std::size_t index = 0;
        std::string id;

        bool operator==(const TemplateBinding&) const = default;
        std::string encoded() const;
        static std::optional<TemplateBinding> decode(std::string_view argument);
    };
    struct BoundTemplate {
        FileTemplate fileTemplate;
        TemplateBinding binding;
    };

    static void install(FinderSyncExtension& extension);

    // The built-in and user templates that are not switched off, in the user's order.
    static std::vector<BoundTemplate> enabledTemplates(const OndravellSettings& settings,
                                                       const std::vector<FileTemplate>& customTemplates);
    static Menu newFileSubmenu(const OndravellSettings& settings,
                               const std::vector<FileTemplate>& customTemplates, bool dark);
    // The template the binding names, when it is still in its list and enabled.
    static std::optional<FileTemplate> boundTemplate(const TemplateBinding& binding,
                                                     const OndravellSettings& settings,
                                                     const std::vector<FileTemplate>& customTemplates);

    // The folder clicked into; else the first selected folder; else the first item's parent.
    static std::optional<std::filesystem::path> targetDirectory(const MenuContext& context);

    // Each reads the folder's names and writes there, so it runs on the extension's worker; the
    // history entry and toast follow success only.
    static void createFromTemplate(FinderSyncExtension& extension, const TemplateBinding& binding,
                                   const MenuContext& context);
    static void createFolder(FinderSyncExtension& extension, const MenuContext& context);
    // Hands the target folder to the application through "pending-newfile.txt".
    static void requestCustomType(FinderSyncExtension& extension, const MenuContext& context);
};

} // namespace ondravell
