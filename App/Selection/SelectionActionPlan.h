#pragma once

#include "App/Selection/QRCodeMatrix.h"
#include "core/Models/SelectionAction.h"
#include "core/TextProcessing/TextInspector.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

struct OndravellSettings;

// What one toolbar action does with the selected text, decided without a toolkit: a URL or a file to
// hand to the desktop, a word for the dictionary, a text for the clipboard, or a result for the panel.
// The runner carries it out.
struct SelectionActionPlan {
    enum class Effect {
        nothing,         // the action does not apply to the text
        openURL,         // `text`: a web, mail or search URL for the desktop's handler
        openAppURL,      // `text`: an application's own URL; `fallbackURL` or the not-installed toast
        revealFile,      // `text`: a local path to show selected in the file manager
        lookUpWord,      // `text`: the word for the installed dictionary
        copy,            // `text`: put on the clipboard with the "已复制" toast
        showRows,        // `rows`, `copyable`, `replaceValue`
        showText,        // `text` in a scrolling view, `replaceValue`
        showMessage,     // `text`: one line of explanation
        showColor,       // `color`
        showTranslation, // `text`: the text to translate
        showQRCode,      // `qrCode`
    };
    struct Row {
        std::string label;
        std::string value;
        bool operator==(const Row&) const = default;
    };

    Effect effect = Effect::nothing;
    std::string title; // the panel's title, already localised
    std::string text;
    std::vector<Row> rows;
    bool copyable = false;
    std::optional<std::string> replaceValue;
    std::optional<std::string> fallbackURL;
    std::string engineName; // the AI engine named by the not-installed toast
    TextInspector::Color color;
    std::optional<QRCodeMatrix> qrCode;

    // The plan for `kind` on `text`. `loadSettings` is called only by the actions that read the
    // settings (search, AI, and the search fallback of open).
    static SelectionActionPlan make(SelectionAction::Kind kind, std::string_view text,
                                    const std::function<OndravellSettings()>& loadSettings);

    // Whether working out the plan for `kind` takes long enough on a long selection (tens of
    // milliseconds for 20,000 characters) that it belongs on a worker thread. These kinds read no
    // settings.
    static bool computesInBackground(SelectionAction::Kind kind);

    // The most user-perceived characters sent to an AI assistant, a search engine or the dictionary.
    // A browser takes no URL of a whole long selection (it silently opens nothing), a program no
    // argument of it, and no engine answers such a query anyway.
    static constexpr std::size_t maxQueryCharacters = 4000;
};

} // namespace ondravell
