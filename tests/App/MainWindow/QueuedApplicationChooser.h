#pragma once

#include "App/MainWindow/Models/ApplicationChoices.h"

#include <deque>

namespace ondravell::test {

// An application chooser for tests: answers from a queue (nullopt stands for a cancel; an empty queue
// cancels) and keeps the lists it was offered.
struct QueuedApplicationChooser {
    std::deque<std::optional<std::string>> answers;
    std::vector<std::vector<platform::InstalledApplication>> offered;

    ApplicationChooser chooser() {
        return
            [this](const std::vector<platform::InstalledApplication>& choices) -> std::optional<std::string> {
                offered.push_back(choices);
                if (answers.empty())
                    return std::nullopt;
                std::optional<std::string> answer = answers.front();
                answers.pop_front();
                return answer;
            };
    }
};

} // namespace ondravell::test
