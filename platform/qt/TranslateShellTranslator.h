#pragma once

#include "platform/Translator.h"

#include <memory>

namespace ondravell::platform {

// Translates with the "trans" program when it is on the PATH: "trans -brief -- TEXT" as an argument
// list, run as its own process while the event loop goes on, stopped after `timeoutMs`.
class TranslateShellTranslator final : public Translator {
public:
    explicit TranslateShellTranslator(int timeoutMs = 15000);
    ~TranslateShellTranslator() override;

    bool isAvailable() override;
    void translate(const std::string& text, Handler handler) override;

private:
    int timeoutMs_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell::platform
