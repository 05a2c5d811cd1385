#include "App/MainWindow/Pages/TemplatesSettingsView.h"

#include "App/MainWindow/Pages/AddTemplateSheet.h"
#include "App/MainWindow/Pages/TemplateRow.h"
#include "App/MainWindow/Widgets/ReorderableRowList.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace ondravell {

TemplatesSettingsView::TemplatesSettingsView(platform::FileDialog& dialog, QWidget* parent)
    : SettingsPage(parent), dialog_(dialog), list_(new ReorderableRowList), add_(new QPushButton) {
    auto* templates = new SettingsSection(
        {}, QStringLiteral(
                "拖拽排序——顺序即右键「新建文件」子菜单里的顺序；开关决定是否显示；自定义模板可编辑/删除。"));
    templates->rows()->addWidget(list_);
    list_->onMove = [this](const std::set<std::size_t>& sources, std::size_t destination) {
        model_.moveRows(sources, destination);
    };
    list_->onMoveBy = [this](std::size_t index, int distance) { model_.moveRow(index, distance); };
    addSection(templates);

    auto* adding = new SettingsSection({});
    auto* addRow = new QWidget;
    auto* addLayout = new QHBoxLayout(addRow);
    addLayout->setContentsMargins(0, 0, 0, 0);
    addLayout->setSpacing(6);
    add_->setText(QStringLiteral("添加自定义模板…"));
    add_->setIcon(symbolIcon("plus", palette().color(QPalette::ButtonText)));
    add_->setFlat(true);
    addLayout->addWidget(add_);
    addLayout->addStretch(1);
    adding->addRow(addRow);
    connect(add_, &QPushButton::clicked, this, [this] { openEditor(std::nullopt); });
    addSection(adding);

    runSheet = [](AddTemplateSheet& sheet) { sheet.exec(); };
    model_.setObserver([this] { refresh(); });
}

void TemplatesSettingsView::reload() {
    model_.load();
}

TemplateRow* TemplatesSettingsView::row(const std::string& id) const {
    auto found = rows_.find({id, 0});
    return found == rows_.end() ? nullptr : found->second;
}

void TemplatesSettingsView::openEditor(const std::optional<FileTemplate>& editing) {
    AddTemplateSheet sheet(
        editing, dialog_, [this](const FileTemplate& made) { return model_.save(made); }, this);
    runSheet(sheet);
}

void TemplatesSettingsView::refresh() {
    std::map<std::pair<std::string, int>, TemplateRow*> kept;
    std::map<std::string, int> seen;
    std::vector<QWidget*> ordered;
    bool made = false;
    for (const FileTemplate& entry : model_.ordered()) {
        std::pair<std::string, int> key{entry.id, seen[entry.id]++};
        bool isCustom = model_.isCustom(entry.id);
        auto found = rows_.find(key);
        TemplateRow* row = found == rows_.end() ? nullptr : found->second;
        // A row shows its template as made: an edited template gets a new row.
        if (!row || row->fileTemplate() != entry || row->isCustom() != isCustom) {
            row = new TemplateRow(entry, isCustom, icons_,
                                  {[this, id = entry.id](bool on) { model_.setShown(id, on); },
                                   [this, entry] { openEditor(entry); },
                                   [this, entry] { model_.remove(entry); }},
                                  list_);
            made = true;
        }
        row->setShown(model_.isShown(entry.id));
        kept[key] = row;
        ordered.push_back(row);
    }
    rows_ = std::move(kept);
    // Rows no longer given are deleted by the list once control returns to the event loop. New rows
    // come on screen with the list in one pass rather than each on its own, which for a page of
    // hundreds of templates is most of its showing; the list's place on the page stays as it was.
    if (made)
        list_->hide();
    list_->setRows(ordered);
    list_->show();
}

} // namespace ondravell
