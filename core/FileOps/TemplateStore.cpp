#include "core/FileOps/TemplateStore.h"

#include "core/Support/AtomicFile.h"
#include "core/Support/StrictJson.h"
#include "platform/AppGroupContainer.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <unordered_map>

namespace ondravell {

TemplateStore::TemplateStore(std::string_view appGroupID) {
    if (auto container = platform::appGroupContainerURL(appGroupID))
        fileURL_ = *container / supportFolder / fileName;
}

TemplateStore TemplateStore::inContainer(const std::filesystem::path& container) {
    TemplateStore store;
    store.fileURL_ = container / supportFolder / fileName;
    return store;
}

std::vector<FileTemplate> TemplateStore::loadCustom() const {
    if (!fileURL_)
        return {};
    auto bytes = readRegularFile(*fileURL_, maxFileBytes);
    if (!bytes || bytes->size() > maxFileBytes)
        return {};
    return decodeCustom(*bytes);
}

std::vector<FileTemplate> TemplateStore::decodeCustom(std::string_view bytes) {
    auto value = StrictJson::parse(bytes);
    if (!value || !value->is_array())
        return {};
    std::vector<FileTemplate> templates;
    templates.reserve(value->size());
    for (const nlohmann::json& element : *value) {
        auto decoded = FileTemplate::fromJSON(element);
        if (!decoded)
            return {};
        templates.push_back(std::move(*decoded));
    }
    return templates;
}

bool TemplateStore::saveCustom(const std::vector<FileTemplate>& templates) const {
    if (!fileURL_)
        return false;
    std::error_code error;
    std::filesystem::create_directories(fileURL_->parent_path(), error);
    nlohmann::json list = nlohmann::json::array();
    for (const FileTemplate& fileTemplate : templates)
        list.push_back(fileTemplate.toJSON());
    auto text = StrictJson::dump(list);
    return text && writeFileAtomically(*fileURL_, *text);
}

std::vector<FileTemplate> TemplateStore::allTemplates() const {
    std::vector<FileTemplate> templates = FileTemplate::builtins();
    std::vector<FileTemplate> custom = loadCustom();
    templates.insert(templates.end(), std::make_move_iterator(custom.begin()),
                     std::make_move_iterator(custom.end()));
    return templates;
}

std::vector<std::size_t> templateOrder(const std::vector<FileTemplate>& templates,
                                       const std::vector<std::string>& order) {
    std::unordered_map<std::string_view, std::size_t> rankOf;
    for (std::size_t i = 0; i < order.size(); ++i)
        rankOf.try_emplace(order[i], i);
    auto rank = [&](std::size_t index) {
        auto found = rankOf.find(templates[index].id);
        return found == rankOf.end() ? std::numeric_limits<std::size_t>::max() : found->second;
    };
    std::vector<std::size_t> positions(templates.size());
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    std::stable_sort(positions.begin(), positions.end(),
                     [&](std::size_t a, std::size_t b) { return rank(a) < rank(b); });
    return positions;
}

std::vector<FileTemplate> orderedTemplates(const std::vector<FileTemplate>& templates,
                                           const std::vector<std::string>& order) {
    std::vector<FileTemplate> sorted;
    sorted.reserve(templates.size());
    for (std::size_t position : templateOrder(templates, order))
        sorted.push_back(templates[position]);
    return sorted;
}

} // namespace ondravell
