#pragma once

#include "platform/FocusedText.h"

#include <memory>

namespace ondravell::platform {

// FocusedText through libatspi on the accessibility bus. The bus is spoken on a thread of its own, so
// that an application slow to answer never holds up the event loop: it follows the focus events of
// every application (our own process's objects are passed over) and answers the questions asked;
// answers are posted to GLib's default main context, which the program's event loop runs. Without an
// accessibility bus nothing is ever focused and nothing is replaced.
class AtspiFocusedText final : public FocusedText {
public:
    AtspiFocusedText();
    ~AtspiFocusedText() override;
    AtspiFocusedText(const AtspiFocusedText&) = delete;
    AtspiFocusedText& operator=(const AtspiFocusedText&) = delete;

    std::optional<Focus> focus() override;
    void refresh() override;
    void selectionExtents(std::function<void(std::optional<Rect>)> done) override;
    void replaceSelection(std::string selected, std::string value, std::function<void(bool)> done) override;

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

} // namespace ondravell::platform
