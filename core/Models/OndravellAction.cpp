#include "core/Models/OndravellAction.h"

#include "core/Models/CaseNamed.h"
#include "core/SharedConfig/ODLocalized.h"

namespace ondravell {

std::string OndravellAction::localizedTitle() const {
    return ODLocalizedKey(titleKey);
}

std::string_view OndravellAction::rawValue(Category category) {
    switch (category) {
    case Category::file:
        return "file";
    case Category::text:
        return "text";
    case Category::custom:
        return "custom";
    }
    return "file";
}

std::optional<OndravellAction::Category> OndravellAction::categoryNamed(std::string_view raw) {
    return caseNamed(
        allCategories, [](Category category) { return rawValue(category); }, raw);
}

namespace {

enum Flags : unsigned { none = 0, enabled = 1, dangerous = 2, container = 4 };

OndravellAction builtin(std::string id, std::string titleKey, std::string systemImage,
                        ActionCondition condition, unsigned flags) {
    return OndravellAction{std::move(id),
                           std::move(titleKey),
                           OndravellAction::Category::file,
                           std::move(systemImage),
                           std::move(condition),
                           (flags & enabled) != 0,
                           true,
                           (flags & dangerous) != 0,
                           (flags & container) != 0};
}

std::vector<OndravellAction> makeBuiltins() {
    using C = ActionCondition;
    const auto min1 = [] { return C::minSelection(1); };
    const auto max1 = [] { return C::maxSelection(1); };
    const auto files = [] { return C::all({C::minSelection(1), C::onlyFiles()}); };
    const auto containerOrFolders = [] { return C::any({C::onlyOnContainer(), C::onlyDirectories()}); };
    return {
        builtin("copy.path", "复制路径", "doc.on.doc", min1(), enabled),
        builtin("copy.file", "复制", "doc.on.clipboard", min1(), enabled),
        builtin("cut.file", "剪切", "scissors", min1(), enabled),
        builtin("paste.here", "粘贴到此处", "doc.on.clipboard.fill", containerOrFolders(),
                enabled | container),
        builtin("delete", "彻底删除", "trash.slash", min1(), dangerous),
        builtin("new.file", "新建文件", "doc.badge.plus", C::always(), enabled | container),
        builtin("new.folder", "新建文件夹", "folder.badge.plus", C::always(), enabled | container),
        builtin("clipboard.to.file", "剪贴板转文件", "arrow.down.doc", containerOrFolders(), container),
        builtin("open.terminal", "在终端打开", "terminal", max1(), enabled),
        builtin("open.editor", "在编辑器打开", "chevron.left.forwardslash.chevron.right", max1(), enabled),
        builtin("hash", "计算哈希", "number", files(), enabled),
        builtin("copy.content", "复制内容", "doc.text", files(), none),
        builtin("copy.base64", "复制为 Base64", "textformat", files(), none),
        builtin("copy.metadata", "复制元数据", "info.circle", min1(), enabled),
        builtin("copy.to", "复制到", "square.and.arrow.down.on.square", min1(), enabled),
        builtin("move.to", "移动到", "arrowshape.turn.up.right", min1(), enabled),
        builtin("make.symlink", "创建符号链接", "link", min1(), enabled),
        builtin("show.hidden", "显示/隐藏隐藏文件", "eye", C::always(), enabled),
    };
}

} // namespace

const std::vector<OndravellAction>& OndravellAction::builtins() {
    static const std::vector<OndravellAction> actions = makeBuiltins();
    return actions;
}

} // namespace ondravell
