#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ondravell {

// The new-file form: a name, an extension (typed or picked from the presets) and "创建".
class NewFileView : public QWidget {
public:
    static constexpr int cornerRadius = 14;

    NewFileView(std::filesystem::path directory, std::function<void()> onDone);

    // Puts the keyboard into the name field.
    void focusName();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateCreateButton();
    void create();

    std::filesystem::path directory_;
    std::function<void()> onDone_;
    QLineEdit* fileName_ = nullptr;
    QLineEdit* fileExtension_ = nullptr;
    QPushButton* createButton_ = nullptr;
};

} // namespace ondravell
