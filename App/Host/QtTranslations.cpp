#include "App/Host/QtTranslations.h"

#include <QCoreApplication>

namespace ondravell {

namespace {

// The file-type names Qt gives folders, drives and links, asked for under their own context.
class FileTypeNames final : public QTranslator {
public:
    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static constexpr struct {
            const char* source;
            const char* chinese;
        } names[] = {
            {"Drive", "驱动器"}, {"Folder", "文件夹"}, {"Shortcut", "快捷方式"}, {"Unknown", "未知"}};
        for (const auto& name : names)
            if (qstrcmp(sourceText, name.source) == 0)
                return QString::fromUtf8(name.chinese);
        return {};
    }
};

} // namespace

QtTranslations::QtTranslations(const QString& folder) {
    catalogLoaded_ = catalog_.load(QStringLiteral("qtbase_zh_CN"), folder);
    if (!catalogLoaded_)
        return;
    // The translator installed last is asked first: Qt's catalog keeps its word wherever it has one.
    fileTypes_ = std::make_unique<FileTypeNames>();
    QCoreApplication::installTranslator(fileTypes_.get());
    QCoreApplication::installTranslator(&catalog_);
}

} // namespace ondravell
