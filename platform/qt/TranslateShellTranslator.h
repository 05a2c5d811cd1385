#pragma once

#include "platform/Translator.h"

#include <map>
#include <memory>

class QProcess;

namespace ondravell::platform {

// Translates with the "trans" program when it is on the PATH: "trans -brief" with the text on its
// standard input (no shell), run as its own process while the event loop goes on, stopped after
// `timeoutMs`. Each run gets a process group of its own, so stopping it also ends whatever the program
// started.
class TranslateShellTranslator final : public Translator {
public:
    explicit TranslateShellTranslator(int timeoutMs = 15000);
    ~TranslateShellTranslator() override;

    bool isAvailable() override;
    Ticket translate(const std::string& text, Handler handler) override;
    void cancel(Ticket ticket) override;

private:
    void finish(Ticket ticket, std::optional<std::string> result);

    struct Running {
        QProcess* process;
        Handler handler;
    };

    int timeoutMs_;
    Ticket lastTicket_ = 0;
    std::map<Ticket, Running> running_;
};

} // namespace ondravell::platform
