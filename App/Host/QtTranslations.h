#pragma once

#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <memory>

namespace ondravell {

// Qt's own texts (file dialogs, standard buttons, text-field menus) in Chinese like the program's own:
// Qt's catalog for its base modules, and the folder and drive names in the file dialogs' type column,
// which that catalog leaves in English. Installed into the running application while the object lives.
// Without the catalog nothing is installed and Qt's texts stay English.
class QtTranslations {
public:
    explicit QtTranslations(const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    bool catalogLoaded() const { return catalogLoaded_; }

private:
    QTranslator catalog_;
    std::unique_ptr<QTranslator> fileTypes_;
    bool catalogLoaded_ = false;
};

} // namespace ondravell
